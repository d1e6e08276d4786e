// What the pager tests share: a markup document behind a parser, the small
// item builder, and a layout context measuring with the built-in
// fixed-pitch font (6 pixels a character, lines 10 pixels high) on a page
// of 240 x 320.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "layout/markup/markup_parser.h"
#include "layout/pages/layout_context.h"
#include "tests/layout/drawing/surface_fixture.h"
#include "tests/layout/pages/markup_item_builder.h"
#include "tests/support/fake_document.h"

namespace pagertest {

// A document read where asked, as a book is; the fake's default is to be
// read from its start only.
class RandomAccessDocument : public FakeDocument {
 public:
  using FakeDocument::FakeDocument;
  static std::unique_ptr<FakeDocument> FromUtf8(const std::string& text, bool plain = false) {
    auto decoded = FakeDocument::FromUtf8(text, 4096);
    auto document = std::make_unique<RandomAccessDocument>(decoded->text(), 4096);
    document->plain = plain;
    return document;
  }
  bool IsPlainDocument() override { return plain; }
  bool plain = false;
};

class PagerTest : public surfacetest::SurfaceTest {
 public:
  void SetUp() override {
    SurfaceTest::SetUp();
    surface.BeginDraw(false);
  }
  // The parser gives its blocks back to the document: it goes first.
  void Close() {
    context.reset();
    parser.reset();
  }
  void TearDown() override {
    Close();
    surface.EndDraw();
    SurfaceTest::TearDown();
  }

  // Opens the markup and starts a context on it; false when Start fails.
  bool Open(const std::string& markup, int32_t width = 240, int32_t height = 320, int32_t columns = 1) {
    Close();
    document = RandomAccessDocument::FromUtf8(markup, plain);
    return OpenDocument(width, height, columns);
  }
  bool OpenDocument(int32_t width = 240, int32_t height = 320, int32_t columns = 1) {
    parser = std::make_unique<MarkupParser>();
    parser->AttachSource(document.get(), 0);
    context = std::make_unique<LayoutContext>();
    context->AttachParser(parser.get(), document.get(), &builder);
    context->SetSurface(&surface);
    context->SetBaseStyle(10, 2, TextStyle{});
    context->SetPageRect(Rect{0, 0, width, height});
    context->SetColumnCount(columns);
    return context->Start();
  }

  // The text of the current page: its text items, hyphens shown at line
  // ends left out.
  std::u16string PageText() {
    LaidOutPage* page = context->GetCurrentPage();
    EXPECT_NE(page, nullptr);
    std::u16string text;
    if (page == nullptr) return text;
    for (LayoutCursor at = LayoutCursor::Begin(&page->store); !at.AtEnd(); at.Next()) {
      if (at.KindAt() != kTextItem) continue;
      const LayoutItem* item = TextAt(at);
      text.append(item->text.Chars(), item->text.length);
    }
    return text;
  }

  // The text the builder makes of the whole document after its BODY.
  std::u16string DocumentText() {
    MarkupParser reader;
    reader.AttachSource(document.get(), 0);
    reader.Restart(0, false);
    bool inBody = false;
    std::u16string text;
    for (;;) {
      const int32_t kind = reader.Next();
      if (kind == kElementAgain) continue;
      if (kind == kElementEnd) break;
      if (kind == kElementTag) {
        bool closing = false;
        bool self = false;
        const uint32_t tag = reader.GetTag(&closing, &self);
        if (tag == kMarkupBody && !closing) inBody = true;
        if ((tag == kMarkupScript || tag == kMarkupStyle) && !closing && !self) reader.SkipElement();
      } else if (inBody && (kind == kElementText || kind == kElementBreak)) {
        text.append(reader.GetText().Chars(), reader.GetText().length);
      }
    }
    return text;
  }

  bool plain = false;  // documents opened are read from their start only
  std::unique_ptr<FakeDocument> document;
  std::unique_ptr<MarkupParser> parser;
  MarkupItemBuilder builder;
  std::unique_ptr<LayoutContext> context;
};

}  // namespace pagertest
