// The display manager's orientations: the rotation cycle, the four screen
// corners through the transforms, the rectangle mapping and the rotated copy
// of the screen image, the direction keys, and views that forbid rotation.
#include "platform/testing/clock.h"
#include "tests/layout/display/display_test_fixture.h"

namespace displaytest {
namespace {

constexpr int W = 240;
constexpr int H = 320;

// Where a surface pixel must show on the screen, as the transforms' own
// formulas put it (surface W x H in the text's orientation).
Point ExpectedOnScreen(uint8_t code, Point p, int w, int h) {
  switch (code) {
    case 1:
      return Point{p.y, w - 1 - p.x};
    case 2:
      return Point{h - 1 - p.y, p.x};
    case 3:
      return Point{w - 1 - p.x, h - 1 - p.y};
    default:
      return p;
  }
}

TEST_F(DisplayTest, NextOrientationAndCommandsFollowTheCycle) {
  EXPECT_EQ(DisplayManager::NextOrientation(0), 2);
  EXPECT_EQ(DisplayManager::NextOrientation(2), 3);
  EXPECT_EQ(DisplayManager::NextOrientation(3), 1);
  EXPECT_EQ(DisplayManager::NextOrientation(1), 0);
  EXPECT_EQ(DisplayManager::NextOrientation(255), 255);
  EXPECT_EQ(DisplayManager::CommandForOrientation(0), 75);
  EXPECT_EQ(DisplayManager::CommandForOrientation(1), 78);
  EXPECT_EQ(DisplayManager::CommandForOrientation(2), 77);
  EXPECT_EQ(DisplayManager::CommandForOrientation(3), 76);
  EXPECT_EQ(DisplayManager::CommandForOrientation(7), 0xFFFFFF);
}

// Command 74 four times from upright turns the screen through 2, 3, 1 and
// back to 0; at each step the corners of the surface land where the
// transforms put them, stylus points map back, rectangles map onto the same
// pixels, and what the tree drew into the screen image appears there.
TEST_F(DisplayTest, RotationCycleMapsCornersStylusAndPixels) {
  AttachUpright();
  const uint8_t cycle[4] = {2, 3, 1, 0};
  const uint32_t colours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0x000000};
  for (uint8_t expected : cycle) {
    ASSERT_TRUE(display.HandleCommand(74));
    ASSERT_EQ(display.Rotation(), expected);
    EXPECT_EQ(display.PreferredOrientation(), expected);
    EXPECT_EQ(host.storedOrientation, expected);
    const bool quarter = expected == 1 || expected == 2;
    const int w = quarter ? H : W;
    const int h = quarter ? W : H;
    ASSERT_EQ(display.LogicalSize().width, w);
    ASSERT_EQ(display.LogicalSize().height, h);
    EXPECT_EQ(display.ScreenImage().IsValid(), expected != 0);
    Size client;
    surface.GetClientSize(&client, false);
    EXPECT_EQ(client.width, w);
    EXPECT_EQ(client.height, h);

    const Point corners[4] = {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}};
    // Paint the surface white with a coloured pixel at each corner.
    surface.BeginDraw(false);
    surface.SetBackgroundColor(Color::FromRgb(255, 255, 255));
    surface.EraseRect(Rect{0, 0, w, h});
    for (int i = 0; i < 4; ++i) {
      uint32_t c = colours[i];
      surface.SetBackgroundColor(Color::FromRgb(c >> 16, (c >> 8) & 0xFF, c & 0xFF));
      surface.EraseRect(Rect{corners[i].x, corners[i].y, 1, 1});
    }
    surface.EndDraw();
    for (int i = 0; i < 4; ++i) {
      Point screen = ExpectedOnScreen(expected, corners[i], w, h);
      EXPECT_EQ(display.MapPoint(corners[i], false), screen) << "code " << int{expected};
      EXPECT_EQ(display.MapWindowPoint(screen), corners[i]) << "code " << int{expected};
      Rect pixel{corners[i].x, corners[i].y, 1, 1};
      display.TransformRect(&pixel);
      EXPECT_EQ(pixel, (Rect{screen.x, screen.y, 1, 1})) << "code " << int{expected};
      EXPECT_EQ(ScreenPixel(screen), colours[i]) << "code " << int{expected} << " corner " << i;
    }
    // A stylus tap on the screen reaches the element tree in its own
    // orientation: the surface maps it before handing it on.
    Point tap = ExpectedOnScreen(expected, Point{10, 3}, w, h);
    EXPECT_EQ(display.MapWindowPoint(tap), (Point{10, 3}));
  }
}

TEST_F(DisplayTest, RotatedRectanglesCoverTheSamePixels) {
  AttachUpright();
  for (int32_t command : {77, 76, 78}) {
    display.HandleCommand(command);
    Size s = display.LogicalSize();
    Rect r{5, 7, 20, 11};
    Rect mapped = r;
    display.TransformRect(&mapped, false);
    Point a = display.MapPoint(Point{5, 7}, false);
    Point b = display.MapPoint(Point{24, 17}, false);
    EXPECT_EQ(mapped.x, std::min(a.x, b.x)) << command;
    EXPECT_EQ(mapped.y, std::min(a.y, b.y)) << command;
    EXPECT_EQ(mapped.width, std::abs(a.x - b.x) + 1) << command;
    EXPECT_EQ(mapped.height, std::abs(a.y - b.y) + 1) << command;
    display.TransformRect(&mapped, true);
    EXPECT_EQ(mapped, r) << command;
    EXPECT_GT(s.width, 0);
  }
}

TEST_F(DisplayTest, DirectionKeysFollowTheRotation) {
  struct Case {
    uint8_t rotation;
    int32_t command;
    uint32_t keys[6];  // what 1, 2, 3, 4, 9, 10 become
  };
  const Case cases[] = {
      {0, 75, {1, 2, 3, 4, 1, 2}},
      {1, 78, {4, 3, 1, 2, 2, 1}},
      {2, 77, {3, 4, 2, 1, 1, 2}},
      {3, 76, {2, 1, 4, 3, 2, 1}},
  };
  AttachUpright();
  const uint32_t in[6] = {1, 2, 3, 4, 9, 10};
  for (const Case& c : cases) {
    display.HandleCommand(c.command);
    ASSERT_EQ(display.Rotation(), c.rotation);
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(display.MapKey(in[i]), c.keys[i]) << "rotation " << int{c.rotation} << " key " << in[i];
      // The high bits 0x700 stay, anything above 0x7FF goes.
      EXPECT_EQ(display.MapKey(0x1500 | in[i]), 0x500 | c.keys[i]);
      const int32_t chosen = display.ChooseByOrientation(static_cast<int32_t>(in[i]), 101, 102, 103, 104, 109, 110);
      const int32_t expected = i >= 4 ? (c.keys[i] == 1 ? 109 : 110) : 100 + static_cast<int32_t>(c.keys[i]);
      EXPECT_EQ(chosen, expected) << "rotation " << int{c.rotation} << " code " << in[i];
    }
    EXPECT_EQ(display.ChooseByOrientation(5, 1, 2, 3, 4, 9, 10), DisplayManager::kNoCommand);
  }
  // With rotation 3 the up key acts as down and key 9 as down.
  EXPECT_EQ(display.MapKey(1), 2u);
  EXPECT_EQ(display.MapKey(9), 2u);
}

TEST_F(DisplayTest, AViewThatForbidsRotationStaysUpright) {
  host.allowRotation = false;
  AttachUpright();
  for (int32_t command : {74, 76, 77, 78}) {
    display.HandleCommand(command);
    EXPECT_EQ(display.Rotation(), 0) << command;
    EXPECT_FALSE(display.ScreenImage().IsValid());
    EXPECT_EQ(display.MapPoint(Point{3, 4}, true), (Point{3, 4}));
    EXPECT_EQ(display.MapKey(1), 1u);
  }
  EXPECT_EQ(display.PreferredOrientation(), 1);  // kept for a view that allows it
  // A surface whose colour depth the rotated copy cannot handle stays upright too.
  host.allowRotation = true;
  host.depth = 4;
  display.HandleCommand(76);
  EXPECT_EQ(display.Rotation(), 0);
}

TEST_F(DisplayTest, PlatformRotationOnlyAsksThePlatform) {
  host.platformRotates = true;
  host.platformAccepts = true;
  AttachUpright();
  display.HandleCommand(77);
  EXPECT_EQ(host.platformOrientation, 2);
  EXPECT_EQ(display.Rotation(), 0);
  display.HandleCommand(74);
  EXPECT_EQ(host.platformRotations, 2);
  EXPECT_EQ(display.Rotation(), 0);
  // Refused by the platform: software rotation takes over.
  host.platformAccepts = false;
  display.HandleCommand(76);
  EXPECT_EQ(display.Rotation(), 3);
}

TEST_F(DisplayTest, DisabledRotationOnlyStoresThePreference) {
  AttachUpright();
  display.HandleCommand(76);
  ASSERT_EQ(display.Rotation(), 3);
  host.keepEnabled = false;
  display.UpdateMode();
  EXPECT_FALSE(display.IsRotationEnabled());
  EXPECT_EQ(display.Rotation(), DisplayManager::kUnset);
  EXPECT_EQ(display.PreferredOrientation(), 3);
  EXPECT_FALSE(display.ScreenImage().IsValid());
  display.HandleCommand(77);
  EXPECT_EQ(display.PreferredOrientation(), 2);
  EXPECT_EQ(host.storedOrientation, 2);
  EXPECT_EQ(display.Rotation(), DisplayManager::kUnset);
  // Enabled again: the preference is applied.
  host.keepEnabled = true;
  display.UpdateMode();
  EXPECT_EQ(display.Rotation(), 2);
  EXPECT_EQ(display.LogicalSize().width, H);
}

TEST_F(DisplayTest, AScreenImageThatCannotBeMadeFallsBackUpright) {
  AttachUpright();
  devtest::FailGdiCreation(devtest::GdiFailure::DibSections, 1, true);
  display.HandleCommand(78);
  devtest::FailGdiCreation(devtest::GdiFailure::DibSections, 0, false);
  EXPECT_EQ(display.Rotation(), 0);
  EXPECT_EQ(display.LogicalSize().width, W);
  EXPECT_EQ(display.LogicalSize().height, H);
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0], DisplayManager::kNotEnoughMemory);
}

}  // namespace
}  // namespace displaytest
