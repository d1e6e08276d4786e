// What the display manager of the main window hears from the application:
// the colour depths it may draw for, whether the view allows rotation, the
// panes' rectangle, the stored orientation, the error box, the view's page
// steps, and its scroll timer reaching it through the main window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/ui.h"
#include "tests/app/frame_fixture.h"

using apptest::FrameFixture;

namespace {

using DisplayHostTest = FrameFixture;

}  // namespace

TEST(FilterColorDepth, OnlyTheDepthsTheManagerDrawsForPass) {
  const struct {
    uint32_t bits;
    uint32_t expected;
  } cases[] = {{0, 0}, {1, 0}, {4, 0}, {8, 8}, {15, 0}, {16, 16}, {24, 24}, {32, 32}, {64, 0}};
  for (const auto& c : cases) EXPECT_EQ(FilterColorDepth(c.bits), c.expected) << c.bits;
}

TEST_F(DisplayHostTest, RotationIsAllowedExceptOnTheViewsOwnPages) {
  DisplayHost* host = controller->displayHost();
  for (uint32_t mode : {1u, 2u, 3u, 6u, 7u}) {
    view.viewMode = mode;
    bool a = false, b = false, c = false;
    host->QueryViewCapabilities(&a, &b, &c);
    const bool allowed = mode != 2 && mode != 3;
    EXPECT_EQ(a, allowed) << mode;
    EXPECT_EQ(b, allowed) << mode;
    EXPECT_EQ(c, allowed) << mode;
  }
  EXPECT_EQ(host->ColorDepth(), 16) << "the default device draws 16 bits per pixel";
}

TEST_F(DisplayHostTest, TheClientRectOrientationAndErrorsReachTheController) {
  DisplayHost* host = controller->displayHost();
  host->SetClientRect(Rect{0, 0, 320, 214});
  EXPECT_EQ(controller->viewArea().right, 320);
  EXPECT_EQ(controller->viewArea().bottom, 214);
  host->StoreOrientation(2);
  EXPECT_EQ(preferences.orientation, 2u);

  devtest::MessageBoxJournal().clear();
  host->ShowError(5034);
  ASSERT_EQ(devtest::MessageBoxJournal().size(), 1u);
  EXPECT_EQ(devtest::MessageBoxJournal()[0].flags, 16u);
  EXPECT_FALSE(devtest::MessageBoxJournal()[0].text.empty());
}

TEST_F(DisplayHostTest, ThePageStepsOfAutomaticScrollingGoToTheView) {
  DisplayHost* host = controller->displayHost();
  Rect rect;
  EXPECT_FALSE(host->GetViewRect(&rect)) << "no page yet";
  view.viewRect = Rect{0, 26, 240, 268};
  ASSERT_TRUE(host->GetViewRect(&rect));
  EXPECT_EQ(rect.y, 26);
  view.pagesLeft = 1;
  EXPECT_TRUE(host->StepViewPage());
  EXPECT_FALSE(host->StepViewPage()) << "at the end";
  host->ScrollViewToLine(40, -2);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"step page", "step page", "scroll to 40 -2"}));
  controller->SetDocumentView(nullptr);
  EXPECT_FALSE(host->GetViewRect(&rect));
  EXPECT_FALSE(host->StepViewPage());
  controller->SetDocumentView(&view);
}

TEST_F(DisplayHostTest, TheScrollTimerOfTheWindowReachesTheDisplayManager) {
  EXPECT_EQ(view.attachedWindow, window) << "the view draws into the window it was attached to at creation";
  SendMessageW(window, WM_TIMER, 1, 0);
  SendMessageW(window, WM_TIMER, 0x123, 0);  // not the display's: the timer table's
  EXPECT_EQ(view.calls, (std::vector<std::string>{"display timer"}));
}
