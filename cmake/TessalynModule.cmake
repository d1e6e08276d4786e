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
  if(TESSALYN_TSAN)
    if(TESSALYN_SANITIZE OR TESSALYN_FUZZ)
      message(FATAL_ERROR "TESSALYN_TSAN cannot be combined with AddressSanitizer")
    endif()
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
  endif()
  if(TESSALYN_FUZZ)
    add_compile_options(-fsanitize=address,undefined,fuzzer-no-link -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
endfunction()

# tessalyn_library(<name> [SYSTEM] [HEADERS_ONLY] [FOLDER <folder>]
#                  DEPS <lib>... SOURCES <file>...)
# Every library names its sources: the list is its table of contents, and a
# stray file cannot join it silently. SYSTEM marks the system's own code,
# built without exceptions; HEADERS_ONLY a library of headers alone. FOLDER
# (relative to the project; by default the calling CMakeLists' folder) is
# what the library's code lives in: the layer check allows its files to
# include only their own folder and those of the libraries it links.
function(tessalyn_library name)
  cmake_parse_arguments(ARG "SYSTEM;HEADERS_ONLY" "FOLDER" "DEPS;SOURCES" ${ARGN})
  if(NOT ARG_FOLDER)
    file(RELATIVE_PATH ARG_FOLDER ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  if(ARG_HEADERS_ONLY)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  else()
    if(NOT ARG_SOURCES)
      message(FATAL_ERROR "tessalyn_library(${name}) names no SOURCES")
    endif()
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    if(ARG_SYSTEM)
      target_compile_options(${name} PRIVATE -fno-exceptions)
    endif()
  endif()
  set_property(TARGET ${name} PROPERTY TESSALYN_FOLDER ${ARG_FOLDER})
  set_property(GLOBAL APPEND PROPERTY TESSALYN_LAYER_LIBRARIES ${name})
endfunction()

# The layered libraries a target links directly: through umbrella targets
# of no folder of their own (tessalyn_platform), not through layered ones.
function(tessalyn_layer_deps target out)
  get_target_property(type ${target} TYPE)
  get_target_property(links ${target} INTERFACE_LINK_LIBRARIES)
  if(NOT type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(own ${target} LINK_LIBRARIES)
    list(APPEND links ${own})
  endif()
  set(found)
  foreach(link IN LISTS links)
    if(NOT TARGET ${link})
      continue()  # a system library, or a generator expression (LINK_ONLY)
    endif()
    get_target_property(imported ${link} IMPORTED)
    if(imported)
      continue()
    endif()
    get_target_property(folder ${link} TESSALYN_FOLDER)
    if(folder)
      list(APPEND found ${folder})
    else()
      tessalyn_layer_deps(${link} through)
      list(APPEND found ${through})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES found)
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# tessalyn_layer_check(): writes the table of layers (each library's folder
# and the folders of the libraries it links) into the build folder, and
# registers the test that holds every include of the libraries' code to it.
# Called once, after every library is defined.
function(tessalyn_layer_check)
  get_property(libraries GLOBAL PROPERTY TESSALYN_LAYER_LIBRARIES)
  set(table "# folder: the folders it may include besides its own (made by CMake)\n")
  foreach(library IN LISTS libraries)
    get_target_property(folder ${library} TESSALYN_FOLDER)
    tessalyn_layer_deps(${library} deps)
    list(JOIN deps " " deps)
    string(APPEND table "${folder}: ${deps}\n")
  endforeach()
  set(table_file ${CMAKE_BINARY_DIR}/include_layers.txt)
  file(WRITE ${table_file} "${table}")
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_test(NAME IncludeLayers.EveryIncludeGoesDownward
           COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/check-include-layers.py
                   ${PROJECT_SOURCE_DIR} ${table_file})
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

# tessalyn_export_platform(<target>): a program or test that loads plug-ins
# (the speech plug-in) shares its one platform with them: every platform
# library is linked whole and the program exports its symbols, which the
# plug-ins leave undefined.
function(tessalyn_export_platform target)
  get_property(libraries GLOBAL PROPERTY TESSALYN_PLATFORM_LIBRARIES)
  set(whole "LINKER:--whole-archive")
  foreach(library IN LISTS libraries)
    list(APPEND whole "$<TARGET_FILE:${library}>")
  endforeach()
  list(APPEND whole "LINKER:--no-whole-archive")
  target_link_options(${target} PRIVATE ${whole})
  set_target_properties(${target} PROPERTIES ENABLE_EXPORTS ON)
endfunction()
