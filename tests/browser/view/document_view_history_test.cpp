// Recording the shown state in the history as the view navigates (at most
// eight entries, the oldest without a checkpoint dropped, no duplicate of
// the last), and changing the text size.
#include <gtest/gtest.h>

#include "browser/view/document_view.h"
#include "layout/pages/layout_context.h"
#include "tests/browser/view/view_fixture.h"

namespace viewtest {
namespace {

class ViewHistoryTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    ASSERT_TRUE(OpenBook(u"\\history.prc", MarkupBook(NumberedParagraphs(300))));
  }
  std::vector<int32_t> Positions() {
    std::vector<int32_t> out;
    for (uint32_t i = 0; i < view().GetHistoryCount(); ++i) out.push_back(view().GetHistoryEntry(i)->value);
    return out;
  }
};

TEST_F(ViewHistoryTest, EveryPageMoveRecordsTheShownState) {
  const uint32_t before = view().GetHistoryCount();
  const int32_t first = view().GetCurrentPosition();
  ASSERT_TRUE(view().GoToPage(5));
  EXPECT_EQ(view().GetHistoryCount(), before + 1);
  EXPECT_EQ(view().GetHistoryEntry(view().GetHistoryCount() - 1)->value, first);
  EXPECT_EQ(view().GetHistoryIndex(), static_cast<int32_t>(view().GetHistoryCount()));
  // Page turns by step record nothing.
  ASSERT_TRUE(view().GoToPageRelative(+2, 1, 255));
  EXPECT_EQ(view().GetHistoryCount(), before + 1);
}

TEST_F(ViewHistoryTest, TheSamePlaceIsNotRecordedTwice) {
  ASSERT_TRUE(view().GoToPage(5));
  const uint32_t count = view().GetHistoryCount();
  ASSERT_TRUE(view().GoToPage(5));
  ASSERT_TRUE(view().GoToPage(5));
  EXPECT_EQ(view().GetHistoryCount(), count + 1) << "page 5 once, then nothing new";
  const int32_t shown = view().GetCurrentPosition();
  EXPECT_TRUE(view().GoToPosition(static_cast<uint32_t>(shown)));
  EXPECT_EQ(view().GetHistoryCount(), count + 1) << "the page already shown records nothing";
}

TEST_F(ViewHistoryTest, EightEntriesAtMostTheOldestLeaves) {
  std::vector<int32_t> starts;
  for (int page = 2; page <= 12; ++page) {
    starts.push_back(view().GetCurrentPosition());
    ASSERT_TRUE(view().GoToPage(page));
  }
  EXPECT_EQ(view().GetHistoryCount(), 8u);
  EXPECT_EQ(view().GetHistoryIndex(), 8);
  const std::vector<int32_t> expected(starts.end() - 8, starts.end());
  EXPECT_EQ(Positions(), expected);
}

TEST_F(ViewHistoryTest, SuppressedRecordingRecordsNothing) {
  const uint32_t count = view().GetHistoryCount();
  bool added = true;
  // Opening a page of the application is recorded under its address.
  harness.application.listPage = 1;
  EXPECT_TRUE(view().RecordHistory(&added));
  EXPECT_TRUE(added);
  EXPECT_EQ(view().GetHistoryEntry(view().GetHistoryCount() - 1)->location.url.commandKind, kCommandLibrary);
  EXPECT_EQ(view().GetHistoryCount(), count + 1);
}

TEST_F(ViewHistoryTest, TextSizeSteps) {
  const int32_t pages = view().GetPageCount();
  ASSERT_TRUE(view().GoToPage(-1));
  const int32_t lastBefore = view().GetCurrentPageNumber();
  ASSERT_TRUE(view().GoToPage(3));
  EXPECT_TRUE(view().ChangeTextSize(+2));
  EXPECT_EQ(harness.preferences.textSize, 16) << "two steps of the environment's default 2";
  ASSERT_NE(view().GetLayout(), nullptr);
  ASSERT_TRUE(view().GoToPage(-1));
  EXPECT_GT(view().GetCurrentPageNumber(), lastBefore) << "larger text takes more pages";
  (void)pages;
  harness.preferences.maxTextSize = 16;
  EXPECT_FALSE(view().ChangeTextSize(+1)) << "a size the preferences refuse";
  EXPECT_EQ(harness.preferences.textSize, 16);
}

}  // namespace
}  // namespace viewtest
