// Opening a book in the view and moving through its pages: forward turns,
// the last page, page 0, text positions, and the pixels of consecutive
// pages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "browser/view/document_view.h"
#include "layout/pages/layout_context.h"
#include "platform/testing/files.h"
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

namespace viewtest {
namespace {

TEST_F(ViewPagesTest, APalmDocBookOpensAndTurns) {
  ASSERT_EQ(std::system("txt2pdbdoc -V > /dev/null 2>&1"), 0) << "txt2pdbdoc is missing (Debian package txt2pdbdoc)";
  const std::filesystem::path folder = devtest::HostPath(u"\\");
  {
    std::ofstream text(folder / "prose.txt", std::ios::binary);
    for (int i = 1; i <= 300; ++i)
      text << "Line " << i << " of a plain book, long enough to wrap once or twice in a narrow window.\n\n";
  }
  const std::string command = "txt2pdbdoc 'Prose' '" + (folder / "prose.txt").string() + "' '" +
                              (folder / "prose.pdb").string() + "' > /dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  ASSERT_TRUE(harness.Open(u"\\prose.pdb"));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(view().GetCurrentPageNumber(), 1);
  ASSERT_TRUE(view().GoToPageRelative(+2, 1, 255));
  EXPECT_EQ(view().GetCurrentPageNumber(), 2);
  harness.Paint();
  size_t ink = 0;
  for (uint32_t pixel : harness.Pixels()) ink += pixel == 0x000000 ? 1 : 0;
  EXPECT_GT(ink, 100u);
}

}  // namespace
}  // namespace viewtest
