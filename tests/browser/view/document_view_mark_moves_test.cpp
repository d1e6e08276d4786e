// Moving to the marks of the book's side file: next and previous wrap
// around, a mark opens on the page it was made on, and deleting a mark
// that does not exist reports failure and tells nobody.
#include <gtest/gtest.h>

#include "browser/view/document_view.h"
#include "layout/pages/layout_context.h"
#include "storage/side_file/book_parameter_file.h"
#include "tests/browser/view/view_fixture.h"

namespace viewtest {
namespace {

class MarkMovesTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    ASSERT_TRUE(OpenBook(u"\\marks.prc", MarkupBook(NumberedParagraphs(300))));
    ASSERT_NE(view().GetSideFile(), nullptr);
  }
  uint32_t PageStart() { return view().GetLayout()->GetCurrentPosition(); }
  // A bookmark on the page shown, as the view records one: the page's
  // state, its number and start.
  uint32_t MarkPage(int32_t page) {
    EXPECT_TRUE(view().GoToPage(page));
    HistoryEntry entry;
    EXPECT_TRUE(view().CaptureState(&entry, false));
    BookParameterFile* file = view().GetSideFile();
    const uint32_t start = PageStart() + 5;
    const uint32_t mark = file->AddBookmark(start, start + 3, static_cast<uint32_t>(entry.elementPosition),
                                            static_cast<uint32_t>(entry.value), 0, 1);
    EXPECT_NE(mark, 0xFFFFFFFFu);
    EXPECT_EQ(file->SetBookmarkViewState(mark, entry.state), RecordResult::kOk);
    starts.push_back(PageStart());
    return mark;
  }
  std::vector<uint32_t> starts;  // of the marked pages
};

TEST_F(MarkMovesTest, NextAndPreviousWrapAround) {
  EXPECT_FALSE(view().NextBookmark()) << "no marks";
  EXPECT_FALSE(view().PreviousBookmark());
  MarkPage(4);
  MarkPage(9);
  MarkPage(15);
  ASSERT_TRUE(view().GoToPage(1));
  const struct {
    bool next;
    size_t expected;
  } steps[] = {{true, 0}, {true, 1}, {true, 2}, {true, 0}, {false, 2}, {false, 1}, {false, 0}, {false, 2}};
  for (const auto& step : steps) {
    SCOPED_TRACE(::testing::Message() << (step.next ? "next to " : "previous to ") << step.expected);
    ASSERT_TRUE(step.next ? view().NextBookmark() : view().PreviousBookmark());
    EXPECT_EQ(PageStart(), starts[step.expected]);
  }
}

TEST_F(MarkMovesTest, GoToBookmarkRecordsAndBackReturns) {
  const uint32_t mark = MarkPage(12);
  ASSERT_TRUE(view().GoToPage(2));
  const uint32_t before = PageStart();
  EXPECT_FALSE(view().GoToBookmark(nullptr, mark + 1000, true)) << "a mark that does not exist";
  EXPECT_EQ(PageStart(), before);
  ASSERT_TRUE(view().GoToBookmark(nullptr, mark, true));
  EXPECT_EQ(PageStart(), starts[0]);
  ASSERT_TRUE(view().GoBack(true));
  EXPECT_EQ(PageStart(), before);
}

TEST_F(MarkMovesTest, DeletingAMissingMarkChangesNothing) {
  const uint32_t mark = MarkPage(3);
  const uint32_t invalidations = view().GetInvalidationCount();
  EXPECT_FALSE(view().DeleteBookmark(mark + 1000));
  EXPECT_EQ(view().GetInvalidationCount(), invalidations) << "nothing repainted";
  EXPECT_TRUE(view().DeleteBookmark(mark));
  EXPECT_GT(view().GetInvalidationCount(), invalidations);
  EXPECT_FALSE(view().DeleteBookmark(mark)) << "deleted already";
  EXPECT_FALSE(view().NextBookmark());
}

TEST_F(MarkMovesTest, NotesShowTheirPopUpLinksInTheBookAreFollowed) {
  const uint32_t target = MarkPage(14);
  const uint32_t note = MarkPage(2);
  BookParameterFile* file = view().GetSideFile();
  ASSERT_EQ(file->SetBookmarkKind(note, 2), RecordResult::kOk);
  int32_t word = 0;
  EXPECT_FALSE(view().OpenMark(note, &word)) << "a note without a target navigates nowhere";
  EXPECT_EQ(harness.application.Count("note"), 1);
  ASSERT_EQ(file->SetBookmarkTarget(note, target), RecordResult::kOk);
  EXPECT_TRUE(view().OpenMark(note, &word));
  EXPECT_EQ(PageStart(), starts[0]);
  EXPECT_FALSE(view().OpenMark(target, &word)) << "a bookmark opens nothing";
}

}  // namespace
}  // namespace viewtest
