// The link areas and the selection of the shown page, as the view answers
// them while the reading text has the focus.
#include <gtest/gtest.h>

#include "browser/view/document_view.h"
#include "layout/pages/layout_context.h"
#include "layout/shapes/shape_area.h"
#include "tests/browser/view/view_fixture.h"

namespace viewtest {
namespace {

class ViewLinksTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    const std::string markup =
        "<html><body><p>Before the links.</p><p><a href=\"#one\">First link</a> and text between, then "
        "<a href=\"#two\">second link</a>.</p><p>After them some ordinary words to select.</p></body></html>";
    ASSERT_TRUE(OpenBook(u"\\links.prc", MarkupBook(markup)));
    harness.Paint();  // the areas are built after the first paint
  }
};

TEST_F(ViewLinksTest, AreasOfThePageByPointAndInOrder) {
  ASSERT_GE(view().LinkAreaCount(), 2);
  EXPECT_GE(view().CountLinks(), 2);
  const int32_t first = view().NextLinkIndex(-1);
  ASSERT_GE(first, 0);
  const int32_t second = view().NextLinkIndex(first);
  ASSERT_GT(second, first);
  EXPECT_EQ(view().PreviousLinkIndex(second), first);
  EXPECT_EQ(view().PreviousLinkIndex(first), -1);
  const ShapeArea* area = view().GetLayout()->LinkArea(first);
  ASSERT_NE(area, nullptr);
  const Rect bounds = area->bounds;
  const ShapeArea* found = nullptr;
  int32_t index = -1;
  EXPECT_TRUE(view().GetLinkAreaAt(&found, &index, Point{bounds.CenterX(), bounds.CenterY()}, 0));
  EXPECT_EQ(index, first);
  EXPECT_EQ(found, area);
  EXPECT_FALSE(view().GetLinkAreaAt(&found, &index, Point{230, 310}, 0));
  EXPECT_EQ(index, -1);
}

TEST_F(ViewLinksTest, WithoutTheReadingTextTheQueriesAnswerNothing) {
  view().CloseCurrentDocument();
  const ShapeArea* found = nullptr;
  int32_t index = 5;
  EXPECT_FALSE(view().GetLinkAreaAt(&found, &index, Point{10, 10}, 0));
  EXPECT_EQ(index, -1);
  EXPECT_EQ(view().LinkAreaCount(), 0);
  EXPECT_EQ(view().CountLinks(), 0);
  EXPECT_EQ(view().NextLinkIndex(-1), -1);
  EXPECT_EQ(view().GetCurrentLinkIndex(), -1);
  ViewTextRange range;
  SharedWideString text;
  uint32_t a = 1, b = 1;
  Rect rect;
  EXPECT_FALSE(view().GetSelection(&range, &text, &a, &b, &rect));
  EXPECT_EQ(a, 0u);
  EXPECT_EQ(b, 0u);
}

TEST_F(ViewLinksTest, NoSelectionUntilTheUserMakesOne) {
  ViewTextRange range;
  SharedWideString text;
  uint32_t a = 0, b = 0;
  Rect rect;
  EXPECT_FALSE(view().GetSelection(&range, &text, &a, &b, &rect));
  Rect bounds;
  EXPECT_FALSE(view().GetSelectionBounds(&bounds));
}

}  // namespace
}  // namespace viewtest
