# The toolkit-free layers, each a library that links only the layers below it:
# geometry <- animation <- raster <- analysis. A layer compiles against an include
# root that holds its own folder alone (a link to it), and gets the roots of the
# layers below through its link dependencies, so an upward include does not build.
# The native build and the WebAssembly build (web/) both define them here.
get_filename_component(TORLIN_LAYERS_SOURCE "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

function(torlin_layer target folder)
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  get_filename_component(name ${folder} NAME)
  set(root ${PROJECT_BINARY_DIR}/layers/${name})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${folder} ${root}/${name} SYMBOLIC)
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PUBLIC ${ARGN})
endfunction()

# Design files are JSON, read with nlohmann-json (headers only); the WebAssembly
# build brings its own target for the host's headers.
if(NOT TARGET nlohmann_json::nlohmann_json)
  find_package(nlohmann_json 3 REQUIRED)
endif()
torlin_layer(torlin_geometry ${TORLIN_LAYERS_SOURCE}/geometry nlohmann_json::nlohmann_json)
torlin_layer(torlin_animation ${TORLIN_LAYERS_SOURCE}/animation torlin_geometry)
torlin_layer(torlin_raster ${TORLIN_LAYERS_SOURCE}/raster torlin_animation)
if(NOT EMSCRIPTEN AND NOT TORLIN_ANALYSIS)
  return()
endif()
add_subdirectory(${TORLIN_LAYERS_SOURCE}/analysis ${PROJECT_BINARY_DIR}/analysis)

# api/: a design in, typed columns of numbers out, for the tools, the Explorer and
# Python alike; natively it batches on the one thread pool (oneTBB), where each of the
# page's workers runs its share in order.
torlin_layer(torlin_api ${TORLIN_LAYERS_SOURCE}/api torlin_analysis)
if(NOT EMSCRIPTEN)
  find_package(TBB REQUIRED)
  target_link_libraries(torlin_api PUBLIC TBB::tbb)
  # The Python module is a shared library built from these layers.
  foreach(layer torlin_geometry torlin_animation torlin_raster torlin_analysis torlin_api)
    set_target_properties(${layer} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  endforeach()
endif()
