#include "tests/support/screen_golden.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/testing/windows.h"
#include "tests/support/png_reader.h"

namespace testpng {

void ExpectScreenMatchesGolden(const std::filesystem::path& golden, const std::string& name) {
  if (std::getenv("TESSALYN_UPDATE_GOLDENS")) {
    std::filesystem::create_directories(golden.parent_path());
    ASSERT_TRUE(devtest::WriteScreenPng(golden.string()));
    return;
  }
  std::filesystem::path shot = std::filesystem::temp_directory_path() / ("tessalyn_" + name);
  ASSERT_TRUE(devtest::WriteScreenPng(shot.string()));
  Picture expected, actual;
  ASSERT_TRUE(ReadPngRgb(golden.string(), &expected)) << "missing golden " << golden;
  ASSERT_TRUE(ReadPngRgb(shot.string(), &actual));
  ASSERT_EQ(actual.width, expected.width);
  ASSERT_EQ(actual.height, expected.height);
  size_t differing = 0, first = 0;
  for (size_t i = 0; i < actual.pixels.size(); ++i)
    if (actual.pixels[i] != expected.pixels[i] && differing++ == 0) first = i;
  EXPECT_EQ(differing, 0u) << name << ": first difference at (" << first % actual.width << ", "
                           << first / actual.width << "); the screen is in " << shot;
  if (differing == 0) std::filesystem::remove(shot);
}

}  // namespace testpng
