// The browser view among the windows of its set: named targets found
// exactly, windows arranged in halves of the work area (none outside it), a
// window made for a target closed again when its open fails, and the
// open-view word kept in the set's settings file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/host/frame_set_controller.h"
#include "browser/view/browser_view.h"
#include "browser/view/browser_window_set.h"
#include "platform/system/system_parameters.h"
#include "platform/windows/window_positions.h"
#include "storage/settings/global_settings_file.h"
#include "tests/support/fake_window_set_services.h"

namespace {

SharedWideString Wide(const char16_t* text) { return SharedWideString(reinterpret_cast<const WCHAR*>(text)); }

// Opens windows in the set, as the application's frame-set controller does.
class SetFrameController : public FrameSetController {
 public:
  explicit SetFrameController(BrowserWindowSet* set) : set_(set) {}
  BrowserWindow* OpenTargetWindow(const SharedWideString& target, const Rect& rect, int32_t, int32_t) override {
    ++opened;
    return set_->OpenTargetWindow(target, rect, nullptr, false, false);
  }
  int opened = 0;

 private:
  BrowserWindowSet* set_;
};

class BrowserViewWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(set.Open(false), 0);
    ASSERT_EQ(set.CreateLoader(nullptr), 0);
    main = set.mainWindow;
    ASSERT_NE(main, nullptr);
    ASSERT_NE(main->view, nullptr);
  }
  void TearDown() override { set.Close(); }

  BrowserWindow* OpenWindow(const char16_t* name) {
    return set.OpenTargetWindow(Wide(name), Rect{0, 0, 100, 100}, nullptr, false, false);
  }
  static Rect WindowRect(BrowserWindow* window) {
    RECT r{};
    EXPECT_TRUE(GetWindowRect(window->surface->Window(), &r));
    return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
  }

  FakeWindowSetServices services;
  BrowserWindowSet set{&services};
  BrowserWindow* main = nullptr;
};

TEST_F(BrowserViewWindowsTest, NamedTargetsAreTheSetsWindowsExactly) {
  BrowserWindow* help = OpenWindow(u"help");
  ASSERT_NE(help, nullptr);
  BrowserView* view = main->view;
  EXPECT_EQ(view->FindTargetView(Wide(u"help")), help->view);
  EXPECT_EQ(view->FindTargetView(Wide(u"Help")), nullptr);
  EXPECT_EQ(view->FindTargetView(Wide(u"_self")), view);
  EXPECT_EQ(help->view->FindTargetView(main->name), view);
}

TEST_F(BrowserViewWindowsTest, TwoWindowsTakeHalvesOfTheWorkArea) {
  ASSERT_NE(OpenWindow(u"help"), nullptr);
  RECT r{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0));
  const Rect area{r.left, r.top, r.right - r.left, r.bottom - r.top};
  // Every window has a name, so skipping unnamed ones places both too.
  for (bool skipUnnamed : {false, true}) {
    for (bool vertical : {true, false}) {
      SCOPED_TRACE(std::to_string(skipUnnamed) + std::to_string(vertical));
      main->view->Rearrange(vertical, skipUnnamed);
      for (uint32_t i = 0; i < 2; ++i) {
        const Rect got = WindowRect(set.WindowAt(i));
        const Rect want = BrowserView::ArrangeSlot(area, 2, i, vertical);
        EXPECT_EQ(got.x, want.x);
        EXPECT_EQ(got.y, want.y);
        EXPECT_EQ(got.width, vertical ? area.width : area.width / 2);
        EXPECT_EQ(got.height, vertical ? area.height / 2 : area.height);
        EXPECT_TRUE(Rect::ContainsRect(got, area));
      }
    }
  }
}

TEST_F(BrowserViewWindowsTest, AWindowMadeForATargetIsClosedWhenItsOpenFails) {
  SetFrameController frames(&set);
  main->view->SetFrameSetController(&frames);
  EXPECT_FALSE(main->view->OpenUrlInTarget(Wide(u"\\missing.prc"), Wide(u"news"), Rect()));
  ASSERT_EQ(frames.opened, 1);
  ASSERT_EQ(set.WindowCount(), 2u);
  BrowserWindow* news = set.WindowAt(1);
  auto* controller = static_cast<FakeWindowController*>(news->controller);
  EXPECT_EQ(controller->application.Commands("execute"), std::vector<int32_t>{DocumentView::kCommandCloseWindow});

  // A target that names a window of the set is opened there, with no new one.
  EXPECT_FALSE(main->view->OpenUrlInTarget(Wide(u"\\missing.prc"), Wide(u"news"), Rect()));
  EXPECT_EQ(frames.opened, 1);
}

TEST(BrowserViewWindowSet, TheOpenViewWordIsKeptInTheSetsSettingsFile) {
  FakeWindowSetServices services;
  BrowserWindowSet set{&services};
  ASSERT_EQ(set.Open(true), 0);
  ASSERT_EQ(set.CreateLoader(nullptr), 0);
  ASSERT_NE(set.settingsFile, nullptr);
  BrowserView* view = set.mainWindow->view;
  view->Start(true);
  EXPECT_TRUE(set.settingsFile->GetFlag300());
  view->CloseView();
  EXPECT_FALSE(set.settingsFile->GetFlag300());
  set.Close();
}

}  // namespace
