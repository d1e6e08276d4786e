# The SDL2 smoke test in an executable of its own: only it links SDL, and
# its leak check suppresses what X11 and SDL keep until the process ends.
add_executable(test_sdl_smoke ${CMAKE_CURRENT_SOURCE_DIR}/platform/sdl/sdl_smoke_test.cpp)
target_compile_definitions(test_sdl_smoke PRIVATE TESSALYN_SDL_SMOKE_TEST)
target_link_libraries(test_sdl_smoke PRIVATE tessalyn_platform_sdl tessalyn_resources tessalyn_test_support
                      GTest::gtest GTest::gmock ${CMAKE_DL_LIBS})
# Test discovery passes only the first element of an ENVIRONMENT list, so
# the test gets the one variable it needs from here (leaks are checked by
# default; SDL_AUDIODRIVER=dummy is set by the test itself).
gtest_discover_tests(test_sdl_smoke DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan_suppressions.txt")
