// Stepping through the history: back records the shown state first, back
// then forward returns, checkpoints survive a full list, and closing what
// is shown goes back to the page behind it.
#include <gtest/gtest.h>

#include "browser/view/document_view.h"
#include "layout/pages/layout_context.h"
#include "tests/browser/view/view_fixture.h"

namespace viewtest {
namespace {

class BackForwardTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    ASSERT_TRUE(OpenBook(u"\\steps.prc", MarkupBook(NumberedParagraphs(300))));
    view().ClearHistory();
  }
  // The start of each page visited: page 1, then the pages given.
  std::vector<int32_t> Visit(std::initializer_list<int32_t> pages) {
    std::vector<int32_t> starts{view().GetCurrentPosition()};
    for (int32_t page : pages) {
      EXPECT_TRUE(view().GoToPage(page));
      starts.push_back(view().GetCurrentPosition());
    }
    return starts;
  }
};

TEST_F(BackForwardTest, BackRecordsTheShownStateThenForwardReturns) {
  const std::vector<int32_t> starts = Visit({3, 6});
  ASSERT_EQ(view().GetHistoryCount(), 2u);
  ASSERT_TRUE(view().GoBack(true));
  EXPECT_EQ(view().GetHistoryCount(), 3u) << "page 6 recorded before the step";
  EXPECT_EQ(view().GetHistoryIndex(), 1);
  EXPECT_EQ(view().GetCurrentPosition(), starts[1]);
  ASSERT_TRUE(view().GoBack(true));
  EXPECT_EQ(view().GetHistoryIndex(), 0);
  EXPECT_EQ(view().GetCurrentPosition(), starts[0]);
  EXPECT_EQ(view().GetHistoryCount(), 3u) << "a step back in the list records nothing";
  ASSERT_TRUE(view().GoForward());
  ASSERT_TRUE(view().GoForward());
  EXPECT_EQ(view().GetCurrentPosition(), starts[2]);
  EXPECT_EQ(view().GetHistoryIndex(), 2);
  // Forward at the last entry moves nothing.
  EXPECT_FALSE(view().GoForward());
  EXPECT_EQ(view().GetHistoryIndex(), 2);
  EXPECT_EQ(view().GetCurrentPosition(), starts[2]);
  // A new navigation drops the entries ahead of the shown one.
  ASSERT_TRUE(view().GoBack(true));
  ASSERT_TRUE(view().GoToPage(9));
  EXPECT_EQ(view().GetHistoryCount(), 2u);
  EXPECT_EQ(view().GetHistoryIndex(), 2);
}

TEST_F(BackForwardTest, BackWithoutHistory) {
  // Without the fall-back flag nothing happens; with it the reading text
  // of a book asks the application for the library.
  EXPECT_FALSE(view().GoBack(false));
  EXPECT_EQ(harness.application.Count("execute"), 0);
  EXPECT_TRUE(view().GoBack(true));
  EXPECT_EQ(harness.application.Commands("execute"), std::vector<int32_t>{DocumentView::kCommandOpenLibrary});
}

TEST_F(BackForwardTest, CheckpointsSurviveAFullListAndAreFound) {
  EXPECT_FALSE(view().GoToCheckpoint()) << "no checkpoint yet";
  const std::vector<int32_t> first = Visit({2});
  const int32_t index = view().GetHistoryIndex();
  EXPECT_FALSE(view().GoToCheckpoint());
  EXPECT_EQ(view().GetHistoryIndex(), index);
  EXPECT_EQ(view().GetCurrentPosition(), first[1]);
  view().SetCheckpoint();  // the next entry recorded (page 2) takes it
  const std::vector<int32_t> starts = Visit({3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  ASSERT_EQ(view().GetHistoryCount(), 8u);
  EXPECT_EQ(view().GetHistoryIndex(), 8);
  uint32_t checkpoints = 0;
  for (uint32_t i = 0; i < 8; ++i) checkpoints += view().GetHistoryEntry(i)->checkpoint;
  EXPECT_EQ(checkpoints, 1u);
  EXPECT_EQ(view().GetHistoryEntry(0)->checkpoint, 1u) << "the oldest kept: it is the checkpoint";
  EXPECT_EQ(view().GetHistoryEntry(0)->value, first[1]);
  // Recorded: page 1, page 2 (the checkpoint), pages 3 to 11; pages 1, 3
  // and 4 made room.
  EXPECT_EQ(view().GetHistoryEntry(1)->value, starts[3]) << "the oldest without a checkpoint were dropped";
  EXPECT_EQ(view().GetHistoryEntry(7)->value, starts[9]);
  ASSERT_TRUE(view().GoToCheckpoint());
  EXPECT_EQ(view().GetCurrentPosition(), first[1]);
  EXPECT_EQ(view().GetHistoryIndex(), 8) << "the index does not move";
}

TEST_F(BackForwardTest, FindInHistoryAndClear) {
  Visit({4});
  const Location shown = view().GetLocation();
  EXPECT_EQ(view().FindInHistory(shown), 0) << "the only entry";
  Location other;
  ASSERT_TRUE(Location::Parse(&other, W(u"\\other.prc"), nullptr));
  EXPECT_EQ(view().FindInHistory(other), -1);
  view().SetCheckpoint();
  view().ClearHistory();
  EXPECT_EQ(view().GetHistoryCount(), 0u);
  EXPECT_EQ(view().GetHistoryIndex(), 0);
  Visit({6});
  EXPECT_EQ(view().GetHistoryEntry(0)->checkpoint, 0u) << "clearing dropped the pending checkpoint";
}

TEST_F(BackForwardTest, CloseDocumentGoesBackToAnotherBook) {
  const std::vector<int32_t> starts = Visit({5});
  ASSERT_TRUE(OpenBook(u"\\second.prc", MarkupBook(NumberedParagraphs(40), "Second")));
  ASSERT_TRUE(view().GoToPage(2));
  ASSERT_TRUE(view().CloseDocument());
  EXPECT_EQ(S(view().GetLocation().url.text), u"\\steps.prc");
  EXPECT_EQ(view().GetCurrentPosition(), starts[1]);
  EXPECT_EQ(harness.application.Count("execute"), 0);
}

TEST_F(BackForwardTest, CloseDocumentWithoutHistoryOpensTheLibrary) {
  ASSERT_TRUE(view().CloseDocument());
  EXPECT_EQ(harness.application.Commands("execute"), std::vector<int32_t>{DocumentView::kCommandOpenLibrary});
}

}  // namespace
}  // namespace viewtest
