// Opening a book in the view and moving through its pages: forward turns,
// the last page, page 0, text positions, and the pixels of consecutive
// pages.
#include <gtest/gtest.h>

#include "browser/view/document_view.h"
#include "layout/pages/layout_context.h"
#include "tests/browser/view/view_fixture.h"

namespace viewtest {
namespace {

class ViewPagesTest : public ViewTest {};

TEST_F(ViewPagesTest, ABookOpensOnItsFirstPageAndTurns) {
  ASSERT_TRUE(OpenBook(u"\\pages.prc", MarkupBook(NumberedParagraphs(200))));
  EXPECT_TRUE(Messages().empty());
  ASSERT_NE(view().GetLayout(), nullptr);
  EXPECT_EQ(view().GetCurrentPageNumber(), 1);
  EXPECT_EQ(view().GetCurrentPosition(), static_cast<int32_t>(view().GetLayout()->GetFirstPagePosition()));
  for (int n = 1; n <= 5; ++n) {
    ASSERT_TRUE(view().GoToPageRelative(+2, 1, 255));
    EXPECT_EQ(view().GetCurrentPageNumber(), n + 1);
  }
  ViewTextRange range;
  ASSERT_TRUE(view().GetPageRange(&range));
  EXPECT_LT(range.start, range.end);
}

TEST_F(ViewPagesTest, PageNumbersAndPositions) {
  ASSERT_TRUE(OpenBook(u"\\pages.prc", MarkupBook(NumberedParagraphs(120))));
  EXPECT_FALSE(view().GoToPage(0));
  EXPECT_EQ(view().GetCurrentPageNumber(), 1) << "page 0 moves nothing";
  EXPECT_TRUE(view().GoToPage(-1));
  const int32_t last = view().GetCurrentPageNumber();
  EXPECT_GT(last, 3);
  EXPECT_FALSE(view().GoToPageRelative(+2, 1, 255)) << "no page after the last";
  EXPECT_TRUE(view().GoToFirstPage());
  EXPECT_EQ(view().GetCurrentPageNumber(), 1);
  // A text position shows the page that holds it.
  const uint32_t length = view().GetLayout()->GetDocumentLength();
  for (uint32_t p : {length / 10, length / 2, length * 9 / 10}) {
    SCOPED_TRACE(p);
    EXPECT_TRUE(view().GoToTextPosition(p));
    ViewTextRange range;
    ASSERT_TRUE(view().GetPageRange(&range));
    // A position inside the tags between paragraphs belongs to the page
    // that the next text starts.
    EXPECT_LE(range.start, p + 16);
    EXPECT_GT(range.end, p);
  }
}

TEST_F(ViewPagesTest, ConsecutivePagesPaintDifferently) {
  ASSERT_TRUE(OpenBook(u"\\pages.prc", MarkupBook(NumberedParagraphs(60))));
  harness.Paint();
  const std::vector<uint32_t> first = harness.Pixels();
  ASSERT_EQ(first.size(), 240u * 320u);
  size_t dark = 0;
  for (uint32_t pixel : first) dark += pixel == 0x000000 ? 1 : 0;
  EXPECT_GT(dark, 100u) << "text was drawn";
  ASSERT_TRUE(view().GoToPageRelative(+2, 1, 255));
  harness.Paint();
  EXPECT_NE(harness.Pixels(), first);
  ASSERT_TRUE(view().GoToPageRelative(-2, 1, 255));
  harness.Paint();
  EXPECT_EQ(harness.Pixels(), first) << "back to the first page draws it again";
}

}  // namespace
}  // namespace viewtest
