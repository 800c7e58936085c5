# What an installed Torlin brings besides its programs: AppStream metainfo, manual
# pages, the licence; and the Debian package built from the same install rules.

# The date of the release whose version project() sets.
set(TORLIN_RELEASE_DATE 2026-12-08)
# Where software centres fetch the picture of the running window (docs/torlin.png).
set(TORLIN_SCREENSHOT_URL https://tvva.example/torlin/torlin.png)

# The programs this build installs, and no others: the tools are optional.
set(TORLIN_PROVIDED_BINARIES "    <binary>torlin</binary>")
foreach(tool torlin-lift torlin-modes)
  if(TARGET ${tool})
    string(APPEND TORLIN_PROVIDED_BINARIES "\n    <binary>${tool}</binary>")
  endif()
endforeach()

set(generated ${PROJECT_BINARY_DIR}/generated)
configure_file(data/metainfo.xml.in ${generated}/${TORLIN_APP_ID}.metainfo.xml @ONLY)
install(FILES ${generated}/${TORLIN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Installed documents are gzipped as Debian wants them: at the best compression,
# without a name or time stamp, so that the same input gives the same bytes.
function(torlin_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND gzip -9nc ${source} > ${output}
    DEPENDS ${source}
    COMMENT "Compressing ${output}")
endfunction()

# Every page in data/man/ carries the version and date; the tools' pages come with
# the tools.
file(GLOB manual_pages CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/man/*.1)
set(compressed_documents)
foreach(page IN LISTS manual_pages)
  get_filename_component(name ${page} NAME)
  if(NOT name STREQUAL "torlin.1" AND NOT TORLIN_TOOLS)
    continue()
  endif()
  configure_file(${page} ${generated}/man/${name} @ONLY)
  torlin_gzip(${generated}/man/${name} ${generated}/man/${name}.gz)
  list(APPEND compressed_documents ${generated}/man/${name}.gz)
  install(FILES ${generated}/man/${name}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/torlin RENAME copyright)
torlin_gzip(${PROJECT_SOURCE_DIR}/data/changelog ${generated}/changelog.gz)
list(APPEND compressed_documents ${generated}/changelog.gz)
install(FILES ${generated}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/torlin)
add_custom_target(compressed_documents ALL DEPENDS ${compressed_documents})

# The Explorer's single-file edition, made by the WebAssembly build (scripts/web),
# with a desktop entry that opens it in the user's browser. The package's preset
# names it; scripts/package builds it first.
set(TORLIN_EXPLORER_FILE "" CACHE FILEPATH "The Explorer's single-file edition to install (empty: none)")
if(TORLIN_EXPLORER_FILE)
  install(FILES ${TORLIN_EXPLORER_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/torlin)
  # The entry names the file where it is installed, which only the install knows (the
  # package installs under /usr whatever the build's prefix).
  set(explorer_entry ${generated}/${TORLIN_APP_ID}.Explorer.desktop)
  install(CODE "
    set(TORLIN_EXPLORER_INSTALLED \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/torlin/torlin-explorer.html\")
    configure_file(\"${PROJECT_SOURCE_DIR}/data/${TORLIN_APP_ID}.Explorer.desktop.in\" \"${explorer_entry}\" @ONLY)
    file(INSTALL \"${explorer_entry}\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")")
endif()

# cpack -G DEB: torlin_<version>_amd64.deb, stripped, with the libraries' packages
# found by dpkg-shlibdeps, and the fonts the window's text is laid out for.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME torlin)
set(CPACK_PACKAGE_VENDOR "The Torlin developers")
set(CPACK_PACKAGE_CONTACT "The Torlin developers <torlin@tvva.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "animated variable valve actuation mechanism with a lift plot")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Torlin animates a valve train with two control shafts and plots valve lift\n\
against crank angle, revolution after revolution, so that the lift curves of\n\
successive shaft settings can be compared. torlin-lift prints the same\n\
kinematics as CSV; torlin-modes maps lift and duration over every mode. The\n\
Torlin Explorer, one page that opens in the web browser, shows every mode\n\
interactively.")
set(CPACK_PACKAGE_HOMEPAGE_URL https://tvva.example/torlin)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
if(TORLIN_EXPLORER_FILE)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", xdg-utils")
endif()
if(TORLIN_PYTHON)
  # The module for the system's Python 3; sweeps on a cluster want Dask's scheduler.
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", python3 (>= 3.11), python3 (<< 3.12), python3-numpy")
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS "python3-distributed, python3-pandas")
endif()
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
