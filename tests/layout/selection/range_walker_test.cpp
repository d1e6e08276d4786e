// Areas of a painted page: link areas (one area for a link wrapped over two
// lines), the selection under a stylus point, and the highlight redrawn by
// its symmetric difference in inverse colours.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/lines/line_records.h"
#include "layout/selection/range_walker.h"
#include "layout/selection/selection_view.h"
#include "layout/selection/text_units.h"
#include "platform/testing/gdi.h"
#include "tests/layout/drawing/surface_fixture.h"

namespace {

RefPtr<LinkAction> NewLink() {
  LinkAction* action = new (std::nothrow) LinkAction;
  RefPtr<LinkAction> link(action);
  action->Release();
  return link;
}

// A page as the renderer leaves it: lines 20 pixels high from y 10, words
// 30 pixels wide with 10-pixel spaces, each text run's x recorded.
class PaintedPage {
 public:
  void Line() {
    LineRecord line;
    line.x = 0;
    line.y = 10 + 20 * lines_++;
    line.width = 240;
    line.height = 20;
    store.AppendItem(kLineItem, &line, position_, false);
    x_ = 0;
  }
  void Style(LinkAction* link) {
    TextStyle style;
    style.link.Assign(link);
    store.AppendKind8(style, position_, false);
  }
  void Word(const char16_t* text) {
    LayoutItem item;
    item.text.FromChars(reinterpret_cast<const WCHAR*>(text), static_cast<uint32_t>(std::u16string(text).size()));
    item.width = 30;
    item.layoutWords[0] = x_;
    store.AppendKind7(item, position_, false);
    position_ += item.text.length;
    x_ += 30;
  }
  void Space() {
    AppendMark(&store, kMarkSpace, 10, position_++);
    x_ += 10;
  }
  LayoutItemStore store;

 private:
  int lines_ = 0;
  uint32_t position_ = 0;
  int32_t x_ = 0;
};

std::vector<Rect> RectsOf(const ShapeArea& area) {
  std::vector<const Rect*> pointers(area.RectCount());
  area.CollectRects(pointers.data());
  std::vector<Rect> out;
  for (const Rect* r : pointers) out.push_back(*r);
  return out;
}

TEST(LinkAreas, AWrappedLinkIsOneAreaOfTwoRectangles) {
  RefPtr<LinkAction> wrapped = NewLink();
  RefPtr<LinkAction> single = NewLink();
  PaintedPage page;
  page.Line();
  page.Word(u"plain");
  page.Space();
  page.Style(wrapped.Get());
  page.Word(u"click");
  page.Space();
  page.Line();
  page.Word(u"here");
  page.Style(nullptr);
  page.Space();
  page.Word(u"and");
  page.Space();
  page.Style(single.Get());
  page.Word(u"one");
  page.Space();
  page.Word(u"line");
  page.Style(nullptr);
  ShapeAreaArray areas;
  ASSERT_TRUE(BuildLinkAreas(&page.store, nullptr, nullptr, &areas));
  ASSERT_EQ(areas.Count(), 2u);
  const ShapeArea& first = *areas.At(0);
  EXPECT_EQ(first.kind, ShapeArea::kRectList);
  EXPECT_EQ(first.link.Get(), wrapped.Get());
  EXPECT_EQ(RectsOf(first), (std::vector<Rect>{{40, 10, 30, 20}, {0, 30, 30, 20}}));
  EXPECT_TRUE(first.HitTest(Point{10, 35}, 0));
  const ShapeArea& second = *areas.At(1);
  EXPECT_EQ(second.kind, ShapeArea::kRectangle);
  EXPECT_EQ(second.link.Get(), single.Get());
  EXPECT_EQ(RectsOf(second), (std::vector<Rect>{{80, 30, 70, 20}}));  // the space between its words too
}

TEST(LinkAreas, ALinkInForceAtThePageStartOpensAnArea) {
  RefPtr<LinkAction> link = NewLink();
  PaintedPage page;
  page.Line();
  page.Word(u"rest");
  page.Style(nullptr);
  page.Space();
  page.Word(u"after");
  ShapeAreaArray areas;
  ASSERT_TRUE(BuildLinkAreas(&page.store, link.Get(), nullptr, &areas));
  ASSERT_EQ(areas.Count(), 1u);
  EXPECT_EQ(areas.At(0)->link.Get(), link.Get());
  EXPECT_EQ(RectsOf(*areas.At(0)), (std::vector<Rect>{{0, 10, 30, 20}}));
}

TEST(LinkAreas, ANoteAreaShowsItsNote) {
  ShapeAreaArray areas;
  ASSERT_TRUE(AddNoteArea(&areas, 42, Rect{5, 6, 7, 8}));
  ASSERT_EQ(areas.Count(), 1u);
  const LinkAction* action = areas.At(0)->link.Get();
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action->kind, LinkAction::kNumberPairReference);
  EXPECT_EQ(action->first, 25);
  EXPECT_EQ(action->second, 71);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(action->reference), 42u);
  EXPECT_TRUE(areas.At(0)->HitTest(Point{6, 7}, 0));
}

class HighlightTest : public surfacetest::SurfaceTest {
 protected:
  void SetUp() override {
    surfacetest::SurfaceTest::SetUp();
    page.Line();
    page.Word(u"alpha");
    page.Space();
    page.Word(u"beta");
    page.Space();
    page.Word(u"gamma");
    page.Space();  // the line's last space
    page.Line();
    page.Word(u"delta");
    selection.Reset(&page.store);
    Clear();
  }
  PaintedPage page;
  PageSelection selection;
  SelectionHighlight highlight;
};

TEST_F(HighlightTest, StylusSelectsTheWordUnderIt) {
  ASSERT_TRUE(SelectAt(&selection, Point{55, 15}, true));  // inside "beta"
  ASSERT_TRUE(SelectAt(&selection, Point{55, 15}, false));
  SharedWideString text;
  uint16_t language;
  ASSERT_TRUE(selection.GetSelectedText(false, &text, &language));
  EXPECT_EQ(std::u16string(text.Chars(), text.length), u"beta");
  // Right of a line's last word: that word.
  ASSERT_TRUE(SelectAt(&selection, Point{200, 35}, false));
  ASSERT_TRUE(selection.GetSelectedText(false, &text, &language));
  EXPECT_EQ(std::u16string(text.Chars(), text.length), u"beta gamma delta");
  // Below every line: nothing.
  EXPECT_FALSE(SelectAt(&selection, Point{10, 200}, true));
}

TEST_F(HighlightTest, OnlyTheDifferenceIsInvertedOnSelectExtendAndClear) {
  SelectAt(&selection, Point{5, 15}, true);
  SelectAt(&selection, Point{5, 15}, false);
  devtest::SetGdiJournal(true);
  ASSERT_TRUE(highlight.Rebuild(selection, &surface));
  EXPECT_EQ(Pixel(5, 15), 0x000000u);    // "alpha" inverted
  EXPECT_EQ(Pixel(45, 15), 0xFFFFFFu);   // "beta" not
  // Extend to "beta": the first word keeps its inversion, the rest is added.
  SelectAt(&selection, Point{45, 15}, false);
  devtest::ClearGdiJournal();
  ASSERT_TRUE(highlight.Rebuild(selection, &surface));
  EXPECT_GT(devtest::GdiJournal().size(), 0u);  // drawn at once, not invalidated
  EXPECT_EQ(Pixel(5, 15), 0x000000u);
  EXPECT_EQ(Pixel(35, 15), 0x000000u);
  EXPECT_EQ(Pixel(65, 15), 0x000000u);
  EXPECT_EQ(Pixel(75, 15), 0xFFFFFFu);
  Rect bounds;
  ASSERT_TRUE(highlight.GetBounds(&bounds));
  EXPECT_EQ(bounds, (Rect{0, 10, 70, 20}));
  // Shrink back: only the difference is drawn again.
  SelectAt(&selection, Point{5, 15}, false);
  highlight.Rebuild(selection, &surface);
  EXPECT_EQ(Pixel(5, 15), 0x000000u);
  EXPECT_EQ(Pixel(45, 15), 0xFFFFFFu);
  // Clear: the page as it was.
  highlight.Clear(&surface);
  selection.Clear();
  EXPECT_EQ(Pixel(5, 15), 0xFFFFFFu);
  EXPECT_TRUE(highlight.Area().IsEmpty());
  devtest::SetGdiJournal(false);
}

}  // namespace
