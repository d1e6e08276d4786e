// Link areas and selection on a page the real layout lays out and the page
// renderer paints: the walk reads the renderer's positions.
#include <string>
#include <vector>

#include "layout/pages/page_item_builder.h"
#include "layout/render/annotation_painter.h"
#include "layout/render/page_renderer.h"
#include "layout/selection/range_walker.h"
#include "layout/selection/selection_view.h"
#include "storage/side_file/book_parameter_file.h"
#include "tests/layout/pages/styled_pager_fixture.h"

namespace pagertest {
namespace {

class PaintedAreasTest : public StyledPagerTest {
 protected:
  void TearDown() override {
    renderer.reset();
    StyledPagerTest::TearDown();
  }
  LayoutItemStore* OpenAndPaint(const std::string& body) {
    renderer.reset();
    AttachBody(body, 120, 320);
    renderer = std::make_unique<PageRenderer>(context.get());
    if (!context->Start() || !renderer->PaintCurrentPage(0)) return nullptr;
    return &context->GetCurrentPage()->store;
  }

  std::unique_ptr<PageRenderer> renderer;
};

TEST_F(PaintedAreasTest, AWrappedLinkGivesOneAreaWithARectanglePerLine) {
  LayoutItemStore* page =
      OpenAndPaint("<p>plain words <a href=\"x.html\">here is a link that wraps</a> after <a href=\"y\">one</a></p>");
  ASSERT_NE(page, nullptr);
  ShapeAreaArray areas;
  ASSERT_TRUE(BuildLinkAreas(page, nullptr, nullptr, &areas));
  ASSERT_EQ(areas.Count(), 2u);
  const ShapeArea& wrapped = *areas.At(0);
  EXPECT_EQ(wrapped.kind, ShapeArea::kRectList);
  EXPECT_GE(wrapped.RectCount(), 2u);
  ASSERT_NE(wrapped.link.Get(), nullptr);
  const ShapeArea& single = *areas.At(1);
  EXPECT_EQ(single.kind, ShapeArea::kRectangle);
  EXPECT_NE(single.link.Get(), wrapped.link.Get());
  // Each rectangle lies on its own line, inside the page.
  std::vector<const Rect*> rects(wrapped.RectCount());
  wrapped.CollectRects(rects.data());
  for (size_t i = 1; i < rects.size(); ++i) EXPECT_GT(rects[i]->y, rects[i - 1]->y);
  for (const Rect* r : rects) {
    EXPECT_GE(r->x, 0);
    EXPECT_LE(r->x + r->width, 120);
    EXPECT_GT(r->width, 0);
  }
}

// A note with a target over plain text makes that text a link area whose
// action shows the note: command values 25 and 71 with the note's mark.
TEST_F(PaintedAreasTest, ANoteWithATargetBecomesALinkArea) {
  BookParameterFile marks;
  EncodedString path;
  path.FromWide(u"\\book.prc");
  ASSERT_EQ(marks.Create(path, "book", 4, false, true, false), RecordResult::kOk);
  LayoutItemStore* page = OpenAndPaint("<p>alpha beta gamma</p>");
  ASSERT_NE(page, nullptr);
  uint32_t beta = 0;
  for (LayoutCursor at = LayoutCursor::Begin(page); !at.AtEnd(); at.Next()) {
    if (at.KindAt() == kTextItem && TextAt(at)->text.length == 4 && TextAt(at)->text.Chars()[0] == u'b') {
      beta = page->PositionAt(at);
    }
  }
  ASSERT_NE(beta, 0u);
  const uint32_t note = marks.AddBookmark(beta, beta + 4, 0, 0, 0, 2);
  const uint32_t target = marks.AddBookmark(beta, beta + 4, 0, 0, 0, 1);
  marks.SetBookmarkTarget(note, target);
  AnnotationPainter painter;
  uint32_t first = 0, end = 0;
  ASSERT_TRUE(page->GetPositionRange(&first, &end));
  painter.Reset(&marks, Color::FromRgb(255, 255, 0), 16, Color::FromRgb(0, 0, 0), first, end);
  ShapeAreaArray areas;
  ASSERT_TRUE(BuildLinkAreas(page, nullptr, &painter, &areas));
  ASSERT_EQ(areas.Count(), 1u);
  const LinkAction* action = areas.At(0)->link.Get();
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action->kind, LinkAction::kNumberPairReference);
  EXPECT_EQ(action->first, 25);
  EXPECT_EQ(action->second, 71);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(action->reference), note);
  // Without the painter the page has no link.
  ASSERT_TRUE(BuildLinkAreas(page, nullptr, nullptr, &areas));
  EXPECT_EQ(areas.Count(), 0u);
}

TEST_F(PaintedAreasTest, TheWordUnderTheStylusOnAPaintedPage) {
  LayoutItemStore* page = OpenAndPaint("<p>alpha beta gamma</p>");
  ASSERT_NE(page, nullptr);
  // Where the renderer drew "beta".
  Point inside;
  bool found = false;
  for (LayoutCursor at = LayoutCursor::Begin(page); !at.AtEnd(); at.Next()) {
    if (at.KindAt() != kTextItem) continue;
    const LayoutItem& item = *TextAt(at);
    if (std::u16string(item.text.Chars(), item.text.length) != u"beta") continue;
    inside = Point{item.layoutWords[0] + item.width / 2, item.layoutWords[1] + 2};
    found = true;
  }
  ASSERT_TRUE(found);
  PageSelection selection;
  selection.Reset(page);
  ASSERT_TRUE(SelectAt(&selection, inside, true));
  ASSERT_TRUE(SelectAt(&selection, inside, false));
  SharedWideString text;
  uint16_t language = 0;
  ASSERT_TRUE(selection.GetSelectedText(false, &text, &language));
  EXPECT_EQ(std::u16string(text.Chars(), text.length), u"beta");
  SelectionHighlight highlight;
  ASSERT_TRUE(highlight.Rebuild(selection, nullptr));
  Rect bounds;
  ASSERT_TRUE(highlight.GetBounds(&bounds));
  EXPECT_TRUE(bounds.ContainsPoint(inside));
}

}  // namespace
}  // namespace pagertest
