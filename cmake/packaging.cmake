# Ready-made packages, built by CPack from the install rules
# (`cmake --build --preset release --target package`): on Linux a Debian
# package of the program and its desktop files, on Windows a zip of the
# program and a read-me, and beside it a Windows Installer package. The
# publisher and the title are set at the top of CMakeLists.txt.
set(CPACK_PACKAGE_NAME vantrel-article-converter)
set(CPACK_VERBATIM_VARIABLES ON) # the description's quotes stay quotes
set(packaging_data ${PROJECT_SOURCE_DIR}/data)

if(WIN32)
  # The zip holds one folder with the program and a read-me in CR LF text.
  # The exe is linked without symbols already, and it goes in as it is:
  # stripped again, its header (time stamp, checksum) would change and a
  # signature break, and the zip and the .msi would hold two different files.
  configure_file(${packaging_data}/windows-readme.txt
                 ${PROJECT_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
  install(TARGETS vantrel-article-converter RUNTIME DESTINATION .)
  install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME
      ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-windows-x64)
  include(CPack)

  # The 64-bit .msi (data/vantrel-article-converter.wxs holds its upgrade
  # code), where Debian's wixl is: not on Windows itself. wixl takes the
  # files relative to its working folder, and only warns about what it does
  # not understand while still making a package: any word on its stderr
  # fails the build and removes the package.
  find_program(WIXL wixl)
  if(WIXL AND CMAKE_SYSTEM_PROCESSOR STREQUAL x86_64)
    set(msi ${PROJECT_BINARY_DIR}/${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-x64.msi)
    set(wxs ${packaging_data}/${CPACK_PACKAGE_NAME}.wxs)
    set(icon ${PROJECT_SOURCE_DIR}/win32/program.ico)
    set(exe $<TARGET_FILE:vantrel-article-converter>)
    set(no_warnings [[err=$("$@" 2>&1 >/dev/null) && [ -z "$err" ] || (printf '%s\n' "$err" >&2 && rm -f "$0" && exit 1)]])
    add_custom_command(OUTPUT ${msi}
      COMMAND sh -c ${no_warnings} ${msi}
        ${WIXL} -a x64 -o ${msi}
        -D "ProductName=${VANTREL_TITLE}" -D Manufacturer=${CPACK_PACKAGE_VENDOR}
        -D Version=${PROJECT_VERSION}
        -D Exe=$<PATH:RELATIVE_PATH,${exe},${PROJECT_BINARY_DIR}>
        -D Icon=$<PATH:RELATIVE_PATH,${icon},${PROJECT_BINARY_DIR}> ${wxs}
      DEPENDS ${wxs} ${icon} vantrel-article-converter
      WORKING_DIRECTORY ${PROJECT_BINARY_DIR} VERBATIM)
    add_custom_target(msi ALL DEPENDS ${msi})
  endif()
  return()
endif()

if(NOT VANTREL_WINDOW)
  return() # no program to package
endif()
set(CPACK_STRIP_FILES ON)

# The program and the libraries it is made of are built with the flags of a
# Debian package (dpkg-buildflags with all its hardening: fortify, stack
# protector, full RELRO, immediate binding); the build type keeps its own
# optimisation and debug information. Sanitizers bring checks of their own.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(DPKG_BUILDFLAGS AND NOT VANTREL_SANITIZE
   AND NOT CMAKE_BUILD_TYPE STREQUAL Debug)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env
        DEB_BUILD_MAINT_OPTIONS=hardening=+all ${DPKG_BUILDFLAGS} --get ${kind}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE flags
      OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^-(g|O.*)$")
    set(${kind} ${flags})
  endforeach()
  foreach(target vantrel_core vantrel_window vantrel-article-converter)
    target_compile_options(${target} PRIVATE ${CPPFLAGS} ${CXXFLAGS})
  endforeach()
  target_link_options(vantrel-article-converter PRIVATE ${LDFLAGS})
endif()

# Placeholders until the owner gives them (README, Install): the address
# here, and a homepage (CPACK_DEBIAN_PACKAGE_HOMEPAGE and the metainfo's
# <url type="homepage">, with the screenshot's address).
set(VANTREL_MAINTAINER
    "Vantrel Article Converter developers <article-converter@vantrel.invalid>")

# The description is the software centre's: the metainfo's summary and its
# paragraphs, line breaks kept and indentation dropped.
set(metainfo_file ${packaging_data}/org.vantrel.ArticleConverter.metainfo.xml)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${metainfo_file})
file(READ ${metainfo_file} metainfo)
string(REGEX MATCH "<summary>([^<]*)</summary>" _ "${metainfo}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_MATCH_1}")
string(REGEX MATCH "<description>[ \n]*<p>(.*)</p>[ \n]*</description>" _
             "${metainfo}")
string(REGEX REPLACE "[ \n]*</p>[ \n]*<p>[ \n]*" "\n\n" description
                     "${CMAKE_MATCH_1}")
string(REGEX REPLACE "(^|\n) +" "\\1" description "${description}")
string(STRIP "${description}" CPACK_PACKAGE_DESCRIPTION)

# Debian wants a manual page, the copyright and a changelog, the first and
# the last gzipped without a timestamp so that the package is reproducible.
function(install_gzipped file name destination)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  execute_process(COMMAND gzip -9nc ${file}
                  OUTPUT_FILE ${PROJECT_BINARY_DIR}/${name}.gz
                  COMMAND_ERROR_IS_FATAL ANY)
  install(FILES ${PROJECT_BINARY_DIR}/${name}.gz DESTINATION ${destination})
endfunction()
include(GNUInstallDirs)
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
configure_file(${packaging_data}/changelog.in ${PROJECT_BINARY_DIR}/changelog
               @ONLY)
install_gzipped(${PROJECT_BINARY_DIR}/changelog changelog.Debian ${doc_dir})
install(FILES ${packaging_data}/copyright DESTINATION ${doc_dir})
install_gzipped(${packaging_data}/${CPACK_PACKAGE_NAME}.1
                ${CPACK_PACKAGE_NAME}.1 ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VANTREL_MAINTAINER}")
# Dependencies from the libraries the binary links (dpkg-shlibdeps); Qt's X11
# plugin comes with libqt6gui6, and a font with its fontconfig.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Wayland platform, for Wayland sessions without X. Only suggested: on
# GNOME, Qt 6.4's Wayland windows draw a plain title bar of their own, while
# through XWayland the window looks like the desktop's other X programs.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
