# Tables that generators write into the build folder (never committed): the
# markup keyword tables with the character entity code points, written
# together by tools/gen_keyword_tables.py. The target below writes them before
# any library that compiles them; headers among them are found through
# TESSALYN_GENERATED_DIR, so `#include "layout/markup/keyword_ids.h"` works as
# for a source header. (resources/ makes its icon data the same way.)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(TESSALYN_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)

set(TESSALYN_GENERATED_FOUNDATION_SOURCES
    ${TESSALYN_GENERATED_DIR}/foundation/characters/char_entity_code_points.cpp)
set(TESSALYN_GENERATED_LAYOUT_SOURCES
    ${TESSALYN_GENERATED_DIR}/layout/markup/keyword_name_lists.cpp
    ${TESSALYN_GENERATED_DIR}/layout/markup/keyword_tag_property_table.cpp
    ${TESSALYN_GENERATED_DIR}/layout/markup/keyword_trie_data.cpp)
set(keyword_table_outputs
    ${TESSALYN_GENERATED_FOUNDATION_SOURCES}
    ${TESSALYN_GENERATED_LAYOUT_SOURCES}
    ${TESSALYN_GENERATED_DIR}/layout/markup/keyword_ids.h
    ${TESSALYN_GENERATED_DIR}/layout/markup/keyword_trie_data.h)
add_custom_command(
  OUTPUT ${keyword_table_outputs}
  COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/gen_keyword_tables.py
          --out ${TESSALYN_GENERATED_DIR}
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/gen_keyword_tables.py
  COMMENT "Writing the markup keyword tables"
  VERBATIM)
add_custom_target(tessalyn_keyword_tables DEPENDS ${keyword_table_outputs})
