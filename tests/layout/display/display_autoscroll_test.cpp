// Automatic scrolling: the tick on the virtual clock, the speed keys, the
// stop commands, and the battery idle time-out given back on every path
// that ends scrolling.
#include "platform/system/system_parameters_hooks.h"
#include "platform/testing/system_parameters.h"
#include "tests/layout/display/display_test_fixture.h"

namespace displaytest {
namespace {

constexpr DWORD kDeviceTimeout = devtest::kDefaultBatteryIdleTimeout;

class AutoscrollTest : public DisplayTest {
 protected:
  void Start() {
    AttachUpright();
    ASSERT_TRUE(display.HandleCommand(79));
    ASSERT_TRUE(display.IsAutoscrolling());
  }
};

TEST_F(AutoscrollTest, TicksScrollTheViewByTheStepOnTheVirtualClock) {
  Start();
  EXPECT_TRUE(display.TimerRunning());
  EXPECT_EQ(devtest::BatteryIdleTimeout(), 3600u);
  EXPECT_TRUE(display.ScreenImage().IsValid());  // scrolling needs it even upright
  EXPECT_EQ(display.AutoscrollRemaining(), 280);
  // The first tick brings the next page in and scrolls one pixel.
  devtest::AdvanceTimeAndPump(50);
  EXPECT_EQ(host.steps, 1);
  EXPECT_EQ(display.AutoscrollRemaining(), 279);
  devtest::AdvanceTimeAndPump(49);
  EXPECT_EQ(display.AutoscrollRemaining(), 279);
  devtest::AdvanceTimeAndPump(1);
  EXPECT_EQ(display.AutoscrollRemaining(), 278);
  // A step of 100 pixels: 278 -> 178 -> 78 -> 0, then the next page.
  display.SetAutoscrollSpeed(100, 50);
  devtest::AdvanceTimeAndPump(150);
  EXPECT_EQ(host.steps, 2);
  EXPECT_EQ(display.AutoscrollRemaining(), 280);
}

// The next page, painted into the screen image, slides in from the bottom
// of the view's area: after one tick its first row is the area's last.
TEST_F(AutoscrollTest, TheNextPageSlidesInFromTheBottom) {
  host.onStep = [this] {
    surface.BeginDraw(false);
    surface.SetBackgroundColor(Color::FromRgb(255, 255, 255));
    surface.EraseRect(Rect{0, 20, 240, 280});
    surface.SetBackgroundColor(Color::FromRgb(255, 0, 0));
    surface.EraseRect(Rect{0, 20, 240, 1});
    surface.SetBackgroundColor(Color::FromRgb(0, 0, 255));
    surface.EraseRect(Rect{0, 21, 240, 1});
    surface.EndDraw();
  };
  Start();
  display.SetAutoscrollSpeed(1, 50);
  // Nothing of the next page shows before the first tick.
  EXPECT_NE(ScreenPixel(Point{5, 299}), 0xFF0000u);
  devtest::AdvanceTimeAndPump(50);
  EXPECT_EQ(ScreenPixel(Point{5, 299}), 0xFF0000u);
  devtest::AdvanceTimeAndPump(50);
  EXPECT_EQ(ScreenPixel(Point{5, 298}), 0xFF0000u);  // scrolled up by one
  EXPECT_EQ(ScreenPixel(Point{5, 299}), 0x0000FFu);  // the next row came in
}

TEST_F(AutoscrollTest, SpeedKeys) {
  struct Case {
    int32_t key;
    int32_t step, delay;
    int32_t wantStep, wantDelay;
  };
  const Case cases[] = {
      {21, 1, 50, 1, 25},     // faster: the delay halves
      {21, 1, 1, 2, 1},       // at the shortest delay the step grows
      {21, 8, 1, 10, 1},      //   by a quarter
      {21, 159, 1, 160, 1},   //   up to half the height
      {22, 1, 900, 1, 1000},  // slower: the delay grows by half, at most 1000
      {22, 1, 50, 1, 75},
      {22, 8, 50, 6, 50},  // a step above 1 shrinks first
      {22, 2, 50, 1, 50},
  };
  Start();
  for (const Case& c : cases) {
    display.SetAutoscrollSpeed(c.step, c.delay);
    EXPECT_TRUE(display.HandleAutoscrollKey(c.key));
    EXPECT_EQ(display.AutoscrollStep(), c.wantStep) << c.key << " " << c.step << "/" << c.delay;
    EXPECT_EQ(display.AutoscrollDelay(), c.wantDelay) << c.key << " " << c.step << "/" << c.delay;
    EXPECT_TRUE(display.IsAutoscrolling());
  }
}

TEST_F(AutoscrollTest, AnyOtherKeyStopsAndShowsWhatHadScrolledIn) {
  Start();
  devtest::AdvanceTimeAndPump(50 * 30);  // 30 pixels of the next page are in
  ASSERT_EQ(display.AutoscrollRemaining(), 250);
  EXPECT_TRUE(display.HandleAutoscrollKey(11));
  EXPECT_FALSE(display.IsAutoscrolling());
  EXPECT_FALSE(display.TimerRunning());
  ASSERT_EQ(host.scrolledTo.size(), 1u);
  EXPECT_EQ(host.scrolledTo[0], (Point{30, -2}));
  EXPECT_EQ(devtest::BatteryIdleTimeout(), kDeviceTimeout);
  // Not running: keys are not taken.
  EXPECT_FALSE(display.HandleAutoscrollKey(21));
}

TEST_F(AutoscrollTest, ToggleStartsAndSettles) {
  AttachUpright();
  display.HandleCommand(82);
  EXPECT_TRUE(display.IsAutoscrolling());
  display.HandleCommand(82);
  EXPECT_FALSE(display.IsAutoscrolling());
  EXPECT_EQ(devtest::BatteryIdleTimeout(), kDeviceTimeout);
}

// Every way scrolling ends gives the device its own idle time-out back.
TEST_F(AutoscrollTest, TheIdleTimeoutIsRestoredOnEveryPath) {
  struct Path {
    const char* name;
    void (*end)(DisplayManager&, FakeDisplayHost&);
  };
  const Path paths[] = {
      {"stop 80", [](DisplayManager& d, FakeDisplayHost&) { d.HandleCommand(80); }},
      {"settle 81", [](DisplayManager& d, FakeDisplayHost&) { d.HandleCommand(81); }},
      {"orientation 76", [](DisplayManager& d, FakeDisplayHost&) { d.HandleCommand(76); }},
      {"next orientation 74", [](DisplayManager& d, FakeDisplayHost&) { d.HandleCommand(74); }},
      {"release buffers", [](DisplayManager& d, FakeDisplayHost&) { d.ReleaseBuffers(); }},
      {"detach", [](DisplayManager& d, FakeDisplayHost&) { d.Detach(); }},
      {"rotation disabled",
       [](DisplayManager& d, FakeDisplayHost& h) {
         h.keepEnabled = false;
         d.UpdateMode();
       }},
      {"end of the document",
       [](DisplayManager&, FakeDisplayHost& h) {
         h.pagesLeft = 0;
         devtest::AdvanceTimeAndPump(50);
       }},
      {"screen image refused at a turn",
       [](DisplayManager& d, FakeDisplayHost&) {
         devtest::FailGdiCreation(devtest::GdiFailure::DibSections, 1, true);
         d.HandleCommand(78);
         devtest::FailGdiCreation(devtest::GdiFailure::DibSections, 0, false);
       }},
  };
  for (const Path& path : paths) {
    devtest::SetBatteryIdleTimeout(kDeviceTimeout);
    host = FakeDisplayHost{};
    Start();
    // A second start keeps the value saved by the first.
    display.HandleCommand(79);
    EXPECT_EQ(devtest::BatteryIdleTimeout(), 3600u) << path.name;
    path.end(display, host);
    EXPECT_FALSE(display.IsAutoscrolling()) << path.name;
    EXPECT_FALSE(display.TimerRunning()) << path.name;
    EXPECT_EQ(devtest::BatteryIdleTimeout(), kDeviceTimeout) << path.name;
    // Later ticks do nothing.
    devtest::AdvanceTimeAndPump(200);
    EXPECT_EQ(devtest::BatteryIdleTimeout(), kDeviceTimeout) << path.name;
    display.Detach();
  }
}

TEST_F(AutoscrollTest, NothingStartsWithoutAView) {
  host.hasView = false;
  AttachUpright();
  display.HandleCommand(79);
  EXPECT_FALSE(display.IsAutoscrolling());
  EXPECT_EQ(devtest::BatteryIdleTimeout(), kDeviceTimeout);
}

}  // namespace
}  // namespace displaytest
