// Saving the reading position and showing its page again in a new view of
// the same document: inside a table, from a chunk of another document, and
// for a plain document.
#include <string>

#include "layout/pages/page_item_builder.h"
#include "tests/layout/pages/pager_fixture.h"

namespace pagertest {
namespace {

class ReadingPositionTest : public PagerTest {
 protected:
  void SetUp() override {
    PagerTest::SetUp();
    realBuilder.settings.defaults = &defaults;
    realBuilder.settings.baseStyle = &base;
  }
  bool OpenAgain() {
    Close();
    parser = std::make_unique<MarkupParser>();
    parser->AttachSource(document.get(), 0);
    context = std::make_unique<LayoutContext>();
    context->AttachParser(parser.get(), document.get(), &realBuilder);
    context->SetSurface(&surface);
    context->SetBaseStyle(10, 2, TextStyle{});
    context->SetPageRect(Rect{0, 0, 240, 320});
    context->SetDocumentStamp(stamp);
    context->SetStyleBase(&defaults, &base);
    return context->Start();
  }
  bool OpenMarkup(const std::string& markup, bool isPlain = false) {
    document = RandomAccessDocument::FromUtf8(markup, isPlain);
    return OpenAgain();
  }
  uint32_t TableItems() {
    LaidOutPage* page = context->GetCurrentPage();
    uint32_t n = 0;
    if (page == nullptr) return 0;
    for (LayoutCursor at = LayoutCursor::Begin(&page->store); !at.AtEnd(); at.Next())
      if (at.KindAt() == kTableItem) ++n;
    return n;
  }

  uint32_t stamp = 0x5EED;
  DefaultStyle defaults;
  ElementStyle base;
  PageItemBuilder realBuilder;
};

std::string LongTable() {
  std::string rows;
  for (int i = 0; i < 80; ++i) rows += "<tr><td>cell " + std::to_string(i) + "</td><td>x</td></tr>";
  return "<html><body><p>intro</p><table border=1>" + rows + "</table><p>end</p></body></html>";
}

TEST_F(ReadingPositionTest, PageInsideATableRestoresInsideIt) {
  ASSERT_TRUE(OpenMarkup(LongTable()));
  ASSERT_TRUE(context->StepPage(context->GetCurrentPosition(), kStepPage));
  ASSERT_TRUE(context->StepPage(context->GetCurrentPosition(), kStepPage));
  const std::u16string text = PageText();
  ASSERT_EQ(TableItems(), 1u);
  LayoutPosition position;
  ByteStream chunk;
  ASSERT_TRUE(context->SaveState(&position, &chunk));

  ASSERT_TRUE(OpenAgain());
  chunk.readPos = 0;
  ASSERT_TRUE(context->RestoreState(position, &chunk));
  EXPECT_EQ(context->GetCurrentPosition(), position.start);
  EXPECT_EQ(TableItems(), 1u);
  EXPECT_EQ(PageText(), text);
}

TEST_F(ReadingPositionTest, ChunkOfAnotherDocumentFallsBackToThePosition) {
  ASSERT_TRUE(OpenMarkup(LongTable()));
  ASSERT_TRUE(context->StepPage(context->GetCurrentPosition(), kStepPage));
  LayoutPosition position;
  ByteStream chunk;
  ASSERT_TRUE(context->SaveState(&position, &chunk));
  stamp = 0xBAD;
  ASSERT_TRUE(OpenAgain());
  chunk.readPos = 0;
  ASSERT_TRUE(context->RestoreState(position, &chunk));
  EXPECT_FALSE(PageText().empty());
}

TEST_F(ReadingPositionTest, PlainDocumentIsFoundFromItsStart) {
  std::string text;
  for (int i = 0; i < 400; ++i) text += "word" + std::to_string(i) + " ";
  ASSERT_TRUE(OpenMarkup(text, true));
  ASSERT_TRUE(context->StepPage(context->GetCurrentPosition(), kStepPage));
  const std::u16string shown = PageText();
  LayoutPosition position;
  ByteStream chunk;
  ASSERT_TRUE(context->SaveState(&position, &chunk));
  ASSERT_TRUE(OpenAgain());
  chunk.readPos = 0;
  ASSERT_TRUE(context->RestoreState(position, &chunk));
  EXPECT_EQ(PageText(), shown);
}

// The offsets of a scrolled wide table are the page frame's: saved with
// the reading position and scrolled again when the page comes back.
TEST_F(ReadingPositionTest, WideTableOffsetsComeBackWithThePage) {
  for (int pages : {0, 1}) {
    std::string before;
    for (int i = 0; i < pages * 60; ++i) before += "<p>line " + std::to_string(i) + "</p>";
    Close();  // the parser gives its blocks back to the old document first
    ASSERT_TRUE(OpenMarkup("<html><body>" + before +
                           "<table><tr><td>a</td><td width=600>wide</td></tr></table><p>after</p></body></html>"));
    for (int i = 0; i < 8 && context->Tables().Count() == 0; ++i) {
      ASSERT_TRUE(context->PaintCurrentPage(0));
      if (context->Tables().Count() == 0) ASSERT_TRUE(context->StepPage(context->GetCurrentPosition(), kStepPage));
    }
    ASSERT_TRUE(context->PaintCurrentPage(0));
    ASSERT_EQ(context->Tables().Count(), 1u) << pages;
    context->ResetTableScroll();
    ASSERT_TRUE(context->ScrollTables(Point{30, 0}, false, nullptr, WideTables::kSelectedOrAll));
    LayoutPosition position;
    ByteStream chunk;
    ASSERT_TRUE(context->SaveState(&position, &chunk));
    ASSERT_TRUE(OpenAgain());
    chunk.readPos = 0;
    ASSERT_TRUE(context->RestoreState(position, &chunk));
    ASSERT_TRUE(context->PaintCurrentPage(0));
    ASSERT_EQ(context->Tables().Count(), 1u) << pages;
    EXPECT_EQ(context->Tables().At(0)->offsetX, 30) << pages;
  }
}

}  // namespace
}  // namespace pagertest
