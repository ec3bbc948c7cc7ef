# GoogleTest for the Windows build, compiled from Debian's sources (or from
# VANTREL_GOOGLETEST_SOURCE), since no Windows build of it is installed.
set(VANTREL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH
    "GoogleTest's source folder")
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${VANTREL_GOOGLETEST_SOURCE}
                 ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
