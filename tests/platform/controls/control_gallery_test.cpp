// The gallery of every control against its golden pictures, pixel for
// pixel, at 240x320 (96 dpi) and 480x640 (192 dpi) with the built-in font,
// with the combo's list closed and open; the same screens drawn with
// FreeType, written for a person to look at; and every control made and
// destroyed 1,000 times leaving the live GDI objects and windows as they
// were.
//
// After a deliberate change of the controls' look, rewrite the goldens with
//   TESSALYN_UPDATE_GOLDENS=1 build/bin/test_platform --gtest_filter='ControlGallery.*'
// and look at the new pictures before committing them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/controls/combo_box.h"
#include "platform/gdi/gdi_hooks.h"
#include "platform/testing/fonts.h"
#include "platform/testing/gdi.h"
#include "platform/testing/profile.h"
#include "platform/testing/reset.h"
#include "platform/testing/windows.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/windows.h"
#include "tests/platform/controls/control_gallery.h"
#include "tests/support/screen_golden.h"

namespace {

using controltest::BuildGallery;
using controltest::DestroyGallery;
using controltest::Gallery;

std::filesystem::path GoldenPath(const std::string& name) {
  return std::filesystem::path(TESSALYN_SOURCE_DIR) / "tests" / "platform" / "controls" / "golden" / name;
}

void UseScreen(int width, int height, int dpi) {
  devtest::DeviceProfile profile;
  profile.screenWidth = width;
  profile.screenHeight = height;
  profile.dpi = dpi;
  profile.bitsPerPixel = 16;
  devtest::SetProfile(profile);
}

// Compares the screen with a golden picture, or rewrites the golden.
void ExpectScreenMatches(const std::string& name) { testpng::ExpectScreenMatchesGolden(GoldenPath(name), name); }

struct Screen {
  int width, height, dpi;
  const char* suffix;
};
const Screen kScreens[] = {{240, 320, 96, "240x320"}, {480, 640, 192, "480x640"}};

TEST(ControlGallery, MatchesTheGoldensAtBothSizes) {
  for (const Screen& screen : kScreens) {
    SCOPED_TRACE(screen.suffix);
    devtest::ResetDevice();
    UseScreen(screen.width, screen.height, screen.dpi);
    Gallery g = BuildGallery();
    ExpectScreenMatches(std::string("control_gallery_") + screen.suffix + ".png");
    SendMessageW(g.combo, CB_SHOWDROPDOWN, TRUE, 0);
    devtest::PumpMessages();
    ExpectScreenMatches(std::string("control_gallery_combo_open_") + screen.suffix + ".png");
    DestroyGallery(g);
  }
}

TEST(ControlGallery, TheFreeTypeScreensAreWrittenForALook) {
  for (const Screen& screen : kScreens) {
    devtest::ResetDevice();
    UseScreen(screen.width, screen.height, screen.dpi);
    devtest::UseFontEngine(fonts::EngineKind::FreeType);
    Gallery g = BuildGallery();
    std::filesystem::path out = std::filesystem::current_path() / (std::string("control_gallery_freetype_") + screen.suffix + ".png");
    ASSERT_TRUE(devtest::WriteScreenPng(out.string()));
    SendMessageW(g.combo, CB_SHOWDROPDOWN, TRUE, 0);
    devtest::PumpMessages();
    std::filesystem::path open =
        std::filesystem::current_path() / (std::string("control_gallery_freetype_combo_open_") + screen.suffix + ".png");
    ASSERT_TRUE(devtest::WriteScreenPng(open.string()));
    std::printf("FreeType screens: %s %s\n", out.c_str(), open.c_str());
    DestroyGallery(g);
  }
}

TEST(ControlGallery, MakingAndDestroyingEveryControlAThousandTimesLeavesTheCounts) {
  UseScreen(240, 320, 96);
  // The first gallery makes what stays for the process (stock objects,
  // classes, the screen).
  Gallery warm = BuildGallery();
  DestroyGallery(warm);
  int windows = devtest::LiveWindowCount();
  std::vector<int> live;
  for (int kind = 0; kind < kGdiKindCount; ++kind) live.push_back(devtest::LiveGdiObjects(static_cast<GdiKind>(kind)));
  for (int i = 0; i < 1000; ++i) {
    Gallery g = BuildGallery(i % 100 == 0);
    if (i % 100 == 0) {
      SendMessageW(g.combo, CB_SHOWDROPDOWN, TRUE, 0);
      devtest::PumpMessages();
    }
    DestroyGallery(g);
  }
  devtest::PumpMessages();
  EXPECT_EQ(devtest::LiveWindowCount(), windows);
  for (int kind = 0; kind < kGdiKindCount; ++kind)
    EXPECT_EQ(devtest::LiveGdiObjects(static_cast<GdiKind>(kind)), live[static_cast<size_t>(kind)]) << "kind " << kind;
}

}  // namespace
