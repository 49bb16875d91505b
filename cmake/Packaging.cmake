# Installation as on the engineer's PC (`cmake --install`) and the Debian
# package built from it (`make package`). The programs and their data files
# share one folder, which the programs take as their program folder; links
# in the system's program folder, a desktop entry, an icon, the manual pages
# and the documentation complete it. Nothing is run at installation: the
# serial ports' group (dialout) is the administrator's to give.
include(GNUInstallDirs)

set(VQ2X_PROGRAM_DIR /opt/vq2x CACHE PATH "Folder of the installed programs and their data files")
set(VQ2X_MAINTAINER "VQ2x Service Tool maintainers <maintainers@users.noreply.c-seed-0046bbe7.example>"
    CACHE STRING "Maintainer named in the package")
set(VQ2X_PACKAGING ${PROJECT_SOURCE_DIR}/cmake/packaging)
set(VQ2X_STAGE ${CMAKE_BINARY_DIR}/packaging)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The programs, as far as this build makes them, and their data files.
set(VQ2X_INSTALLED_PROGRAMS)
foreach(program vq2x-tool vq2x vq2x-sim)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${VQ2X_PROGRAM_DIR})
    list(APPEND VQ2X_INSTALLED_PROGRAMS ${program})
  endif()
endforeach()
file(GLOB VQ2X_INSTALLED_DATA CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/*)
install(FILES ${VQ2X_INSTALLED_DATA} DESTINATION ${VQ2X_PROGRAM_DIR})

# The README as a web page, with the pictures it shows: the documentation
# the About window links to (through doc/ beside the program, in the build
# folder as when installed).
set(VQ2X_DOC_BUILD ${CMAKE_BINARY_DIR}/bin/doc)
file(STRINGS ${PROJECT_SOURCE_DIR}/README.md VQ2X_README_PICTURES REGEX "!\\[[^]]*\\]\\(docs/[^)]+\\)")
list(TRANSFORM VQ2X_README_PICTURES REPLACE ".*\\]\\((docs/[^)]+)\\).*" "\\1")
add_executable(vq2x_markdown_page ${VQ2X_PACKAGING}/MarkdownPage.cpp)
target_link_libraries(vq2x_markdown_page PRIVATE Qt6::Gui)
set_target_properties(vq2x_markdown_page PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VQ2X_STAGE})
add_custom_command(OUTPUT ${VQ2X_DOC_BUILD}/README.html
                   COMMAND vq2x_markdown_page ${PROJECT_SOURCE_DIR}/README.md ${VQ2X_DOC_BUILD}/README.html
                           "VQ2x Service Tool"
                   DEPENDS ${PROJECT_SOURCE_DIR}/README.md vq2x_markdown_page VERBATIM)
set(VQ2X_PACKAGE_FILES ${VQ2X_DOC_BUILD}/README.html)
foreach(picture ${VQ2X_README_PICTURES})
  add_custom_command(OUTPUT ${VQ2X_DOC_BUILD}/${picture}
                     COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/${picture}
                             ${VQ2X_DOC_BUILD}/${picture}
                     DEPENDS ${PROJECT_SOURCE_DIR}/${picture} VERBATIM)
  list(APPEND VQ2X_PACKAGE_FILES ${VQ2X_DOC_BUILD}/${picture})
  get_filename_component(picture_folder ${picture} DIRECTORY)
  install(FILES ${VQ2X_DOC_BUILD}/${picture} DESTINATION ${CMAKE_INSTALL_DOCDIR}/${picture_folder})
endforeach()
install(FILES ${VQ2X_DOC_BUILD}/README.html ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Debian wants manual pages and the changelog compressed, without a time
# stamp in the compressed file.
function(vq2x_gzip source target)
  add_custom_command(OUTPUT ${target} COMMAND gzip -9 -n -c ${source} > ${target} DEPENDS ${source} VERBATIM)
  set(VQ2X_PACKAGE_FILES ${VQ2X_PACKAGE_FILES} ${target} PARENT_SCOPE)
endfunction()
foreach(program ${VQ2X_INSTALLED_PROGRAMS})
  if(EXISTS ${PROJECT_SOURCE_DIR}/docs/${program}.1)
    vq2x_gzip(${PROJECT_SOURCE_DIR}/docs/${program}.1 ${VQ2X_STAGE}/${program}.1.gz)
    install(FILES ${VQ2X_STAGE}/${program}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()
string(TIMESTAMP VQ2X_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${VQ2X_PACKAGING}/changelog.in ${VQ2X_STAGE}/changelog @ONLY)
vq2x_gzip(${VQ2X_STAGE}/changelog ${VQ2X_STAGE}/changelog.gz)
add_custom_target(vq2x_package_files ALL DEPENDS ${VQ2X_PACKAGE_FILES})

# The licence notices of what the programs contain and link.
file(READ ${VQ2X_PACKAGING}/copyright VQ2X_COPYRIGHT)
if(TARGET vq2x)
  file(READ ${VQ2X_PACKAGING}/copyright-cli VQ2X_CLI_COPYRIGHT)
  string(APPEND VQ2X_COPYRIGHT "${VQ2X_CLI_COPYRIGHT}")
endif()
file(CONFIGURE OUTPUT ${VQ2X_STAGE}/copyright CONTENT "${VQ2X_COPYRIGHT}" @ONLY)
install(FILES ${VQ2X_STAGE}/copyright ${VQ2X_STAGE}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

install(FILES ${VQ2X_PACKAGING}/vq2x-tool.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VQ2X_PACKAGING}/vq2x-tool.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${VQ2X_PACKAGING}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME vq2x)

# The links are made at installation, so that they name the prefix the
# installation really uses (the package's is /usr).
install(CODE "set(VQ2X_PROGRAM_DIR \"${VQ2X_PROGRAM_DIR}\")
set(VQ2X_LINKED_PROGRAMS \"${VQ2X_INSTALLED_PROGRAMS}\")
set(VQ2X_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
set(VQ2X_DOCDIR \"${CMAKE_INSTALL_DOCDIR}\")")
install(SCRIPT ${VQ2X_PACKAGING}/InstallLinks.cmake)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vq2x)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${VQ2X_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "service and configuration tool for VQ2x controllers")
if(TARGET vq2x)
  set(VQ2X_PACKAGED_PROGRAMS "the desktop tool (vq2x-tool), the command line (vq2x)\nand a device simulator (vq2x-sim)")
else()
  set(VQ2X_PACKAGED_PROGRAMS "the desktop tool (vq2x-tool) and a device simulator\n(vq2x-sim)")
endif()
# The summary above is the description's first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "The VQ2x Service Tool connects a PC to VQ20 to VQ23 position and cam
controllers over RS232, RS422 or RS485. It reads, edits, stores, prints and
writes back their parameters and setpoints, backs up and restores whole
devices, calibrates their analog circuits, records live values and finds
devices on the line.
.
The package holds ${VQ2X_PACKAGED_PROGRAMS}, with their data files in /opt/vq2x.")
include(CPack)
