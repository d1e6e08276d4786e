// The link areas, the current link and the selection as the layout context
// answers them for the view, on pages the real layout lays out and the
// page renderer paints.
#include <string>

#include "layout/pages/page_item_builder.h"
#include "layout/render/page_renderer.h"
#include "storage/side_file/book_parameter_file.h"
#include "tests/layout/pages/styled_pager_fixture.h"

namespace pagertest {
namespace {

class ContextAreasTest : public StyledPagerTest {
 protected:
  void TearDown() override {
    renderer.reset();
    StyledPagerTest::TearDown();
  }
  bool OpenAndPaint(const std::string& body) {
    renderer.reset();
    AttachBody(body, 200, 300);
    renderer = std::make_unique<PageRenderer>(context.get());
    return context->Start() && renderer->PaintCurrentPage(0);
  }
  static Point Middle(const Rect& r) { return Point{r.x + r.width / 2, r.y + r.height / 2}; }
  std::u16string Text(const SharedWideString& s) { return std::u16string(s.Chars(), s.length); }

  std::unique_ptr<PageRenderer> renderer;
};

constexpr char kThreeLinks[] =
    "<p>see <a href=\"a\">one</a> then <a href=\"b\">two</a> and <a href=\"c\">three</a> done</p>";

TEST_F(ContextAreasTest, AreasAreBuiltAfterThePaintAndFoundByPoint) {
  ASSERT_TRUE(OpenAndPaint(kThreeLinks));
  ShapeAreaArray* areas = nullptr;
  ASSERT_TRUE(context->GetLinkAreas(&areas));
  ASSERT_EQ(areas->Count(), 3u);
  EXPECT_EQ(context->LinkAreaCount(), 3);
  EXPECT_EQ(context->CountLinks(), 3);

  const Rect two = WordBox(u"two");
  ASSERT_GT(two.width, 0);
  const ShapeArea* found = nullptr;
  EXPECT_EQ(context->GetLinkAreaAt(Middle(two), 0, &found), 1);
  EXPECT_EQ(found, context->LinkArea(1));
  // Three pixels beside the link: only a tolerance reaches it.
  const Point beside{two.x + two.width + 2, two.y + two.height / 2};
  EXPECT_EQ(context->GetLinkAreaAt(beside, 0), -1);
  EXPECT_EQ(context->GetLinkAreaAt(beside, 5), 1);
  EXPECT_EQ(context->GetLinkAreaAt(Middle(WordBox(u"see")), 0), -1);

  EXPECT_EQ(context->NextLinkIndex(-1), 0);
  EXPECT_EQ(context->NextLinkIndex(1), 2);
  EXPECT_EQ(context->NextLinkIndex(2), -1);
  EXPECT_EQ(context->PreviousLinkIndex(2), 1);
  EXPECT_EQ(context->PreviousLinkIndex(0), -1);
  EXPECT_EQ(context->PreviousLinkIndex(99), 2);

  // Cleared, they are built again from the painted page.
  context->ClearLinkAreas();
  EXPECT_EQ(context->LinkAreaCount(), 0);
  EXPECT_EQ(context->CountLinks(), 3);
}

TEST_F(ContextAreasTest, NoAreasBeforeThePageIsPainted) {
  ASSERT_TRUE(OpenAndPaint(kThreeLinks));
  ASSERT_TRUE(context->StepPage(context->GetCurrentPosition(), kStepPage) || true);
  renderer->Invalidate();
  context->ReleasePageBuffer(context->ShownPage());
  ASSERT_NE(context->GetCurrentPage(), nullptr);  // laid out again, not painted
  EXPECT_FALSE(context->BuildLinkAreas());
  EXPECT_EQ(context->GetLinkAreaAt(Point{20, 20}, 5), -1);
  EXPECT_FALSE(context->SelectAt(Point{20, 20}, true));
}

TEST_F(ContextAreasTest, CurrentLinkIsClampedRememberedAndFramed) {
  ASSERT_TRUE(OpenAndPaint(kThreeLinks));
  const Rect one = WordBox(u"one");
  const Point inside = Middle(one);
  const uint32_t before = Pixel(inside.x, inside.y);
  context->SetCurrentLink(7, false, false);
  EXPECT_EQ(context->GetCurrentLinkIndex(), 2);
  context->SetCurrentLink(0, true, false);
  EXPECT_EQ(context->GetPageFirstLink(), 0);
  // The focus frame inverts the area's pixels.
  EXPECT_EQ(Pixel(inside.x, inside.y), before ^ 0xFFFFFFu);
  context->RestoreRememberedLink();
  EXPECT_EQ(context->GetPageFirstLink(), 2);
  EXPECT_EQ(Pixel(inside.x, inside.y), before);
  context->SetCurrentLink(-5, false, false);
  EXPECT_EQ(context->GetPageFirstLink(), -1);
}

TEST_F(ContextAreasTest, APaintDrawsTheFocusFrameAndTheHighlightAgain) {
  ASSERT_TRUE(OpenAndPaint(kThreeLinks));
  const Rect one = WordBox(u"one");
  const Rect see = WordBox(u"see");
  const uint32_t linkPixel = Pixel(one.x + 1, one.y + one.height / 2);
  const uint32_t wordPixel = Pixel(see.x + 1, see.y + see.height / 2);
  context->SetCurrentLink(0, false, false);
  ASSERT_TRUE(context->SelectAt(Middle(see), true));
  ASSERT_TRUE(context->SelectAt(Middle(see), false));
  ASSERT_TRUE(context->PaintCurrentPage(0));
  EXPECT_EQ(Pixel(one.x + 1, one.y + one.height / 2), linkPixel ^ 0xFFFFFFu);
  EXPECT_EQ(Pixel(see.x + 1, see.y + see.height / 2), wordPixel ^ 0xFFFFFFu);
  context->ClearSelectionHighlight();
  context->SetCurrentLink(-1, false, false);
  EXPECT_EQ(Pixel(one.x + 1, one.y + one.height / 2), linkPixel);
  EXPECT_EQ(Pixel(see.x + 1, see.y + see.height / 2), wordPixel);
}

struct Visits {
  int objects = 0;
  bool destroy = false;
  std::unique_ptr<LayoutContext>* owner = nullptr;
};

TEST_F(ContextAreasTest, ObjectsOfThePageAreVisitedUntilTheContextGoes) {
  // A rule starts a page: the second page holds one object.
  ASSERT_TRUE(OpenAndPaint("<p>a</p><hr>b<hr>c"));
  ASSERT_TRUE(context->StepPage(context->GetCurrentPosition(), kStepPage));
  ASSERT_TRUE(context->PaintCurrentPage(0));
  Visits visits;
  auto visit = [](LayoutContext*, InlineObject* object, void* argument) {
    auto* v = static_cast<Visits*>(argument);
    EXPECT_NE(object, nullptr);
    ++v->objects;
    // The walk must not touch the context after this.
    if (v->destroy) v->owner->reset();
  };
  context->ForEachPageObject(visit, &visits);
  EXPECT_EQ(visits.objects, 1);
  visits = Visits{0, true, &context};
  renderer.reset();
  context->ForEachObject(visit, &visits);
  EXPECT_EQ(visits.objects, 1);
  EXPECT_EQ(context, nullptr);
}

TEST_F(ContextAreasTest, TipAreasEscapeTheirText) {
  ASSERT_TRUE(OpenAndPaint(kThreeLinks));
  ASSERT_TRUE(context->BuildLinkAreas());
  SharedWideString text;
  const char16_t tip[] = u"say \"hi\"\\now";
  ASSERT_TRUE(text.FromChars(reinterpret_cast<const WCHAR*>(tip), 12));
  ASSERT_TRUE(context->AddTipArea(Rect{1, 2, 3, 4}, text, -7));
  const ShapeArea* area = context->LinkArea(3);
  ASSERT_NE(area, nullptr);
  ASSERT_NE(area->link.Get(), nullptr);
  EXPECT_EQ(area->link->kind, LinkAction::kScript);
  EXPECT_EQ(Text(area->link->target), u"display_tip(\"say \\\"hi\\\"\\\\now\",-7)");
}

TEST_F(ContextAreasTest, SelectionByPointCopiesAndClears) {
  ASSERT_TRUE(OpenAndPaint("<p>alpha beta gamma delta</p>"));
  EXPECT_TRUE(context->HasNoSelection());
  const Rect beta = WordBox(u"beta");
  const Rect gamma = WordBox(u"gamma");
  const uint32_t before = Pixel(beta.x + 1, beta.y + beta.height / 2);
  ASSERT_TRUE(context->SelectAt(Point{beta.x + 1, beta.y + 2}, true));
  ASSERT_TRUE(context->SelectAt(Point{gamma.x + gamma.width - 1, gamma.y + 2}, false));
  EXPECT_FALSE(context->HasNoSelection());
  SharedWideString text;
  uint16_t language = 0;
  ASSERT_TRUE(context->GetSelectedText(&text, &language));
  EXPECT_EQ(Text(text), u"beta gamma");
  // Units count on from the selection's end.
  ASSERT_TRUE(context->GetSelectionTextByUnit(&text, 2));
  EXPECT_EQ(Text(text), u"beta gamma delta");
  EXPECT_FALSE(context->GetSelectionTextByUnit(&text, 0));
  uint32_t start = 0, end = 0;
  context->GetSelectionRange(&start, &end);
  EXPECT_LT(start, end);
  Rect bounds;
  ASSERT_TRUE(context->GetHighlightBounds(&bounds));
  EXPECT_TRUE(bounds.ContainsPoint(Middle(beta)));
  // Drawn at once in inverse colours, erased on clearing.
  EXPECT_EQ(Pixel(beta.x + 1, beta.y + beta.height / 2), before ^ 0xFFFFFFu);
  context->ClearSelectionHighlight();
  EXPECT_TRUE(context->HasNoSelection());
  EXPECT_FALSE(context->GetHighlightBounds(&bounds));
  EXPECT_EQ(Pixel(beta.x + 1, beta.y + beta.height / 2), before);
  context->GetSelectionRange(&start, &end);
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 0u);
}

TEST_F(ContextAreasTest, CaretKeysSelectWordByWord) {
  ASSERT_TRUE(OpenAndPaint("<p>alpha beta gamma</p>"));
  ASSERT_TRUE(context->MoveCaret(PageSelection::kRight));
  context->SetSelectionEnd(true, true);
  ASSERT_TRUE(context->MoveCaret(PageSelection::kRight));
  context->SetSelectionEnd(false, true);
  SharedWideString text;
  uint16_t language = 0;
  ASSERT_TRUE(context->GetSelectedText(&text, &language));
  EXPECT_FALSE(Text(text).empty());
  EXPECT_NE(Text(text).find(u' '), std::u16string::npos);
  SharedWideString word;
  ASSERT_TRUE(context->GetLookupWord(&word));
  EXPECT_EQ(Text(word), u"alpha beta gamma");
}

// A note of the side file drawn as a margin bar over several lines is one
// tappable area in the margin whose action shows the note (beside the
// note's text, which shows it as well).
TEST_F(ContextAreasTest, ANoteBarIsOneAreaInTheMargin) {
  BookParameterFile marks;
  EncodedString path;
  path.FromWide(u"\\book.prc");
  ASSERT_EQ(marks.Create(path, "book", 4, false, true, false), RecordResult::kOk);
  std::string words;
  for (int i = 0; i < 40; ++i) words += "word" + std::to_string(i) + " ";
  ASSERT_TRUE(OpenAndPaint("<p>" + words + "</p>"));
  uint32_t first = 0, end = 0;
  ASSERT_TRUE(context->ShownPage()->store.GetPositionRange(&first, &end));
  const uint32_t note = marks.AddBookmark(first + 10, first + 120, 0, 0, 0x20 | 3, 2);  // a bar
  ASSERT_NE(note, 0xFFFFFFFFu);
  context->AttachAnnotations(&marks);
  context->Renderer().SetAnnotations(&marks);
  ASSERT_TRUE(context->PaintCurrentPage(0));
  context->ClearLinkAreas();
  ShapeAreaArray* areas = nullptr;
  ASSERT_TRUE(context->GetLinkAreas(&areas));
  // The note's text shows the note too; the bar is the area after it.
  ASSERT_EQ(areas->Count(), 2u);
  const ShapeArea& bar = *areas->At(1);
  ASSERT_NE(bar.link.Get(), nullptr);
  EXPECT_EQ(bar.link->kind, LinkAction::kNumberPairReference);
  EXPECT_EQ(bar.link->first, 25);
  EXPECT_EQ(bar.link->second, 71);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(bar.link->reference), note);
  Rect box;
  bar.GetBoundingBox(&box);
  Rect content;
  context->GetContentRect(&content);
  EXPECT_LE(box.x + box.width, content.x);  // in the margin
  EXPECT_GT(box.height, 2 * WordBox(u"word0").height);  // over several lines
  context->Renderer().SetAnnotations(nullptr);
  context->AttachAnnotations(nullptr);
}

// A link inside a wide table moves with the table's scroll: its area, the
// word under the stylus and the scroll marks' script areas.
TEST_F(ContextAreasTest, ScrolledTablesMoveTheirAreasAndWords) {
  ASSERT_TRUE(OpenAndPaint(
      "<table><tr><td>left</td><td width=500><a href=\"t\">inside</a> words</td></tr></table><p>after</p>"));
  ASSERT_TRUE(context->HasScrollMarkPictures());
  ASSERT_EQ(context->Tables().Count(), 1u);
  ShapeAreaArray* areas = nullptr;
  ASSERT_TRUE(context->GetLinkAreas(&areas));
  // The table mark, the left and the right marks, then the link.
  ASSERT_EQ(areas->Count(), 4u);
  EXPECT_EQ(Text(areas->At(0)->link->target).rfind(u"move_table(", 0), 0u);
  EXPECT_EQ(Text(areas->At(2)->link->target).find(u",40)"), Text(areas->At(2)->link->target).size() - 4);
  Rect before;
  areas->At(3)->GetBoundingBox(&before);

  context->ResetTableScroll();
  ASSERT_TRUE(context->ScrollTables(Point{20, 0}, false, nullptr, WideTables::kSelectedOrAll));
  context->ClearHighlight();
  EXPECT_EQ(context->LinkAreaCount(), 0);
  ASSERT_TRUE(context->PaintCurrentPage(0));
  ASSERT_TRUE(context->GetLinkAreas(&areas));
  ASSERT_EQ(areas->Count(), 4u);
  Rect after;
  areas->At(3)->GetBoundingBox(&after);
  Rect viewport;
  ASSERT_TRUE(context->Tables().GetTableViewport(context->Tables().At(0)->box, &viewport));
  // Moved left by the scroll, cut at the viewport.
  EXPECT_EQ(after.x + after.width, before.x + before.width - 20);
  EXPECT_GE(after.x, viewport.x);
  // The word under the stylus is found where the table shows it.
  const Rect inside = WordBox(u"inside");
  ASSERT_TRUE(context->SelectAt(Point{inside.x + inside.width - 20 - 2, inside.y + 2}, true));
  ASSERT_TRUE(context->SelectAt(Point{inside.x + inside.width - 20 - 2, inside.y + 2}, false));
  SharedWideString text;
  uint16_t language = 0;
  ASSERT_TRUE(context->GetSelectedText(&text, &language));
  EXPECT_EQ(Text(text), u"inside");
  uint32_t position = 0;
  EXPECT_FALSE(context->FindTableAt(Point{viewport.x + 2, viewport.y + 2}, &position));  // not selected
  context->ToggleTableSelection(-1);
  EXPECT_TRUE(context->FindTableAt(Point{viewport.x + 2, viewport.y + 2}, &position));
}

}  // namespace
}  // namespace pagertest
