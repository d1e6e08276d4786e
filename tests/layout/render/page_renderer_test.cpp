// The page renderer on the headless window: backgrounds, justified lines,
// bullets, table borders and clipping, objects drawn later when not ready,
// highlights, notes and the bookmark corner, read back as pixels.
#include <string>

#include "layout/objects/inline_object.h"
#include "layout/pages/page_item_builder.h"
#include "layout/render/page_renderer.h"
#include "storage/side_file/book_parameter_file.h"
#include "tests/layout/pages/pager_fixture.h"

namespace pagertest {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kNoMark = 0xFFFFFFFFu;

// The window keeps fewer bits per colour than asked for.
bool Near(uint32_t a, uint32_t b) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    if (d > 8 || d < -8) return false;
  }
  return true;
}

bool IsDark(uint32_t rgb) { return ((rgb >> 16) & 0xFF) < 128 && ((rgb >> 8) & 0xFF) < 128 && (rgb & 0xFF) < 128; }

// An object that is not ready the first time it is asked to draw.
class LateObject : public InlineObject {
 public:
  bool Draw(DrawingSurface* surface, const Rect& box, const Rect*) override {
    if (++calls == 1) return false;
    surface->SetFillColor(Color::FromRgb(0, 128, 0));
    surface->SetPenColor(Color::FromRgb(0, 128, 0));
    surface->DrawRect(box, true);
    drawn = box;
    return true;
  }
  bool GetSize(Size* size, bool*, bool*) override {
    *size = Size{20, 20};
    return true;
  }
  int calls = 0;
  Rect drawn;
};

// The small builder, with the word "OBJ" standing for the late object.
class ObjectBuilder : public MarkupItemBuilder {
 public:
  bool ReadLayoutItems(LayoutContext* context, FlowPair* pair, uint32_t position) override {
    ElementStream* stream = context->Stream();
    if (stream->GetKind() == kElementText && stream->GetText().length == 3 &&
        std::u16string(stream->GetText().Chars(), 3) == u"OBJ") {
      LayoutObject object;
      object.words[kObjectWidth] = 20;
      object.words[kObjectHeight] = 20;
      object.words[kObjectAlignment] = kAlignBaseline;
      object.object = RefPtr<InlineObject>(late);
      return pair->store->AppendKind9(object, position, false);
    }
    return MarkupItemBuilder::ReadLayoutItems(context, pair, position);
  }
  LateObject* late = nullptr;
};

class PageRendererTest : public PagerTest {
 protected:
  void SetUp() override {
    PagerTest::SetUp();
    realBuilder.settings.defaults = &defaults;
    realBuilder.settings.baseStyle = &base;
  }
  bool OpenHtml(const std::string& body, LayoutItemBuilder* with = nullptr) {
    Close();
    document = RandomAccessDocument::FromUtf8("<html><body>" + body + "</body></html>");
    parser = std::make_unique<MarkupParser>();
    parser->AttachSource(document.get(), 0);
    context = std::make_unique<LayoutContext>();
    context->AttachParser(parser.get(), document.get(), with != nullptr ? with : &realBuilder);
    context->SetSurface(&surface);
    context->SetBaseStyle(10, 1, TextStyle{});
    context->SetPageRect(Rect{0, 0, 240, 320});
    context->SetMargins(10, 10, 10, 10, true);
    renderer = std::make_unique<PageRenderer>(context.get());
    return context->Start();
  }
  void Close() {
    renderer.reset();
    PagerTest::Close();
  }
  void TearDown() override {
    Close();
    PagerTest::TearDown();
  }
  // The text items of the painted page, with their positions.
  struct Word {
    std::u16string text;
    uint32_t position;
    int32_t x, y, width, height;
  };
  std::vector<Word> Words() {
    std::vector<Word> out;
    LaidOutPage* page = context->GetCurrentPage();
    for (LayoutCursor at = LayoutCursor::Begin(&page->store); !at.AtEnd(); at.Next()) {
      if (at.KindAt() != kTextItem) continue;
      const LayoutItem* item = TextAt(at);
      out.push_back({std::u16string(item->text.Chars(), item->text.length), page->store.PositionAt(at),
                     item->layoutWords[0], item->layoutWords[1], item->width, item->height});
    }
    return out;
  }
  std::vector<LineRecord> Lines() {
    std::vector<LineRecord> out;
    LaidOutPage* page = context->GetCurrentPage();
    for (LayoutCursor at = LayoutCursor::Begin(&page->store); !at.AtEnd(); at.Next())
      if (at.KindAt() == kLineItem) out.push_back(*LineAt(at));
    return out;
  }

  DefaultStyle defaults;
  ElementStyle base;
  PageItemBuilder realBuilder;
  std::unique_ptr<PageRenderer> renderer;
};

TEST_F(PageRendererTest, NoPageFillsTheBackgroundAndFails) {
  ASSERT_TRUE(OpenHtml("<p>text</p>"));
  renderer->SetColors(Color::FromRgb(0, 0, 0), Color::FromRgb(255, 0, 0));
  EXPECT_FALSE(renderer->PaintPage(0, 12345));
  EXPECT_EQ(Pixel(5, 5), 0xFF0000u);
}

TEST_F(PageRendererTest, TextOnTheBackground) {
  ASSERT_TRUE(OpenHtml("<p>Hello world</p>"));
  ASSERT_TRUE(renderer->PaintCurrentPage(0));
  EXPECT_EQ(Pixel(2, 2), kWhite);
  const auto words = Words();
  ASSERT_FALSE(words.empty());
  bool dark = false;
  for (int x = words[0].x; x < words[0].x + words[0].width; ++x)
    for (int y = words[0].y; y < words[0].y + words[0].height; ++y) dark = dark || IsDark(Pixel(x, y));
  EXPECT_TRUE(dark);
}

TEST_F(PageRendererTest, JustifiedLinesEndFlushRight) {
  std::string text;
  for (int i = 0; i < 60; ++i) text += (i % 3 == 0 ? "a " : i % 3 == 1 ? "word " : "longer ");
  ASSERT_TRUE(OpenHtml("<p align=justify>" + text + "</p>"));
  ASSERT_TRUE(renderer->PaintCurrentPage(0));
  const auto lines = Lines();
  const auto words = Words();
  int checked = 0;
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    const LineRecord& line = lines[i];
    if (!(line.flags & kLineWrapped)) continue;
    // The last word on the line ends where the line's width ends: the free
    // space was spread over the gaps to the last pixel.
    const Word* last = nullptr;
    for (const Word& w : words)
      if (w.y >= line.y && w.y < line.y + line.height) last = &w;
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->x + last->width, line.x + line.leftIndent + line.width) << i;
    ++checked;
  }
  EXPECT_GT(checked, 2);
}

TEST_F(PageRendererTest, ListItemsShowBullets) {
  ASSERT_TRUE(OpenHtml("<ul><li>one</li><li>two</li></ul>"));
  ASSERT_TRUE(renderer->PaintCurrentPage(0));
  const auto words = Words();
  ASSERT_EQ(words.size(), 2u);
  for (const Word& w : words) {
    bool dark = false;
    for (int x = 10; x < w.x; ++x)
      for (int y = w.y; y < w.y + w.height; ++y) dark = dark || IsDark(Pixel(x, y));
    EXPECT_TRUE(dark) << "no bullet left of " << w.x;
  }
}

TEST_F(PageRendererTest, TableBordersAndClipping) {
  ASSERT_TRUE(OpenHtml("<table border=1><tr><td>a</td><td width=600>wide</td></tr></table><p>after</p>"));
  ASSERT_TRUE(renderer->PaintCurrentPage(0));
  LaidOutPage* page = context->GetCurrentPage();
  TableItem table;
  for (LayoutCursor at = LayoutCursor::Begin(&page->store); !at.AtEnd(); at.Next())
    if (at.KindAt() == kTableItem) table = *static_cast<TableItem*>(page->store.fixed[kTableItem].At(0));
  ASSERT_GT(table.width, table.spaceWidth);
  // With the mark pictures the table scrolls: drawn in its viewport, the
  // table mark left of it, the right marks beside it, no left marks at
  // offset 0.
  WideTables& tables = context->Tables();
  const Rect box{table.placedX, table.placedY, table.spaceWidth, table.shownHeight};
  Rect viewport, mark, left, right;
  ASSERT_TRUE(tables.GetTableScrollRects(box, &viewport, &mark, &left, &right));
  EXPECT_TRUE(IsDark(Pixel(viewport.x, table.y)));
  // The marks are the program's coloured icons; the text is grey.
  auto inked = [&](const Rect& r) {
    for (int y = r.y; y < r.y + r.height; ++y)
      for (int x = r.x; x < r.x + r.width; ++x) {
        const uint32_t p = Pixel(x, y);
        if ((p >> 16) != ((p >> 8) & 0xFF) || ((p >> 8) & 0xFF) != (p & 0xFF)) return true;
      }
    return false;
  };
  EXPECT_TRUE(inked(mark));
  EXPECT_TRUE(inked(right));
  EXPECT_FALSE(inked(left));
  // Nothing of the table beyond the right marks.
  const int middle = table.y + table.shownHeight / 2;
  for (int x = right.x + right.width; x < 240; ++x) EXPECT_EQ(Pixel(x, middle), kWhite) << x;
  // Scrolled (the offsets are the page frame's), the left marks show and
  // the content moves left.
  ASSERT_EQ(tables.Count(), 1u);
  const int32_t wordBefore = Words()[1].x;
  tables.ResetTableScroll();
  ASSERT_TRUE(tables.ScrollTables(Point{40, 0}, false, nullptr, WideTables::kSelectedOrAll, nullptr));
  EXPECT_EQ(context->CurrentFrame()->tableScrolls.At(0)->offsetX, 40);
  ASSERT_TRUE(renderer->PaintCurrentPage(0));
  EXPECT_TRUE(inked(left));
  EXPECT_EQ(Words()[1].x, wordBefore);  // the items keep the table's own places
  bool movedLeft = false;
  for (int x = viewport.x + 1; x < viewport.x + 30; ++x) movedLeft = movedLeft || IsDark(Pixel(x, middle));
  EXPECT_FALSE(movedLeft) << "the cell 'a' is scrolled out of the viewport";
}

TEST_F(PageRendererTest, AnObjectNotReadyIsDrawnLater) {
  ObjectBuilder builder;
  LateObject* late = new LateObject;
  builder.late = late;
  ASSERT_TRUE(OpenHtml("<p>before OBJ after</p>", &builder));
  EXPECT_FALSE(renderer->PaintCurrentPage(0));
  EXPECT_TRUE(renderer->NeedsRepaint(false));
  EXPECT_FALSE(renderer->NeedsRepaint(true));
  renderer->RepaintObjects();
  EXPECT_FALSE(renderer->NeedsRepaint(false));
  EXPECT_EQ(late->calls, 2);
  EXPECT_TRUE(Near(Pixel(late->drawn.x + 5, late->drawn.y + 5), 0x008000u));
  Close();
  late->Release();
}

class AnnotatedPageTest : public PageRendererTest {
 protected:
  void SetUp() override {
    PageRendererTest::SetUp();
    EncodedString path;
    path.FromWide(u"\\book.prc");
    ASSERT_EQ(marks.Create(path, "book", 4, false, true, false), RecordResult::kOk);
  }
  uint32_t PositionOf(const std::u16string& word) {
    for (const Word& w : Words())
      if (w.text == word) return w.position;
    ADD_FAILURE() << "no word";
    return 0;
  }
  const Word* Find(const std::u16string& word) {
    words = Words();
    for (const Word& w : words)
      if (w.text == word) return &w;
    return nullptr;
  }
  // The colour at the top of a word's box (above its glyphs' ink).
  uint32_t BackgroundAt(const Word& w) { return Pixel(w.x + 1, w.y); }

  BookParameterFile marks;
  std::vector<Word> words;
};

TEST_F(AnnotatedPageTest, HighlightStyleWords) {
  ASSERT_TRUE(OpenHtml("<p>alpha beta gamma delta epsilon</p>"));
  context->GetCurrentPage();
  const uint32_t beta = PositionOf(u"beta");
  const uint32_t delta = PositionOf(u"delta");
  // An explicit colour (low nibble 15, red in bits 8-15) and palette entry
  // 3 (blue).
  marks.AddBookmark(beta, beta + 4, 0, 0, 15 | (255u << 8), 4);
  marks.AddBookmark(delta, delta + 5, 0, 0, 3, 4);
  renderer->SetAnnotations(&marks);
  ASSERT_TRUE(renderer->PaintCurrentPage(0));
  EXPECT_EQ(BackgroundAt(*Find(u"beta")), 0xFF0000u);
  EXPECT_EQ(BackgroundAt(*Find(u"delta")), 0x0000FFu);
  EXPECT_EQ(BackgroundAt(*Find(u"gamma")), kWhite);
  EXPECT_EQ(BackgroundAt(*Find(u"alpha")), kWhite);
}

TEST_F(AnnotatedPageTest, NoteWithATargetIsRedAndUnderlined) {
  ASSERT_TRUE(OpenHtml("<p>alpha beta gamma</p>"));
  context->GetCurrentPage();
  const uint32_t beta = PositionOf(u"beta");
  const uint32_t note = marks.AddBookmark(beta, beta + 4, 0, 0, 0, 2);
  const uint32_t target = marks.AddBookmark(beta, beta + 4, 0, 0, 0, 1);
  marks.SetBookmarkTarget(note, target);
  renderer->SetAnnotations(&marks);
  ASSERT_TRUE(renderer->PaintCurrentPage(0));
  const Word* w = Find(u"beta");
  ASSERT_NE(w, nullptr);
  bool red = false;
  for (int x = w->x; x < w->x + w->width; ++x)
    for (int y = w->y; y < w->y + w->height; ++y) red = red || Pixel(x, y) == 0xFF0000u;
  EXPECT_TRUE(red);
  // The underline runs under the word's whole width on one row.
  bool underline = false;
  for (int y = w->y + w->height / 2; y < w->y + w->height + 2 && !underline; ++y) {
    int run = 0;
    for (int x = w->x; x < w->x + w->width; ++x) run = Pixel(x, y) == 0xFF0000u ? run + 1 : 0;
    underline = run >= w->width - 2;
  }
  EXPECT_TRUE(underline);
}

TEST_F(AnnotatedPageTest, BookmarkCorner) {
  ASSERT_TRUE(OpenHtml("<p>alpha beta gamma</p>"));
  context->GetCurrentPage();
  renderer->SetAnnotations(&marks);
  ASSERT_TRUE(renderer->PaintCurrentPage(0));
  Rect corner;
  renderer->GetMarkRect(&corner);
  EXPECT_EQ(renderer->PageBookmark(), kNoMark);
  EXPECT_EQ(Pixel(corner.x + corner.width - 2, corner.y + 1), kWhite);

  const uint32_t mark = marks.AddBookmark(PositionOf(u"beta"), PositionOf(u"beta"), 0, 0, 0, 1);
  renderer->Invalidate();
  ASSERT_TRUE(renderer->PaintCurrentPage(0));
  EXPECT_EQ(renderer->PageBookmark(), mark);
  // The folded triangle in its grey, the fold's edges in black.
  const Color grey = PageRenderer::CornerColor();
  uint8_t r = 0, g = 0, b = 0;
  grey.ToRgb(&r, &g, &b);
  EXPECT_TRUE(Near(Pixel(corner.x + corner.width - 2, corner.y + 1), (uint32_t{r} << 16) | (g << 8) | b));
  EXPECT_TRUE(IsDark(Pixel(corner.x, corner.y + corner.height - 1)));
}

}  // namespace
}  // namespace pagertest
