# Helpers shared by every folder's CMakeLists: a library per subsystem that
# names its sources, and a test executable per subsystem folder of tests/.

function(tessalyn_global_options)
  add_compile_options(-Wall -Wextra)
  if(TESSALYN_WERROR)
    add_compile_options(-Werror)
  endif()
  # g++ 12's optimiser reports a false -Wrestrict overlap inside libstdc++'s
  # own string concatenation ("literal" + std::string) in optimised builds.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    add_compile_options(-Wno-restrict)
  endif()
  if(TESSALYN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
  if(TESSALYN_FUZZ)
    add_compile_options(-fsanitize=address,undefined,fuzzer-no-link -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
endfunction()

# tessalyn_library(<name> [SYSTEM] DEPS <lib>... SOURCES <file>...)
# Every library names its sources: the list is its table of contents, and a
# stray file cannot join it silently. SYSTEM marks the system's own code,
# built without exceptions.
function(tessalyn_library name)
  cmake_parse_arguments(ARG "SYSTEM" "" "DEPS;SOURCES" ${ARGN})
  if(NOT ARG_SOURCES)
    message(FATAL_ERROR "tessalyn_library(${name}) names no SOURCES")
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  if(ARG_SYSTEM)
    target_compile_options(${name} PRIVATE -fno-exceptions)
  endif()
endfunction()

# tessalyn_test_suite(<subsystem-folder> DEPS <lib>...): one GoogleTest
# executable per folder of tests/, every test registered with ctest.
function(tessalyn_test_suite folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  set(target test_${folder})
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} tessalyn_test_support GTest::gtest GTest::gmock)
  # Sanitizer options come from the environment `make test` sets.
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60)
endfunction()
