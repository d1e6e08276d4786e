// The reading text control: page turns by key and tap, the drag threshold
// of selection, links and the tolerance around them, the keyboard
// selection modes, link choice by number, wide-table drags and the
// commands a location allows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/lines/line_records.h"
#include "layout/reading/reading_text_control.h"
#include "layout/selection/range_walker.h"
#include "tests/layout/drawing/surface_fixture.h"

namespace {

RefPtr<LinkAction> NewLink() {
  LinkAction* action = new (std::nothrow) LinkAction;
  RefPtr<LinkAction> link(action);
  action->Release();
  return link;
}

// One line of painted words from (0, 10), 30 pixels wide with 10-pixel
// spaces; the words "l1" to "l3" are links.
class FakeView : public ReadingView {
 public:
  FakeView() {
    LineRecord line;
    line.y = 10;
    line.width = 240;
    line.height = 20;
    store.AppendItem(kLineItem, &line, 0, false);
    const char16_t* words[] = {u"w1", u"l1", u"w2", u"l2", u"l3", u"w3"};
    int32_t x = 0;
    uint32_t position = 0;
    for (const char16_t* word : words) {
      const bool link = word[0] == u'l';
      if (link) {
        links.push_back(NewLink());
        TextStyle style;
        style.link = links.back();
        store.AppendKind8(style, position, false);
      }
      LayoutItem item;
      item.text.FromChars(reinterpret_cast<const WCHAR*>(word), 2);
      item.width = 30;
      item.layoutWords[0] = x;
      store.AppendKind7(item, position, false);
      position += 2;
      x += 30;
      if (link) store.AppendKind8(TextStyle{}, position, false);
      AppendMark(&store, kMarkSpace, 10, position++);
      x += 10;
    }
    BuildLinkAreas(&store, nullptr, nullptr, &areas);
    selection.Reset(&store);
  }

  bool HasLayout() override { return true; }
  bool GetViewRect(Rect* out) override {
    *out = Rect{0, 0, 240, 300};
    return true;
  }
  bool GetContentRect(Rect* out) override {
    *out = Rect{0, 5, 240, 290};
    return true;
  }
  int32_t LocationKind() override { return kind; }
  uint32_t CurrentPagePosition() override { return 1234; }
  bool SaveReadingState(ByteStream* stream) override { return stream->WriteBytes("EBVS", 4); }
  bool LoadReadingState(ByteStream*) override { return true; }
  bool AllowsSelection() override { return allowSelection; }
  bool TapHalvesTurnPages() override { return halves; }
  bool TapAboveTogglesFullScreen() override { return false; }
  int32_t HorizontalMargin() override { return 20; }
  int32_t PreferredColumns() override { return columns; }
  bool HoldsPageSteps() override { return false; }
  bool GetLinkAreaAt(const ShapeArea** area, int32_t* index, Point point, int32_t tolerance) override {
    for (uint32_t i = 0; i < areas.Count(); ++i) {
      // Grown by the tolerance: the area's rectangles, not only its bounds
      // (ShapeArea::HitTest looks at the bounds as they are first).
      const ShapeArea& area_i = *areas.At(i);
      std::vector<const Rect*> rects(area_i.RectCount());
      area_i.CollectRects(rects.data());
      bool hit = false;
      for (const Rect* r : rects) {
        Rect grown = *r;
        InflateRect(&grown, tolerance, tolerance);
        hit = hit || grown.ContainsPoint(point);
      }
      if (hit) {
        *area = areas.At(i);
        *index = static_cast<int32_t>(i);
        return true;
      }
    }
    return false;
  }
  int32_t LinkAreaCount() override { return static_cast<int32_t>(areas.Count()); }
  int32_t GetCurrentLinkIndex() override { return current; }
  void SetCurrentLink(int32_t index) override { current = index; }
  void ActivateLinkArea(const ShapeArea* area, Point) override { activated.push_back(area); }
  void ActivateCurrentLink() override { activated.push_back(areas.At(static_cast<uint32_t>(current))); }
  void MoveToTarget(bool) override {}
  bool HandleMoveCommand(int32_t, bool) override { return false; }
  bool StepPage(int32_t step, int32_t linkIndex) override {
    steps.push_back(Point{step, linkIndex});
    return true;
  }
  bool CanStep(int32_t step) override { return step > 0; }
  bool PageEndsWithBreakMark() override { return breakMark; }
  PageSelection* Selection() override { return &selection; }
  SelectionHighlight* Highlight() override { return &highlight; }
  DrawingSurface* Surface() override { return surface; }
  void SelectionMade(Point) override { ++selectionsMade; }
  void Repaint() override { ++repaints; }
  void ToggleFullScreen() override {}
  void ExecuteControllerCommand(int32_t command) override { executed.push_back(command); }
  WideTables* Tables() override { return tables; }

  std::u16string Selected() {
    SharedWideString text;
    uint16_t language;
    selection.GetSelectedText(false, &text, &language);
    return std::u16string(text.Chars() ? text.Chars() : u"", text.length);
  }

  LayoutItemStore store;
  std::vector<RefPtr<LinkAction>> links;
  ShapeAreaArray areas;
  PageSelection selection;
  SelectionHighlight highlight;
  DrawingSurface* surface = nullptr;
  WideTables* tables = nullptr;
  int32_t kind = 0;
  int32_t columns = 1;
  bool allowSelection = true;
  bool halves = false;
  bool breakMark = false;
  int32_t current = -1;
  std::vector<const ShapeArea*> activated;
  std::vector<Point> steps;
  std::vector<int32_t> executed;
  int selectionsMade = 0;
  int repaints = 0;
};

class ReadingControlTest : public surfacetest::SurfaceTest {
 protected:
  void SetUp() override {
    surfacetest::SurfaceTest::SetUp();
    view.surface = &surface;
    ASSERT_TRUE(control.SetParent(&surface));
    Clear();
  }
  void TearDown() override {
    control.LeaveParent();
    surfacetest::SurfaceTest::TearDown();
  }
  void Tap(Point p) {
    control.OnPointerDown(p);
    control.OnPointerUp(p);
  }
  bool Command(int32_t code, WPARAM character = 0) {
    CommandEvent event;
    event.command = code;
    event.wParam = character;
    return control.HandleCommand(event);
  }

  FakeView view;
  ReadingTextControl control{&view};
};

TEST_F(ReadingControlTest, TheFirstTapOnlyTakesTheFocus) {
  Tap(Point{230, 100});
  EXPECT_TRUE(view.steps.empty());
  EXPECT_TRUE(control.HasFocus());
  Tap(Point{230, 100});
  ASSERT_EQ(view.steps.size(), 1u);
  EXPECT_EQ(view.steps[0], (Point{2, 255}));
}

TEST_F(ReadingControlTest, TapsTurnPagesByMarginsOrHalves) {
  control.TakeFocus();
  struct Case {
    bool halves;
    int32_t x;
    int32_t step;  // 0: no step, the word under the tap selected
  };
  const Case cases[] = {
      {false, 5, -2}, {false, 230, 2}, {false, 100, 0}, {true, 100, -2}, {true, 121, 2},
  };
  for (const Case& c : cases) {
    view.steps.clear();
    view.halves = c.halves;
    view.selectionsMade = 0;
    Tap(Point{c.x, 200});
    if (c.step == 0) {
      EXPECT_TRUE(view.steps.empty()) << c.x;
      EXPECT_EQ(view.selectionsMade, 1) << c.x;
    } else {
      ASSERT_EQ(view.steps.size(), 1u) << c.x;
      EXPECT_EQ(view.steps[0].x, c.step) << c.x;
    }
  }
  // A tap on a word between the margins selects it.
  view.halves = false;
  Tap(Point{5 + 40 * 2 + 20, 15});
  EXPECT_EQ(view.Selected(), u"w2");
}

TEST_F(ReadingControlTest, DragsOfMoreThanTenPixelsSelect) {
  control.TakeFocus();
  control.OnPointerDown(Point{5, 15});
  control.OnPointerMove(true, Point{15, 15});  // 10 pixels: not yet
  EXPECT_EQ(control.Mode(), ReadingTextControl::kNone);
  control.OnPointerMove(true, Point{16, 25});  // 11 pixels
  EXPECT_EQ(control.Mode(), ReadingTextControl::kStylus);
  control.OnPointerMove(true, Point{85, 15});
  control.OnPointerUp(Point{85, 15});
  EXPECT_EQ(view.Selected(), u"w1 l1 w2");
  EXPECT_EQ(view.selectionsMade, 1);
  EXPECT_TRUE(view.steps.empty());
  // Where the view forbids selection a drag selects nothing.
  view.allowSelection = false;
  control.CancelSelection();
  control.OnPointerDown(Point{5, 15});
  control.OnPointerMove(true, Point{100, 15});
  control.OnPointerUp(Point{100, 15});
  EXPECT_EQ(control.Mode(), ReadingTextControl::kNone);
  EXPECT_EQ(view.Selected(), u"");
}

TEST_F(ReadingControlTest, LinksAndTheToleranceAroundThem) {
  control.TakeFocus();
  // On the link "l1" (x 40-70): activated.
  Tap(Point{50, 15});
  ASSERT_EQ(view.activated.size(), 1u);
  EXPECT_EQ(view.activated[0], view.areas.At(0));
  EXPECT_EQ(view.current, -1);
  // Within 5 pixels below it: neither activated, selected nor turned.
  Tap(Point{50, 34});
  EXPECT_EQ(view.activated.size(), 1u);
  EXPECT_EQ(view.selectionsMade, 0);
  EXPECT_TRUE(view.steps.empty());
  EXPECT_EQ(view.Selected(), u"");
}

TEST_F(ReadingControlTest, LineStepsAndColumns) {
  struct Case {
    int32_t columns;
    bool breakMark;
    int32_t code;
    Point step;
  };
  const Case cases[] = {
      {1, false, 11, {2, 255}}, {1, false, 12, {-2, 255}}, {1, false, 13, {1, 255}},  {1, true, 13, {2, 1}},
      {1, false, 14, {-1, 255}}, {1, false, 15, {3, 255}}, {1, false, 16, {-3, 255}}, {2, false, 13, {2, 255}},
      {2, false, 15, {2, 255}},  {2, false, 14, {-2, 255}}, {2, false, 16, {-2, 255}},
  };
  for (const Case& c : cases) {
    view.steps.clear();
    view.columns = c.columns;
    view.breakMark = c.breakMark;
    EXPECT_TRUE(Command(c.code));
    ASSERT_EQ(view.steps.size(), 1u);
    EXPECT_EQ(view.steps[0], c.step) << c.columns << " " << c.code;
  }
}

TEST_F(ReadingControlTest, LinksByNumberAndActivation) {
  ASSERT_EQ(view.areas.Count(), 3u);
  EXPECT_TRUE(Command(25, u'9'));
  EXPECT_EQ(view.current, 2);  // clamped to the last
  EXPECT_TRUE(Command(25, u'1'));
  EXPECT_EQ(view.current, 0);
  EXPECT_FALSE(Command(25, u'x'));
  EXPECT_TRUE(Command(23));
  EXPECT_EQ(view.activated.back(), view.areas.At(0));
  EXPECT_TRUE(Command(1037));
  EXPECT_EQ(view.current, 1);
  EXPECT_TRUE(Command(24));
  EXPECT_EQ(view.current, -1);
  EXPECT_TRUE(Command(26));  // second value 0: the controller's command 0
  view.current = 7;
  EXPECT_FALSE(Command(23));  // beyond the areas
}

TEST_F(ReadingControlTest, KeyboardSelectionModes) {
  control.ExecuteCommand(40, 0);
  EXPECT_EQ(control.Mode(), ReadingTextControl::kKeyboardCaret);
  EXPECT_TRUE(control.IsCommandChecked(40));
  EXPECT_EQ(view.Selected(), u"w1");
  // Mode 2: anchor and focus move together.
  EXPECT_TRUE(Command(4));
  EXPECT_EQ(view.Selected(), u"l1");
  // 23 in mode 2 starts extending (mode 3): only the focus moves.
  EXPECT_TRUE(Command(23));
  EXPECT_EQ(control.Mode(), ReadingTextControl::kKeyboardExtend);
  EXPECT_TRUE(Command(4));
  EXPECT_TRUE(Command(4));
  EXPECT_EQ(view.Selected(), u"l1 w2 l2");
  // 257-260 extend in any mode.
  EXPECT_TRUE(Command(259));
  EXPECT_EQ(view.Selected(), u"l1 w2");
  EXPECT_TRUE(Command(24));
  EXPECT_EQ(control.Mode(), ReadingTextControl::kNone);
  EXPECT_EQ(view.Selected(), u"");
  EXPECT_FALSE(control.IsCommandChecked(40));
}

TEST_F(ReadingControlTest, CommandsByLocationKind) {
  EXPECT_FALSE(control.IsCommandEnabled(26));
  EXPECT_FALSE(control.IsCommandEnabled(39));
  EXPECT_TRUE(control.IsCommandEnabled(66));
  EXPECT_FALSE(control.IsCommandEnabled(67));  // CanStep(-2) is false here
  EXPECT_TRUE(control.IsCommandEnabled(79));
  view.columns = 2;
  EXPECT_FALSE(control.IsCommandEnabled(79));
  EXPECT_FALSE(control.IsCommandEnabled(82));
  struct Case {
    int32_t kind, command;
    bool enabled;
  };
  const Case cases[] = {
      {0, 16, true}, {1, 16, false}, {3, 41, false}, {4, 54, false}, {1, 0, false}, {3, 0, true},
      {3, 15, false}, {4, 15, true}, {4, 7, false}, {1, 7, true},   {2, 16, true}, {5, 24, true},
  };
  for (const Case& c : cases) {
    view.kind = c.kind;
    EXPECT_EQ(control.IsCommandEnabled(c.command), c.enabled) << c.kind << "/" << c.command;
  }
}

TEST_F(ReadingControlTest, WideTablesDragAndCommands) {
  struct Mark : ScrollMarkPicture {
    Size GetSize() const override { return Size{8, 16}; }
    void Draw(DrawingSurface*, const Rect&) override {}
  } mark;
  WideTables tables;
  tables.SetPictures(&mark, &mark, &mark);
  tables.SetPageGeometry(10, 10, 1);
  WideTableState* state = tables.NoteTable(50, Rect{0, 100, 240, 100}, 600, 100, Color{Color::kNoColor});
  ASSERT_NE(state, nullptr);
  view.tables = &tables;
  control.TakeFocus();
  // Not selected: a tap there is an ordinary tap.
  control.OnPointerDown(Point{100, 150});
  control.OnPointerUp(Point{100, 150});
  EXPECT_EQ(tables.Find(50)->offsetX, 0);
  tables.ToggleTableSelection(50, nullptr);
  control.OnPointerDown(Point{100, 150});
  control.OnPointerMove(true, Point{70, 150});  // 30 pixels left: the content 60
  EXPECT_EQ(tables.Find(50)->offsetX, 60);
  control.OnPointerUp(Point{60, 150});
  EXPECT_EQ(tables.Find(50)->offsetX, 80);
  EXPECT_GT(view.repaints, 0);
  // The scroll commands move the selected tables by 40.
  EXPECT_TRUE(Command(516));
  EXPECT_EQ(tables.Find(50)->offsetX, 120);
  EXPECT_TRUE(Command(515));
  EXPECT_EQ(tables.Find(50)->offsetX, 80);
}

TEST_F(ReadingControlTest, PageElementState) {
  EXPECT_EQ(control.GetKind(), 1);
  EXPECT_EQ(control.GetSourceIndex(), 1234);
  ByteStream stream;
  ASSERT_TRUE(control.SaveState(MediaPoint{}, &stream));
  EXPECT_EQ(stream.Size(), 4u);
  control.StateBuffer().WriteBytes("xy", 2);
  ByteStream padded;
  padded.WriteBytes("a", 1);
  ASSERT_TRUE(control.SaveState(MediaPoint{}, &padded));
  // One byte, the chunk, padding to a multiple of 4, then the blob.
  EXPECT_GT(padded.Size(), 8u);
}

}  // namespace
