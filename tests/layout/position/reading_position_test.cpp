// Saving the reading position and showing its page again in a new view of
// the same document: inside a table, from a chunk of another document, and
// for a plain document.
#include <string>
#include <vector>

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

std::vector<uint8_t> Bytes(const ByteStream& stream) {
  std::vector<uint8_t> out;
  for (uint32_t i = 0; i < stream.Size(); ++i) out.push_back(stream.ByteAt(i));
  return out;
}

// Long enough for several replay marks, with pages that start inside
// nested lists, styled blocks and tables, so that the saved open elements
// differ from page to page.
std::string VariedDocument() {
  std::string body;
  for (int part = 0; part < 40; ++part) {
    const std::string n = std::to_string(part);
    body += "<h2>Part " + n + "</h2><div style=\"margin-left: 8px\"><p>Opening <b>words <i>of part " + n +
            "</i></b> and a <span style=\"color: red\">red run</span>.</p><ol>";
    for (int item = 0; item < 12; ++item)
      body += "<li>item " + std::to_string(item) + " <ul><li>inner words of the item</li><li>more inner words</li>"
              "</ul></li>";
    body += "</ol><table border=1>";
    for (int row = 0; row < 10; ++row)
      body += "<tr><td>row " + std::to_string(row) + "</td><td><em>cell text in part " + n + "</em></td></tr>";
    body += "</table></div><blockquote><p>A quoted paragraph that runs over a line or two of the page.</p>"
            "</blockquote>";
  }
  return "<html><body>" + body + "</body></html>";
}

// Saving a page's state reads on from the last replay mark before the
// page; the chunk must be the one a replay from the first page writes.
// Relayout forgets the marks (and keeps the shown page), so each page is
// saved with the marks of the saves before it, then without any; the
// pages come in an order that goes both ways.
TEST_F(ReadingPositionTest, StatesSavedFromReplayMarksEqualThoseFromTheFirstPage) {
  ASSERT_TRUE(OpenMarkup(VariedDocument()));
  const uint32_t length = context->GetDocumentLength();
  ASSERT_GT(length, 4u * 16384u) << "several marks apart";
  uint32_t usedMarks = 0;
  for (uint32_t percent : {90u, 20u, 75u, 50u, 97u, 5u, 60u, 61u}) {
    ASSERT_TRUE(context->GoToPosition(static_cast<uint32_t>(uint64_t{length} * percent / 100))) << percent;
    usedMarks += context->ReplayMarkCount() != 0;
    LayoutPosition withMarks;
    ByteStream fromMarks;
    ASSERT_TRUE(context->SaveState(&withMarks, &fromMarks)) << percent;
    context->Relayout();
    ASSERT_EQ(context->ReplayMarkCount(), 0u);
    LayoutPosition fromFirst;
    ByteStream fromFirstPage;
    ASSERT_TRUE(context->SaveState(&fromFirst, &fromFirstPage)) << percent;
    EXPECT_EQ(withMarks.start, fromFirst.start) << percent;
    EXPECT_EQ(Bytes(fromMarks), Bytes(fromFirstPage)) << percent;
  }
  // Every save but the first and the one after the page at 5 % (too near
  // the start for a mark) has marks to read on from.
  EXPECT_GE(usedMarks, 5u);
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
      if (context->Tables().Count() == 0) {
        ASSERT_TRUE(context->StepPage(context->GetCurrentPosition(), kStepPage));
      }
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
