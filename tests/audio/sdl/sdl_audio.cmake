# The player on SDL2 audio in an executable of its own: only it links SDL.
# Its leak check suppresses what SDL keeps until the process ends. Its tests
# play in real time, so they run alone.
add_executable(test_audio_sdl ${CMAKE_CURRENT_SOURCE_DIR}/audio/sdl/player_on_sdl_test.cpp
               ${CMAKE_CURRENT_SOURCE_DIR}/audio/sources/ogg_test_files.cpp)
target_compile_definitions(test_audio_sdl PRIVATE TESSALYN_SDL_AUDIO_TEST)
target_link_libraries(test_audio_sdl PRIVATE tessalyn_platform_sdl tessalyn_audio tessalyn_audio_support
                      tessalyn_resources tessalyn_test_support GTest::gtest GTest::gmock)
gtest_discover_tests(test_audio_sdl DISCOVERY_TIMEOUT 60
  PROPERTIES RUN_SERIAL TRUE ENVIRONMENT "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan_suppressions.txt")
