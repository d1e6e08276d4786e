# The release build's hook check, pointed at this test build: it must find
# the hooks here, so a check that has gone blind fails. (The check proper
# runs on the release build in CI: `make release-check`.)
add_test(NAME HookCheck.FindsTheHooksOfATestBuild
         COMMAND ${PROJECT_SOURCE_DIR}/tools/check-no-test-hooks.sh ${CMAKE_BINARY_DIR})
set_tests_properties(HookCheck.FindsTheHooksOfATestBuild PROPERTIES
                     PASS_REGULAR_EXPRESSION "test hook symbols"
                     FAIL_REGULAR_EXPRESSION "nothing built")
