# Cross-building the Windows program with Debian's mingw-w64 posix compilers.
# VANTREL_WINDOWS_ARCH=i686 builds 32-bit instead of the default x86_64.
set(VANTREL_WINDOWS_ARCH x86_64 CACHE STRING "x86_64 or i686")
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VANTREL_WINDOWS_ARCH})
set(triple ${VANTREL_WINDOWS_ARCH}-w64-mingw32)

# The posix thread model: GoogleTest needs std::mutex.
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One exe that imports only system DLLs: no libstdc++ or winpthread DLL.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
# Release exes without symbols.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT -s)

# ctest runs the test exes through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
