# Installs the build into a fresh temporary prefix and checks that the programs,
# the desktop entry, the icon, the AppStream metainfo, the manual pages and the
# licence land where a desktop and man(1) find them, and that the validators accept
# them; then builds the Debian package and checks what it holds.
# Expects BUILD_DIR, PREFIX, APP_ID, VERSION, CPACK, and PROGRAMS (comma-separated;
# each has a manual page).

function(require_tool variable program package)
  find_program(${variable} ${program})
  if(NOT ${variable})
    message(FATAL_ERROR "${program} is missing: install the Debian package ${package}")
  endif()
endfunction()

# Runs a checker that must succeed and say nothing (on either stream).
function(run_silent what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT result EQUAL 0 OR NOT out STREQUAL "")
    message(FATAL_ERROR "${what} (status ${result}): ${out}")
  endif()
endfunction()

function(require_files)
  foreach(file IN LISTS ARGN)
    if(NOT EXISTS "${file}")
      message(FATAL_ERROR "missing ${file}")
    endif()
  endforeach()
endfunction()

require_tool(DESKTOP_VALIDATE desktop-file-validate desktop-file-utils)
require_tool(APPSTREAMCLI appstreamcli appstream)
require_tool(GROFF groff groff)
require_tool(MAN man man-db)
require_tool(LEXGROG lexgrog man-db)
require_tool(DPKG_DEB dpkg-deb dpkg)
require_tool(LINTIAN lintian lintian)

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

string(REPLACE "," ";" programs "${PROGRAMS}")
foreach(program IN LISTS programs)
  require_files("${PREFIX}/bin/${program}")
  file(GET_RUNTIME_DEPENDENCIES EXECUTABLES "${PREFIX}/bin/${program}"
       UNRESOLVED_DEPENDENCIES_VAR unresolved)
  if(unresolved)
    message(FATAL_ERROR "${program} has unresolved libraries: ${unresolved}")
  endif()
endforeach()

set(desktop "share/applications/${APP_ID}.desktop")
set(icon "share/icons/hicolor/scalable/apps/${APP_ID}.svg")
set(metainfo "share/metainfo/${APP_ID}.metainfo.xml")
# The hand-drawn small icons, which stay sharp where the scalable one would smudge.
set(small_icons)
foreach(size 16 24 32)
  list(APPEND small_icons "share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png")
endforeach()
list(TRANSFORM small_icons PREPEND "${PREFIX}/" OUTPUT_VARIABLE installed_small_icons)
require_files("${PREFIX}/${desktop}" "${PREFIX}/${icon}" "${PREFIX}/${metainfo}"
              "${PREFIX}/share/doc/torlin/copyright" "${PREFIX}/share/doc/torlin/changelog.gz"
              ${installed_small_icons})

# The changelog's latest entry is this version's.
execute_process(COMMAND gzip -dc "${PREFIX}/share/doc/torlin/changelog.gz" OUTPUT_VARIABLE changelog)
if(NOT changelog MATCHES "^torlin \\(${VERSION}\\) ")
  message(FATAL_ERROR "the changelog does not begin with version ${VERSION}")
endif()

file(READ "${PREFIX}/${desktop}" entry)
foreach(line "Exec=torlin" "Icon=${APP_ID}" "Type=Application" "Name=Torlin")
  string(FIND "${entry}" "${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "desktop entry lacks '${line}'")
  endif()
endforeach()
run_silent("desktop-file-validate" "${DESKTOP_VALIDATE}" "${PREFIX}/${desktop}")

execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net "${PREFIX}/${metainfo}"
                RESULT_VARIABLE valid OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT valid EQUAL 0)
  message(FATAL_ERROR "appstreamcli validate: ${out}")
endif()
file(READ "${PREFIX}/${metainfo}" component)
foreach(text "<id>${APP_ID}</id>" "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>"
             "<release version=\"${VERSION}\" date=\"" "<screenshot type=\"default\">" "<content_rating")
  string(FIND "${component}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "metainfo lacks '${text}'")
  endif()
endforeach()
# Software centres learn from it which commands the package brings.
foreach(program IN LISTS programs)
  string(FIND "${component}" "<binary>${program}</binary>" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "metainfo does not list the installed program ${program}")
  endif()
endforeach()

file(READ "${PREFIX}/${icon}" svg)
string(FIND "${svg}" "<svg" at)
if(at EQUAL -1)
  message(FATAL_ERROR "icon is not an SVG image")
endif()

# Each program's page (gzipped) renders without a warning and names the program for
# whatis.
set(ENV{MANWIDTH} 80)
foreach(program IN LISTS programs)
  set(page "${PREFIX}/share/man/man1/${program}.1.gz")
  require_files("${page}")
  execute_process(COMMAND gzip -dc "${page}" COMMAND "${GROFF}" -ww -z -man
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT result EQUAL 0 OR NOT out STREQUAL "")
    message(FATAL_ERROR "groff -ww on ${program}.1 (status ${result}): ${out}")
  endif()
  execute_process(COMMAND "${MAN}" --warnings -E UTF-8 -l "${page}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE rendered ERROR_VARIABLE warnings)
  if(NOT result EQUAL 0 OR NOT warnings STREQUAL "" OR NOT rendered MATCHES "${VERSION}")
    message(FATAL_ERROR "man -l ${program}.1 (status ${result}): ${warnings}")
  endif()
  execute_process(COMMAND "${LEXGROG}" "${page}" RESULT_VARIABLE result OUTPUT_VARIABLE names)
  if(NOT result EQUAL 0 OR NOT names MATCHES "\"${program} - ")
    message(FATAL_ERROR "lexgrog finds no NAME line in ${program}.1: ${names}")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
message(STATUS "install layout is complete")

# The Debian package, from the same install rules.
set(packages "${PREFIX}-deb")
file(REMOVE_RECURSE "${packages}")
execute_process(COMMAND "${CPACK}" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${packages}"
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch OUTPUT_STRIP_TRAILING_WHITESPACE)
set(deb "${packages}/torlin_${VERSION}_${arch}.deb")
if(NOT result EQUAL 0 OR NOT EXISTS "${deb}")
  message(FATAL_ERROR "cpack -G DEB did not build ${deb}: ${out}")
endif()

execute_process(COMMAND "${DPKG_DEB}" --contents "${deb}" OUTPUT_VARIABLE contents RESULT_VARIABLE result)
set(expected ${desktop} ${icon} ${small_icons} ${metainfo} share/doc/torlin/copyright share/doc/torlin/changelog.gz)
foreach(program IN LISTS programs)
  list(APPEND expected bin/${program} share/man/man1/${program}.1.gz)
endforeach()
foreach(path IN LISTS expected)
  string(FIND "${contents}" " ./usr/${path}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the package lacks /usr/${path}:\n${contents}")
  endif()
endforeach()

execute_process(COMMAND "${DPKG_DEB}" --field "${deb}" Depends OUTPUT_VARIABLE depends)
foreach(dependency libc6 libqt6widgets6 fonts-liberation)
  if(NOT depends MATCHES "(^|, )${dependency}[ ,(\n]")
    message(FATAL_ERROR "the package does not depend on ${dependency}: ${depends}")
  endif()
endforeach()

# Stripped: no symbol table and no debugging sections left in the programs.
execute_process(COMMAND "${DPKG_DEB}" --extract "${deb}" "${packages}/root")
foreach(program IN LISTS programs)
  execute_process(COMMAND readelf --section-headers "${packages}/root/usr/bin/${program}"
                  OUTPUT_VARIABLE sections)
  if(sections MATCHES "\\.symtab|\\.debug_")
    message(FATAL_ERROR "${program} in the package is not stripped")
  endif()
endforeach()
# Debian's package checker finds no error (its warnings are read by people).
execute_process(COMMAND "${LINTIAN}" "${deb}" OUTPUT_VARIABLE findings ERROR_VARIABLE ignored)
if(findings MATCHES "(^|\n)E: ")
  message(FATAL_ERROR "lintian reports errors:\n${findings}")
endif()
file(REMOVE_RECURSE "${packages}")
message(STATUS "the Debian package holds what it should")
