// The reading text control over a real layout context: the stylus selects
// words and drags wide tables through the context, the focus keeps the
// current link, and positions and progress come from the shown page.
#include <string>

#include "layout/pages/page_item_builder.h"
#include "layout/reading/reading_text_control.h"
#include "tests/layout/elements/test_elements.h"
#include "tests/layout/pages/styled_pager_fixture.h"

namespace pagertest {
namespace {

// A view that answers from the context, as the document view does.
class ContextView : public ReadingView {
 public:
  explicit ContextView(LayoutContext** layout) : layout_(layout) {}
  bool HasLayout() override { return *layout_ != nullptr; }
  bool GetViewRect(Rect* out) override {
    *out = (*layout_)->PageRect();
    return true;
  }
  bool GetContentRect(Rect* out) override {
    (*layout_)->GetContentRect(out);
    return true;
  }
  int32_t LocationKind() override { return 0; }
  uint32_t CurrentPagePosition() override { return (*layout_)->GetCurrentPosition(); }
  bool SaveReadingState(ByteStream*) override { return false; }
  bool LoadReadingState(ByteStream*) override { return false; }
  bool AllowsSelection() override { return true; }
  bool TapHalvesTurnPages() override { return false; }
  bool TapAboveTogglesFullScreen() override { return false; }
  int32_t HorizontalMargin() override { return 4; }
  int32_t PreferredColumns() override { return 1; }
  bool HoldsPageSteps() override { return false; }
  bool GetLinkAreaAt(const ShapeArea** area, int32_t* index, Point point, int32_t tolerance) override {
    *index = (*layout_)->GetLinkAreaAt(point, tolerance, area);
    return *index >= 0;
  }
  int32_t LinkAreaCount() override { return (*layout_)->LinkAreaCount(); }
  int32_t GetCurrentLinkIndex() override { return (*layout_)->GetCurrentLinkIndex(); }
  void SetCurrentLink(int32_t index) override { (*layout_)->SetCurrentLink(index, false, true); }
  void ActivateLinkArea(const ShapeArea*, Point) override { ++activated; }
  void ActivateCurrentLink() override { ++activated; }
  void MoveToTarget(bool) override {}
  bool HandleMoveCommand(int32_t, bool) override { return false; }
  bool StepPage(int32_t step, int32_t) override { return (*layout_)->StepPage((*layout_)->GetCurrentPosition(), step); }
  bool CanStep(int32_t step) override { return (*layout_)->CanStep(step); }
  bool PageEndsWithBreakMark() override { return false; }
  PageSelection* Selection() override { return (*layout_)->Selection(); }
  SelectionHighlight* Highlight() override { return nullptr; }
  DrawingSurface* Surface() override { return (*layout_)->Font().surface; }
  void SelectionMade(Point) override { ++selections; }
  void Repaint() override { (*layout_)->PaintCurrentPage(0); }
  void ToggleFullScreen() override {}
  void ExecuteControllerCommand(int32_t) override {}
  WideTables* Tables() override { return &(*layout_)->Tables(); }
  void OnLayoutChanged() override { ++layoutChanges; }
  void ReadAloud(bool fromStart) override { readAloud.push_back(fromStart); }

  int activated = 0;
  int selections = 0;
  int layoutChanges = 0;
  std::vector<bool> readAloud;

 private:
  LayoutContext** layout_;
};

class ReadingControlLayoutTest : public StyledPagerTest {
 protected:
  void TearDown() override {
    control.reset();
    StyledPagerTest::TearDown();
  }
  bool OpenAndPaint(const std::string& body) {
    control.reset();
    AttachBody(body, 200, 300);
    raw = context.get();
    control = std::make_unique<ReadingTextControl>(&view);
    control->SetLayout(raw);
    // Under a focus scope, as in a document view: a tap can take the focus.
    if (!control->SetParent(&root)) return false;
    return context->Start() && context->PaintCurrentPage(0);
  }
  std::u16string Selected() {
    SharedWideString text;
    uint16_t language = 0;
    context->GetSelectedText(&text, &language);
    return std::u16string(text.Chars() ? text.Chars() : u"", text.length);
  }

  LayoutContext* raw = nullptr;
  ContextView view{&raw};
  elementtest::TestScope root;
  std::unique_ptr<ReadingTextControl> control;
};

TEST_F(ReadingControlLayoutTest, TapsAndDragsSelectThroughTheContext) {
  ASSERT_TRUE(OpenAndPaint("<p>alpha beta gamma delta</p>"));
  const Rect beta = WordBox(u"beta");
  const Rect gamma = WordBox(u"gamma");
  const Point inBeta{beta.x + 2, beta.y + 2};
  // The first tap only takes the focus; the second selects the word.
  ASSERT_TRUE(control->OnPointerDown(inBeta));
  control->OnPointerUp(inBeta);
  EXPECT_TRUE(context->HasNoSelection());
  ASSERT_TRUE(control->OnPointerDown(inBeta));
  control->OnPointerUp(inBeta);
  EXPECT_EQ(Selected(), u"beta");
  EXPECT_EQ(view.selections, 1);
  // A drag past ten pixels selects from the pen-down to the pen.
  ASSERT_TRUE(control->OnPointerDown(inBeta));
  control->OnPointerMove(true, Point{gamma.x + gamma.width - 1, gamma.y + 2});
  control->OnPointerUp(Point{gamma.x + gamma.width - 1, gamma.y + 2});
  EXPECT_EQ(Selected(), u"beta gamma");
  control->CancelSelection();
  EXPECT_TRUE(context->HasNoSelection());
}

TEST_F(ReadingControlLayoutTest, TheFocusKeepsTheCurrentLink) {
  ASSERT_TRUE(OpenAndPaint("<p><a href=\"a\">one</a> and <a href=\"b\">two</a></p>"));
  context->SetCurrentLink(1, false, false);
  control->OnFocusChanged(false);
  EXPECT_EQ(context->GetCurrentLinkIndex(), -1);
  control->OnFocusChanged(true);
  EXPECT_EQ(context->GetCurrentLinkIndex(), 1);
}

TEST_F(ReadingControlLayoutTest, PositionsProgressAndCommands) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "word" + std::to_string(i) + " ";
  ASSERT_TRUE(OpenAndPaint("<p>" + text + "</p>"));
  const uint32_t start = context->GetCurrentPosition();
  const uint32_t next = context->GetPagePosition(2);
  ASSERT_NE(next, kNoPosition);
  // On the shown page a position is kept; beyond it its page is shown.
  EXPECT_EQ(control->AdjustPosition(0, start + 1), start + 1);
  EXPECT_EQ(control->AdjustPosition(0, next + 5), 1u);
  EXPECT_GE(context->GetCurrentPosition(), next);
  uint32_t position = 0;
  int32_t page = 0;
  uint32_t length = 0xFFFFFFFFu;
  ASSERT_TRUE(control->GetProgress(&position, &page, &length));
  EXPECT_EQ(page, context->GetCurrentPageNumber() > 0 ? context->GetCurrentPageNumber() : 300);
  EXPECT_LE(position, length);
  control->Notify(2);
  EXPECT_EQ(view.layoutChanges, 1);
  control->ExecuteCommand(86, 0);
  control->ExecuteCommand(85, 0);
  EXPECT_EQ(view.readAloud, (std::vector<bool>{true, false}));
  control->Refresh();
  Rect content;
  context->GetContentRect(&content);
  EXPECT_EQ(content.x, 4);  // the preferred horizontal margin
}

TEST_F(ReadingControlLayoutTest, ADragScrollsASelectedWideTable) {
  ASSERT_TRUE(OpenAndPaint("<table><tr><td>a</td><td width=600>wide</td></tr></table><p>after</p>"));
  ASSERT_TRUE(context->HasScrollMarkPictures());
  ASSERT_EQ(context->Tables().Count(), 1u);
  context->ToggleTableSelection(-1);
  Rect viewport;
  ASSERT_TRUE(context->Tables().GetTableViewport(context->Tables().At(0)->box, &viewport));
  const Point down{viewport.x + 40, viewport.y + 2};
  ASSERT_TRUE(control->OnPointerDown(down));
  control->OnPointerMove(true, Point{down.x - 15, down.y});
  EXPECT_EQ(context->Tables().At(0)->offsetX, 30);
  control->OnPointerUp(Point{down.x - 20, down.y});
  EXPECT_EQ(context->Tables().At(0)->offsetX, 40);
  EXPECT_EQ(context->CurrentFrame()->tableScrolls.At(0)->offsetX, 40);
  // The scroll command moves it on by 40 and the areas are built anew.
  ASSERT_TRUE(context->BuildLinkAreas());
  CommandEvent event{};
  event.command = 516;
  EXPECT_TRUE(control->HandleCommand(event));
  EXPECT_EQ(context->Tables().At(0)->offsetX, 80);
  EXPECT_EQ(context->LinkAreaCount(), 3);  // rebuilt by the repaint: the table's three scroll areas
}

}  // namespace
}  // namespace pagertest
