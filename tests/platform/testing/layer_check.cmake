# The include layer check's own test: it must pass a tree that includes
# only downward and catch planted upward and sideways includes, so a check
# that has gone blind fails.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME IncludeLayers.CheckCatchesPlantedViolations
         COMMAND Python3::Interpreter ${CMAKE_CURRENT_LIST_DIR}/layer_check_test.py)
