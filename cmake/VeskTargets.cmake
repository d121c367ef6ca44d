# Helpers shared by every layer: our warnings, one library per layer from its folder,
# one test program per layer, one benchmark program per file.

function(vesk_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# vesk_layer(<target> [QT] <folder>... [DEPS ...]): a static library of every .cpp under the folders;
# QT runs moc on it.
# A layer whose folders have no sources yet is an interface library, so that the layers
# above can already name it.
function(vesk_layer target)
  cmake_parse_arguments(ARG "QT" "" "DEPS" ${ARGN})
  set(sources)
  foreach(folder IN LISTS ARG_UNPARSED_ARGUMENTS)
    file(GLOB_RECURSE folder_sources CONFIGURE_DEPENDS ${folder}/*.cpp)
    list(APPEND sources ${folder_sources})
  endforeach()
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
    set_target_properties(${target} PROPERTIES AUTOMOC ${ARG_QT})
    vesk_warnings(${target})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# vesk_tests(<target> <folder> [DEPS ...] [ENV ...]): one GoogleTest program of every .cpp
# under the folder; nothing while the folder is empty.
function(vesk_tests target folder)
  cmake_parse_arguments(ARG "" "" "DEPS;ENV" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gmock GTest::gtest_main)
  target_compile_definitions(${target} PRIVATE VESK_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  vesk_warnings(${target})
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 600 ENVIRONMENT "${ARG_ENV}")
endfunction()

# vesk_benchmark(<target> <source> [DEPS ...]): built with the project, run by hand.
function(vesk_benchmark target source)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${source})
    return()
  endif()
  add_executable(${target} ${source})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
  vesk_warnings(${target})
endfunction()
