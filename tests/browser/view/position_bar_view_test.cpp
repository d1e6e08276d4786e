// The reading-position bar over the application's document view: it shows
// the view's page and position, a tap on the track moves the view there,
// the label runs the go-to-page command, the view's side file gives the
// marks, and a bar without a view or document shows only its background.
#include <gtest/gtest.h>

#include "browser/bar/position_bar.h"
#include "browser/bar/view_bar_host.h"
#include "layout/pages/layout_context.h"
#include "storage/side_file/book_parameter_file.h"
#include "tests/browser/view/view_fixture.h"

namespace viewtest {
namespace {

class BarOverViewTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    harness.environment.settings[PositionBar::kBarHeightKey] = 12;
    harness.environment.settings[PositionBar::kTrackThicknessKey] = 8;
    harness.environment.settings[PositionBar::kHitMarginKey] = 3;
    bar = new PositionBar(&host);
    ASSERT_TRUE(bar->SetContainer(&harness.surface));
    bar->SetVisible(true);
    Rect rest;
    bar->Arrange(&rest, Rect{0, 0, 240, 320});
  }
  void TearDown() override {
    bar->LeaveParent();
    bar->Release();
  }
  bool Tap(int x) {
    harness.surface.SendPointerDown(Point{x, 314});
    return harness.surface.SendPointerUp(Point{x, 314});
  }

  ViewBarHost host{&harness.application, &harness.preferences, nullptr};
  PositionBar* bar = nullptr;
};

TEST_F(BarOverViewTest, TheBarFollowsTheViewAndMovesIt) {
  ASSERT_TRUE(OpenBook(u"\\bar.prc", MarkupBook(NumberedParagraphs(150))));
  const uint32_t length = view().GetDocumentSource()->GetDocument()->GetTextLength();
  EXPECT_EQ(host.GetTextLength(), length);
  EXPECT_EQ(host.GetCurrentPageNumber(), 1u);
  bar->PaintNow();
  PositionBar::TrackGeometry g;
  ASSERT_TRUE(bar->GetTrackGeometry(&g));
  // The middle of the track: the view shows the page holding that position.
  ASSERT_TRUE(Tap(g.left + g.width / 2));
  const uint32_t target = static_cast<uint32_t>(uint64_t{length} * (g.width / 2) / g.width);
  ViewTextRange range;
  ASSERT_TRUE(view().GetPageRange(&range));
  EXPECT_LE(range.start, target + 16);
  EXPECT_GT(range.end, target);
  EXPECT_GT(host.GetCurrentPageNumber(), 2u);
  // The label: the go-to-page command of the application.
  harness.application.Clear();
  EXPECT_TRUE(Tap(239));
  EXPECT_EQ(harness.application.Commands("execute"), (std::vector<int32_t>{PositionBar::kGoToPageCommand}));
  // Marks of the view's side file: caps and a tap near a mark asks the view for it.
  BookParameterFile* sideFile = view().GetSideFile();
  ASSERT_NE(sideFile, nullptr);
  sideFile->AddBookmark(length / 4, length / 4 + 5, length / 4, 0, 0, 1);
  bar->PaintNow();
  EXPECT_TRUE(bar->HasMarks());
  ASSERT_TRUE(bar->GetTrackGeometry(&g));
  harness.application.Clear();
  EXPECT_TRUE(Tap(g.left + static_cast<int>(PositionBar::PositionToOffset(g, length / 4))));
  // The view goes to the mark: its page is shown and the bar told.
  ASSERT_TRUE(view().GetPageRange(&range));
  EXPECT_LE(range.start, length / 4);
  EXPECT_GT(range.end, length / 4);
  EXPECT_GE(harness.application.Count("progress"), 1);
}

TEST_F(BarOverViewTest, WithoutAViewOrDocumentTheTrackIsEmpty) {
  harness.application.currentView = nullptr;
  EXPECT_EQ(host.GetTextLength(), 0u);
  EXPECT_EQ(host.GetSideFile(), nullptr);
  EXPECT_FALSE(host.GoToTextPosition(10));
  bar->PaintNow();
  PositionBar::TrackGeometry g;
  EXPECT_FALSE(bar->GetTrackGeometry(&g));
  EXPECT_FALSE(Tap(100));
  harness.application.currentView = harness.view.get();
  EXPECT_EQ(host.GetTextLength(), 0u) << "a view without a document";
}

}  // namespace
}  // namespace viewtest
