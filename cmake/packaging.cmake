# Ready-made packages, built by CPack from the install rules
# (`cmake --build --preset release --target package`): on Linux a Debian
# package of the program and its desktop files, on Windows a zip of the
# program and a read-me. The publisher and the title are set at the top of
# CMakeLists.txt.
set(CPACK_PACKAGE_NAME vantrel-article-converter)
set(CPACK_STRIP_FILES ON)
set(CPACK_VERBATIM_VARIABLES ON) # the description's quotes stay quotes
set(packaging_data ${PROJECT_SOURCE_DIR}/data)

if(WIN32)
  # The zip holds one folder with the program and a read-me in CR LF text.
  configure_file(${packaging_data}/windows-readme.txt
                 ${PROJECT_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
  install(TARGETS vantrel-article-converter RUNTIME DESTINATION .)
  install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME
      ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-windows-x64)
  include(CPack)
  return()
endif()

if(NOT VANTREL_WINDOW)
  return() # no program to package
endif()

# Placeholders until the owner gives them (README, Install): the address
# here, and a homepage (CPACK_DEBIAN_PACKAGE_HOMEPAGE and the metainfo's
# <url type="homepage">).
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
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
