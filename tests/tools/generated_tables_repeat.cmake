# Runs the table generators twice, with different string hash seeds so that
# an order taken from a Python set or dict of strings would show, and checks
# that both runs wrote the same bytes as the tables this build compiled.
#
#   cmake -DPYTHON=<python3> -DSOURCE=<project root> -DBUILT=<build>/generated
#         -DWORK=<scratch folder> -P generated_tables_repeat.cmake
cmake_minimum_required(VERSION 3.20)

set(tables
    layout/markup/keyword_ids.h
    layout/markup/keyword_trie_data.h
    layout/markup/keyword_trie_data.cpp
    layout/markup/keyword_name_lists.cpp
    layout/markup/keyword_tag_property_table.cpp
    foundation/characters/char_entity_code_points.cpp
    resources/icons_data.cpp)

file(REMOVE_RECURSE "${WORK}")
set(failures "")
foreach(seed 1 2)
  set(out "${WORK}/run${seed}")
  foreach(run "tools/gen_keyword_tables.py;--out;${out}"
              "resources/icons_make.py;${out}/resources/icons_data.cpp")
    list(POP_FRONT run script)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env PYTHONHASHSEED=${seed}
                            ${PYTHON} ${SOURCE}/${script} ${run}
                    RESULT_VARIABLE result ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "${script} failed (${result}): ${err}")
    endif()
  endforeach()
  foreach(table IN LISTS tables)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${out}/${table}" "${BUILT}/${table}"
                    RESULT_VARIABLE differs)
    if(differs)
      list(APPEND failures "${table} (run with hash seed ${seed})")
    endif()
  endforeach()
endforeach()

file(REMOVE_RECURSE "${WORK}")
if(failures)
  string(REPLACE ";" ", " failures "${failures}")
  message(FATAL_ERROR "generated tables differ from the build's: ${failures}")
endif()
