// Wide tables: the viewport and the mark rectangles, the mark columns, the
// offsets under drags and commands, finding a table under a point, the live
// scroll on the screen, and tables when a mark picture is missing.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "layout/pages/page_frame.h"
#include "layout/widetables/wide_tables.h"
#include "tests/layout/drawing/surface_fixture.h"

namespace {

class FakeMark : public ScrollMarkPicture {
 public:
  explicit FakeMark(Size size) : size_(size) {}
  Size GetSize() const override { return size_; }
  void Draw(DrawingSurface*, const Rect& rect) override { drawn.push_back(rect); }
  std::vector<Rect> drawn;

 private:
  Size size_;
};

class WideTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tables.SetPictures(&tableMark, &left, &right);
    tables.SetPageGeometry(4, 4, 1);
  }
  // A table 400 x 100 in a box 200 x 100 at (10, 50).
  WideTableState* AddWide(uint32_t position = 77, Rect box = Rect{10, 50, 200, 100}) {
    return tables.NoteTable(position, box, 400, 100, Color{Color::kNoColor});
  }

  FakeMark tableMark{Size{12, 12}};
  FakeMark left{Size{8, 16}};
  FakeMark right{Size{8, 16}};
  WideTables tables;
};

TEST_F(WideTablesTest, ViewportLeavesRoomForTheMarks) {
  Rect viewport;
  ASSERT_TRUE(tables.GetTableViewport(Rect{10, 50, 200, 100}, &viewport));
  // left room = max(12, 8) - 4 + 2 = 10; right room = 8 - 4 + 2 = 6.
  EXPECT_EQ(viewport, (Rect{20, 50, 184, 100}));
  // Wide margins: no room needed; with one column a negative right room is 0.
  tables.SetPageGeometry(30, 30, 1);
  tables.GetTableViewport(Rect{10, 50, 200, 100}, &viewport);
  EXPECT_EQ(viewport, (Rect{10, 50, 200, 100}));
  // With two columns the negative right room widens the viewport.
  tables.SetPageGeometry(30, 30, 2);
  tables.GetTableViewport(Rect{10, 50, 200, 100}, &viewport);
  EXPECT_EQ(viewport, (Rect{10, 50, 220, 100}));
  // A box narrower than the marks gives an empty viewport, never a negative width.
  tables.SetPageGeometry(0, 0, 1);
  tables.GetTableViewport(Rect{10, 50, 20, 100}, &viewport);
  EXPECT_EQ(viewport.width, 0);
}

TEST_F(WideTablesTest, ScrollRectanglesAroundTheViewport) {
  Rect viewport, mark, leftRect, rightRect;
  ASSERT_TRUE(tables.GetTableScrollRects(Rect{10, 50, 200, 100}, &viewport, &mark, &leftRect, &rightRect));
  EXPECT_EQ(mark, (Rect{20 - 12 - 2, 50, 14, 14}));
  EXPECT_EQ(leftRect, (Rect{6, 64, 14, 86}));
  EXPECT_EQ(rightRect, (Rect{204, 50, 10, 100}));
  // A table mark without size: an empty rectangle left of the viewport, and
  // the left column starts at the viewport's top.
  FakeMark empty{Size{0, 0}};
  tables.SetPictures(&empty, &left, &right);
  tables.GetTableScrollRects(Rect{10, 50, 200, 100}, &viewport, &mark, &leftRect, &rightRect);
  EXPECT_EQ(mark, (Rect{viewport.x - 8 - 2, 50, 0, 0}));
  EXPECT_EQ(leftRect.y, 50);
  EXPECT_EQ(leftRect.width, 10);
  // Low tables keep columns at least 6 pixels high.
  tables.SetPictures(&tableMark, &left, &right);
  tables.GetTableScrollRects(Rect{10, 50, 200, 4}, &viewport, &mark, &leftRect, &rightRect);
  EXPECT_EQ(leftRect.height, 6);
  EXPECT_EQ(rightRect.height, 6);
}

TEST_F(WideTablesTest, MarkColumns) {
  struct Case {
    Rect rect;
    int32_t n;
    std::vector<Rect> want;
  };
  const Case cases[] = {
      {{0, 0, 10, 40}, 3, {{1, 0, 8, 16}, {1, 24, 8, 16}}},  // two marks, an 8-pixel gap
      {{0, 0, 10, 20}, 3, {{1, 2, 8, 16}}},                  // one, centred
      {{0, 0, 10, 10}, 3, {{1, 0, 8, 10}}},                  // taller: squeezed, at the top
      {{0, 0, 10, 100}, 3, {{1, 0, 8, 16}, {1, 42, 8, 16}, {1, 84, 8, 16}}},
      {{5, 5, 7, 40}, 1, {{5, 17, 8, 16}}},  // (7 - 8) / 2 halves toward zero: 0
  };
  for (const Case& c : cases) {
    left.drawn.clear();
    WideTables::PaintMarkColumn(nullptr, c.rect, &left, c.n);
    EXPECT_EQ(left.drawn, c.want) << c.rect.height;
  }
  FakeMark flat{Size{8, 0}};
  WideTables::PaintMarkColumn(nullptr, Rect{0, 0, 10, 40}, &flat, 3);
  EXPECT_TRUE(flat.drawn.empty());
}

TEST_F(WideTablesTest, MarksShowOnlyWhereTheTableCanMove) {
  WideTableState* state = AddWide();
  ASSERT_NE(state, nullptr);
  ASSERT_EQ(state->maxX, 400 - 184);
  const Rect box{10, 50, 200, 100};
  auto paint = [&] {
    left.drawn.clear();
    right.drawn.clear();
    tableMark.drawn.clear();
    tables.PaintTableScrollMarks(nullptr, box, box, *state, nullptr);
  };
  // Painting without a surface would touch it only for a selected frame.
  paint();
  EXPECT_TRUE(left.drawn.empty());  // at offset 0 nothing lies to the left
  EXPECT_FALSE(right.drawn.empty());
  EXPECT_EQ(tableMark.drawn.size(), 1u);
  state->offsetX = state->maxX;
  paint();
  EXPECT_FALSE(left.drawn.empty());
  EXPECT_TRUE(right.drawn.empty());  // at the maximum nothing lies to the right
  // A clip away from the right column leaves it out.
  state->offsetX = 10;
  Rect clip{0, 0, 100, 300};
  right.drawn.clear();
  tables.PaintTableScrollMarks(nullptr, box, box, *state, &clip);
  EXPECT_TRUE(right.drawn.empty());
}

TEST_F(WideTablesTest, DraggingMovesSelectedTablesWithinTheirBounds) {
  WideTableState* state = AddWide();
  ASSERT_NE(state, nullptr);
  state->selected = 1;
  tables.ResetTableScroll();
  // The stylus 30 pixels to the left: twice the distance, the content moves left.
  EXPECT_TRUE(tables.ScrollTables(Point{60, 0}, false, nullptr, WideTables::kAllSelected, nullptr));
  EXPECT_EQ(state->offsetX, 60);
  // Further moves of the same drag count from the drag base.
  EXPECT_TRUE(tables.ScrollTables(Point{80, 0}, false, nullptr, WideTables::kAllSelected, nullptr));
  EXPECT_EQ(state->offsetX, 80);
  EXPECT_TRUE(tables.ScrollTables(Point{10000, 0}, false, nullptr, WideTables::kAllSelected, nullptr));
  EXPECT_EQ(state->offsetX, state->maxX);
  tables.ResetTableScroll();
  EXPECT_TRUE(tables.ScrollTables(Point{-10000, -5}, false, nullptr, WideTables::kAllSelected, nullptr));
  EXPECT_EQ(state->offsetX, 0);
  EXPECT_EQ(state->offsetY, 0);  // not taller than its box: no vertical room
  tables.ResetTableScroll();
  EXPECT_FALSE(tables.ScrollTables(Point{-5, 0}, false, nullptr, WideTables::kAllSelected, nullptr));
}

TEST_F(WideTablesTest, WhichTablesScroll) {
  WideTableState* a = AddWide(10, Rect{10, 10, 200, 100});
  WideTableState* b = AddWide(20, Rect{10, 150, 200, 100});
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  a = tables.Find(10);
  // -2 with nothing selected: every wide table.
  EXPECT_TRUE(tables.ScrollTables(Point{40, 0}, false, nullptr, WideTables::kSelectedOrAll, nullptr));
  EXPECT_EQ(tables.Find(10)->offsetX, 40);
  EXPECT_EQ(tables.Find(20)->offsetX, 40);
  // -1 with nothing selected: none.
  tables.ResetTableScroll();
  EXPECT_FALSE(tables.ScrollTables(Point{40, 0}, false, nullptr, WideTables::kAllSelected, nullptr));
  // One selected: -2 scrolls only it; a position scrolls that table.
  tables.ToggleTableSelection(20, nullptr);
  EXPECT_EQ(tables.Find(20)->selected, 1);
  tables.ResetTableScroll();
  Rect changed;
  EXPECT_TRUE(tables.ScrollTables(Point{40, 0}, false, &changed, WideTables::kSelectedOrAll, nullptr));
  EXPECT_EQ(tables.Find(10)->offsetX, 40);
  EXPECT_EQ(tables.Find(20)->offsetX, 80);
  EXPECT_EQ(changed.y, 150);
  tables.ResetTableScroll();
  EXPECT_TRUE(tables.ScrollTables(Point{-40, 0}, false, nullptr, 10, nullptr));
  EXPECT_EQ(tables.Find(10)->offsetX, 0);
  // -1 toggles every table to the opposite of the first one's flag.
  tables.ToggleTableSelection(-1, nullptr);
  EXPECT_EQ(tables.Find(10)->selected, 1);
  EXPECT_EQ(tables.Find(20)->selected, 1);
}

TEST_F(WideTablesTest, ANegativeMaximumKeepsTheTableStill) {
  WideTableState* state = AddWide();
  ASSERT_NE(state, nullptr);
  WideTables::UpdateTableExtent(state, Point{-20, -3}, false);
  tables.ResetTableScroll();
  EXPECT_FALSE(tables.ScrollTables(Point{50, 50}, false, nullptr, WideTables::kSelectedOrAll, nullptr));
  EXPECT_EQ(state->offsetX, 0);
  // With keep-larger the maxima only grow.
  WideTables::UpdateTableExtent(state, Point{30, -10}, true);
  WideTables::UpdateTableExtent(state, Point{10, 5}, true);
  EXPECT_EQ(state->maxX, 30);
  EXPECT_EQ(state->maxY, 5);
}

TEST_F(WideTablesTest, FindTableAtAndOffsets) {
  ASSERT_NE(AddWide(), nullptr);
  // Narrow tables are not wide tables.
  EXPECT_EQ(tables.NoteTable(5, Rect{0, 0, 200, 20}, 200, 20, Color{Color::kNoColor}), nullptr);
  uint32_t position = 0;
  EXPECT_FALSE(tables.FindTableAt(Point{15, 60}, &position));  // on the marks, left of the viewport
  EXPECT_FALSE(tables.FindTableAt(Point{30, 60}, &position));  // found, not selected
  EXPECT_EQ(position, 77u);
  tables.ToggleTableSelection(77, nullptr);
  EXPECT_TRUE(tables.FindTableAt(Point{30, 60}, &position));
  EXPECT_FALSE(tables.FindTableAt(Point{30, 160}, &position));
  Rect viewport;
  Point offset;
  tables.Find(77)->offsetX = 25;
  ASSERT_TRUE(tables.GetTableOffset(Rect{10, 50, 200, 100}, 77, &viewport, &offset));
  EXPECT_EQ(offset, (Point{10 - 25, 0}));
  // An offset beyond the maximum (a stale saved one) is clamped when used.
  tables.Find(77)->offsetX = 5000;
  tables.GetTableOffset(Rect{10, 50, 200, 100}, 77, &viewport, &offset);
  EXPECT_EQ(offset.x, 10 - tables.Find(77)->maxX);
}

TEST_F(WideTablesTest, WithoutEveryPictureNoTableScrolls) {
  for (int missing = 0; missing < 3; ++missing) {
    WideTables plain;
    plain.SetPictures(missing == 0 ? nullptr : &tableMark, missing == 1 ? nullptr : &left,
                      missing == 2 ? nullptr : &right);
    Rect viewport;
    EXPECT_FALSE(plain.GetTableViewport(Rect{10, 50, 200, 100}, &viewport));
    EXPECT_EQ(viewport, (Rect{10, 50, 200, 100}));
    EXPECT_EQ(plain.NoteTable(77, Rect{10, 50, 200, 100}, 400, 100, Color{Color::kNoColor}), nullptr);
    Point offset{1, 1};
    EXPECT_FALSE(plain.GetTableOffset(Rect{10, 50, 200, 100}, 77, &viewport, &offset));
    EXPECT_EQ(offset, (Point{0, 0}));
    uint32_t position = 0;
    EXPECT_FALSE(plain.FindTableAt(Point{30, 60}, &position));
    EXPECT_FALSE(plain.ScrollTables(Point{40, 0}, false, nullptr, WideTables::kSelectedOrAll, nullptr));
    EXPECT_EQ(plain.Count(), 0u);
  }
}

// The states are the page frame's: bound to its list, the tables scroll
// what the frame keeps (and saves), and a restored offset is kept when the
// table is painted again.
TEST_F(WideTablesTest, StatesLiveInThePageFrame) {
  PageFrame frame;
  TableScrollState* saved = frame.EnsureTableScroll(77);
  ASSERT_NE(saved, nullptr);
  saved->offsetX = saved->maxX = 30;
  WideTables again;
  again.SetPictures(&tableMark, &left, &right);
  again.SetPageGeometry(4, 4, 1);
  again.Bind(&frame.tableScrolls);
  ASSERT_EQ(again.Find(77), saved);
  // Painting gives the real maxima and keeps the offset.
  WideTableState* state = again.NoteTable(77, Rect{10, 50, 200, 100}, 400, 100, Color{Color::kNoColor});
  EXPECT_EQ(state, saved);
  EXPECT_EQ(state->offsetX, 30);
  EXPECT_EQ(state->maxX, 216);
  again.ResetTableScroll();
  ASSERT_TRUE(again.ScrollTables(Point{10, 0}, false, nullptr, WideTables::kSelectedOrAll, nullptr));
  EXPECT_EQ(frame.FindTableScroll(77)->offsetX, 40);
  // Unbound, the object keeps states of its own.
  again.Bind(nullptr);
  EXPECT_EQ(again.Find(77), nullptr);
}

TEST_F(WideTablesTest, ScrollScripts) {
  char text[WideTables::kScriptSize];
  EXPECT_EQ(WideTables::FormatScrollScript(12, 0, text), 14u);
  EXPECT_STREQ(text, "move_table(12)");
  WideTables::FormatScrollScript(12, -40, text);
  EXPECT_STREQ(text, "move_table(12,-40)");
  WideTables::FormatScrollScript(4294967295u, 40, text);
  EXPECT_STREQ(text, "move_table(4294967295,40)");
}

TEST_F(WideTablesTest, ScrollAreasRunTheTableScripts) {
  ShapeAreaArray areas;
  ASSERT_TRUE(tables.AddTableScrollAreas(&areas, Rect{10, 50, 200, 100}, 77));
  ASSERT_EQ(areas.Count(), 3u);
  const char* want[3] = {"move_table(77)", "move_table(77,-40)", "move_table(77,40)"};
  const Rect where[3] = {{6, 50, 14, 14}, {6, 64, 14, 86}, {204, 50, 10, 100}};
  for (uint32_t i = 0; i < 3; ++i) {
    const LinkAction* action = areas.At(i)->link.Get();
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->kind, LinkAction::kScript);
    std::string text;
    for (uint32_t k = 0; k < action->target.length; ++k) text += static_cast<char>(action->target.Chars()[k]);
    EXPECT_EQ(text, want[i]);
    Rect bounds;
    areas.At(i)->GetBoundingBox(&bounds);
    EXPECT_EQ(bounds, where[i]);
  }
  // Without the pictures: no areas.
  WideTables plain;
  ShapeAreaArray none;
  ASSERT_TRUE(plain.AddTableScrollAreas(&none, Rect{10, 50, 200, 100}, 77));
  EXPECT_EQ(none.Count(), 0u);
}

// A live drag scrolls the viewport on the screen and fills the strip it
// uncovered with the table's background.
class WideTablesLiveTest : public surfacetest::SurfaceTest {};

TEST_F(WideTablesLiveTest, LiveScrollMovesThePixelsAndFillsTheStrip) {
  FakeMark tableMark{Size{12, 12}}, left{Size{8, 16}}, right{Size{8, 16}};
  WideTables tables;
  tables.SetPictures(&tableMark, &left, &right);
  tables.SetPageGeometry(4, 4, 1);
  WideTableState* state = tables.NoteTable(77, Rect{10, 50, 200, 100}, 400, 100, Color::FromRgb(0, 0, 255));
  ASSERT_NE(state, nullptr);
  Clear();
  // A red column at x 100 inside the viewport (20..204).
  surface.BeginDraw(false);
  surface.SetBackgroundColor(Color::FromRgb(255, 0, 0));
  surface.EraseRect(Rect{100, 50, 1, 100});
  surface.EndDraw();
  tables.ResetTableScroll();
  surface.BeginDraw(false);
  EXPECT_TRUE(tables.ScrollTables(Point{30, 0}, true, nullptr, WideTables::kSelectedOrAll, &surface));
  surface.EndDraw();
  EXPECT_EQ(Pixel(70, 60), 0xFF0000u);   // moved 30 pixels left
  EXPECT_EQ(Pixel(100, 60), 0xFFFFFFu);  // where it was
  EXPECT_EQ(Pixel(190, 60), 0x0000FFu);  // the uncovered strip at the right edge
  EXPECT_EQ(Pixel(173, 60), 0xFFFFFFu);
  EXPECT_EQ(Pixel(210, 60), 0xFFFFFFu);  // outside the viewport nothing moved
}

}  // namespace
