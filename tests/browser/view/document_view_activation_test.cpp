// What the view does with the links, the selection and the wide tables of
// the shown page: the current link, carrying an area out (its control, or
// its tip), the selection's report and its text for an outside program,
// the look-up word, the move keys, the tables' scroll and selection, and a
// pending state for the focused element.
#include <gtest/gtest.h>

#include <vector>

#include "browser/view/document_view.h"
#include "layout/elements/ui_element.h"
#include "layout/objects/inline_object.h"
#include "layout/pages/layout_context.h"
#include "layout/shapes/shape_area.h"
#include "layout/styles/link_action.h"
#include "layout/widetables/wide_tables.h"
#include "tests/browser/view/view_fixture.h"

namespace viewtest {
namespace {

// A form control as the page holds it: an object that is also an element.
class RecordingControl : public InlineObject, public UIElement {
 public:
  bool Draw(DrawingSurface*, const Rect&, const Rect*) override { return true; }
  bool GetSize(Size* size, bool*, bool*) override {
    *size = Size{10, 10};
    return true;
  }
  UIElement* AsElement() override { return this; }
  bool HitTest(Point) override { return false; }
  bool Activate(bool on, intptr_t) override {
    activations += on ? 1 : 0;
    return true;
  }
  void Arrange(Rect*, const Rect&) override {}
  int32_t GetLayer() override { return 0; }
  int activations = 0;
};

class ViewActivationTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    const std::string markup =
        "<html><body><p>Before the links.</p><p><a href=\"#one\">First link</a> and text between, then "
        "<a href=\"#two\">second link</a>.</p><p>After them some ordinary words to select.</p></body></html>";
    ASSERT_TRUE(OpenBook(u"\\activation.prc", MarkupBook(markup)));
    harness.Paint();
  }
  // Selects from the first word to the last of the third paragraph.
  void SelectWords() {
    LayoutContext* layout = view().GetLayout();
    ASSERT_NE(layout, nullptr);
    const int32_t last = view().NextLinkIndex(view().NextLinkIndex(-1));
    ASSERT_GE(last, 0);
    const Rect link = layout->LinkArea(last)->bounds;
    // The paragraph after the links lies below the second link.
    ASSERT_TRUE(layout->SelectAt(Point{4, link.y + link.height + 8}, true));
    ASSERT_TRUE(layout->SelectAt(Point{150, link.y + link.height + 8}, false));
  }
  SharedWideString Selected() {
    ViewTextRange range;
    SharedWideString text;
    uint32_t first = 0, second = 0;
    Rect rect;
    view().GetSelection(&range, &text, &first, &second, &rect);
    return text;
  }
};

TEST_F(ViewActivationTest, MakingALinkCurrentCancelsTheSelectionAndClamps) {
  SelectWords();
  ASSERT_FALSE(S(Selected()).empty());
  const int32_t first = view().NextLinkIndex(-1);
  view().SetCurrentLink(first);
  EXPECT_EQ(view().GetCurrentLinkIndex(), first);
  EXPECT_TRUE(S(Selected()).empty());
  view().SetCurrentLink(1000);
  EXPECT_EQ(view().GetCurrentLinkIndex(), view().LinkAreaCount() - 1);
  view().SetCurrentLink(-1);
  EXPECT_EQ(view().GetCurrentLinkIndex(), -1);
  EXPECT_TRUE(view().GetTextControl()->HasFocus());
}

TEST_F(ViewActivationTest, AnAreaIsCarriedOutByItsControlElseItsTipShows) {
  LinkAction* tip = new LinkAction();
  tip->title = W(u"Just a tip");
  ShapeArea area;
  area.SetRectangle(Rect{10, 10, 20, 20});
  area.SetLink(tip);
  tip->Release();
  view().ActivateLinkArea(&area, Point{15, 15});
  ASSERT_EQ(harness.application.Count("tip"), 1);
  EXPECT_EQ(harness.application.events.back().text, u"Just a tip");

  // A control takes the activation itself; the area's link is not used.
  RecordingControl* control = new RecordingControl();
  area.SetControl(control);
  harness.application.Clear();
  view().ActivateLinkArea(&area, Point{15, 15});
  EXPECT_EQ(control->activations, 1);
  EXPECT_EQ(harness.application.Count("tip"), 0);
  area.control.Clear();
  control->Release();

  // Nothing to carry out, or no area: nothing happens.
  ShapeArea empty;
  view().ActivateLinkArea(&empty, Point{1, 1});
  view().ActivateLinkArea(nullptr, Point{1, 1});
  view().SetCurrentLink(-1);
  view().ActivateCurrentLink();
  EXPECT_TRUE(harness.application.events.empty());
}

TEST_F(ViewActivationTest, TheSelectionGoesToTheApplicationAndToOutsidePrograms) {
  view().OnSelectionChanged(Point{5, 5});
  EXPECT_EQ(harness.application.Count("selection"), 0) << "nothing selected, nothing reported";
  EXPECT_TRUE(view().StartExternalApp(W(u"notes"), W(u"given text")));
  EXPECT_EQ(harness.application.programText, u"given text") << "a text given is handed on unchanged";

  SelectWords();
  const std::u16string selected = S(Selected());
  ASSERT_FALSE(selected.empty());
  view().OnSelectionChanged(Point{5, 5});
  ASSERT_EQ(harness.application.Count("selection"), 1);
  EXPECT_EQ(harness.application.events.back().text, selected);
  harness.application.Clear();
  EXPECT_TRUE(view().StartExternalApp(W(u"notes"), SharedWideString()));
  EXPECT_EQ(harness.application.events.back().text, u"notes");
  EXPECT_EQ(harness.application.programText, selected) << "without a text the selection is handed on";
}

TEST_F(ViewActivationTest, TheLookupWordIsThePagesAndNoneWithoutALayout) {
  SharedWideString word;
  view().GetLookupWord(&word);
  EXPECT_EQ(S(word).rfind(u"Before", 0), 0u) << S(word).size();
  view().CloseCurrentDocument();
  view().GetLookupWord(&word);
  EXPECT_TRUE(S(word).empty());
}

TEST_F(ViewActivationTest, MoveKeysWithoutAFrameSetTurnPages) {
  ASSERT_TRUE(OpenBook(u"\\moves.prc", MarkupBook(NumberedParagraphs(200))));
  ASSERT_EQ(view().GetCurrentPageNumber(), 1);
  EXPECT_TRUE(view().HandleMoveCommand(1035, true));
  EXPECT_EQ(view().GetCurrentPageNumber(), 2);
  EXPECT_TRUE(view().HandleMoveCommand(1036, true));
  EXPECT_EQ(view().GetCurrentPageNumber(), 1);
  EXPECT_FALSE(view().HandleMoveCommand(1036, true)) << "no page before the first";
  EXPECT_FALSE(view().HandleMoveCommand(17, true)) << "not a move command";
  EXPECT_EQ(view().GetCurrentPageNumber(), 1);
}

TEST_F(ViewActivationTest, TargetsBeyondThePageAreTheBooksMarks) {
  ASSERT_TRUE(OpenBook(u"\\targets.prc", MarkupBook(NumberedParagraphs(200))));
  ASSERT_TRUE(view().GoToPage(4));
  const int32_t marked = view().GetCurrentPosition();
  const SharedWideString note = W(u"a mark");
  uint32_t mark = 0;
  ASSERT_TRUE(view().AddMarkRecord(ViewTextRange{static_cast<uint32_t>(marked), static_cast<uint32_t>(marked) + 5},
                                   &note, nullptr, 0, 1, -1, nullptr, &mark));
  ASSERT_TRUE(view().GoToPage(1));
  view().MoveToTarget(true);
  EXPECT_EQ(view().GetCurrentPosition(), marked);
  ASSERT_TRUE(view().GoToPage(8));
  view().MoveToTarget(false);
  EXPECT_EQ(view().GetCurrentPosition(), marked);
}

TEST_F(ViewActivationTest, APendingStateGoesToTheFocusedElementUntilReset) {
  ByteStream state;
  const uint8_t bytes[] = {1, 2, 3, 4, 5, 6, 7, 8};
  ASSERT_TRUE(state.WriteBytes(bytes, sizeof bytes));
  ASSERT_TRUE(view().ApplyFocusedElementSettings(state));
  EXPECT_EQ(view().GetTextControl()->StateBuffer().Size(), sizeof bytes);
  view().ResetFocusedElementState();
  EXPECT_EQ(view().GetTextControl()->StateBuffer().Size(), 0u);
  view().CloseCurrentDocument();
  EXPECT_FALSE(view().ApplyFocusedElementSettings(state)) << "nothing has the focus";
}

class ViewTablesTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    ASSERT_TRUE(OpenBook(u"\\tables.prc",
                         MarkupBook("<html><body><table><tr><td>left</td><td width=500>a wide cell of words</td>"
                                    "</tr></table><p>after</p></body></html>")));
    harness.Paint();
    ASSERT_EQ(Tables().Count(), 1u);
  }
  WideTables& Tables() { return view().GetLayout()->Tables(); }
};

TEST_F(ViewTablesTest, ScriptsScrollATableAndToggleItsSelection) {
  const int32_t position = static_cast<int32_t>(Tables().At(0)->position);
  const uint32_t invalidations = view().GetInvalidationCount();
  EXPECT_TRUE(view().SelectTableAt(position, Point{20, 0}));
  EXPECT_EQ(Tables().At(0)->offsetX, 20);
  EXPECT_GT(view().GetInvalidationCount(), invalidations);
  EXPECT_TRUE(view().SelectTableAt(position, Point{20, 0})) << "from where the last scroll left it";
  EXPECT_EQ(Tables().At(0)->offsetX, 40);
  EXPECT_TRUE(view().SelectTableAt(position, Point{-40, 0}));
  EXPECT_EQ(Tables().At(0)->offsetX, 0);
  EXPECT_FALSE(view().SelectTableAt(position, Point{-40, 0})) << "at its left edge nothing moves";
  EXPECT_FALSE(view().SelectTableAt(position + 1, Point{20, 0})) << "no table there";

  EXPECT_TRUE(view().ScrollTable(-1));
  EXPECT_EQ(Tables().At(0)->selected, 1);
  EXPECT_TRUE(view().ScrollTable(position));
  EXPECT_EQ(Tables().At(0)->selected, 0);

  EXPECT_TRUE(view().PassToLayout(30, 0));
  EXPECT_EQ(Tables().At(0)->offsetX, 30);

  view().CloseCurrentDocument();
  EXPECT_FALSE(view().SelectTableAt(position, Point{20, 0}));
  EXPECT_FALSE(view().ScrollTable(-1));
  EXPECT_FALSE(view().PassToLayout(30, 0));
}

}  // namespace
}  // namespace viewtest
