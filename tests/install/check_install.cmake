# Installs the build into a fresh temporary prefix and checks that the programs,
# the desktop entry and the icon land where a desktop's menu finds them.
# Expects BUILD_DIR, PREFIX, APP_ID and PROGRAMS (comma-separated).
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

string(REPLACE "," ";" programs "${PROGRAMS}")
foreach(program IN LISTS programs)
  if(NOT EXISTS "${PREFIX}/bin/${program}")
    message(FATAL_ERROR "missing ${PREFIX}/bin/${program}")
  endif()
  file(GET_RUNTIME_DEPENDENCIES EXECUTABLES "${PREFIX}/bin/${program}"
       UNRESOLVED_DEPENDENCIES_VAR unresolved)
  if(unresolved)
    message(FATAL_ERROR "${program} has unresolved libraries: ${unresolved}")
  endif()
endforeach()

set(desktop "${PREFIX}/share/applications/${APP_ID}.desktop")
set(icon "${PREFIX}/share/icons/hicolor/scalable/apps/${APP_ID}.svg")
foreach(file "${desktop}" "${icon}")
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "missing ${file}")
  endif()
endforeach()

file(READ "${desktop}" entry)
foreach(line "Exec=torlin" "Icon=${APP_ID}" "Type=Application" "Name=Torlin")
  string(FIND "${entry}" "${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "desktop entry lacks '${line}'")
  endif()
endforeach()

find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND "${VALIDATE}" "${desktop}" RESULT_VARIABLE valid OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT valid EQUAL 0 OR NOT out STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate: ${out}")
  endif()
endif()

file(READ "${icon}" svg)
string(FIND "${svg}" "<svg" at)
if(at EQUAL -1)
  message(FATAL_ERROR "icon is not an SVG image")
endif()
file(REMOVE_RECURSE "${PREFIX}")
message(STATUS "install layout is complete")
