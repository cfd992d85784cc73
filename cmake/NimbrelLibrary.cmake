# Each folder of the system's code is one static library that names the libraries below it; its
# tests join the one test program (nimbrel_tests) that the top-level list builds.

# Include paths and build settings every library and test of the project shares.
add_library(nimbrel_settings INTERFACE)
target_include_directories(nimbrel_settings INTERFACE ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
target_compile_definitions(nimbrel_settings INTERFACE ${NIMBREL_VENDOR_DEFINITIONS})

# nimbrel_library(<target> SOURCES <files...> [DEPENDS <libraries...>])
function(nimbrel_library target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;DEPENDS")
  add_library(${target} STATIC ${arg_SOURCES})
  target_link_libraries(${target} PUBLIC nimbrel_settings ${arg_DEPENDS})
endfunction()

# nimbrel_tests(<files...>): the folder's tests, for the test program.
function(nimbrel_tests)
  foreach(file ${ARGN})
    set_property(GLOBAL APPEND PROPERTY NIMBREL_TEST_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/${file})
  endforeach()
endfunction()
