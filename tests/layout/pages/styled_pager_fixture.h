// Pager tests over the real page-item builder with the default styles, on a
// page with margins of 10 pixels: what the painting, link-area, selection
// and reading-control tests share.
#pragma once

#include <string>

#include "layout/pages/page_item_builder.h"
#include "layout/styles/element_style.h"
#include "tests/layout/pages/pager_fixture.h"

namespace pagertest {

class StyledPagerTest : public PagerTest {
 protected:
  void SetUp() override {
    PagerTest::SetUp();
    builder.settings.defaults = &defaults;
    builder.settings.baseStyle = &base;
  }

  // A new context on the body's markup, on a page of width x height; the
  // caller starts it (after attaching what paints it).
  void AttachBody(const std::string& body, int32_t width, int32_t height) {
    Close();
    document = RandomAccessDocument::FromUtf8("<html><body>" + body + "</body></html>");
    parser = std::make_unique<MarkupParser>();
    parser->AttachSource(document.get(), 0);
    context = std::make_unique<LayoutContext>();
    context->AttachParser(parser.get(), document.get(), &builder);
    context->SetSurface(&surface);
    context->SetBaseStyle(10, 1, TextStyle{});
    context->SetPageRect(Rect{0, 0, width, height});
    context->SetMargins(10, 10, 10, 10, true);
  }

  // Where the shown page holds the first text item with this text; empty
  // when none.
  Rect WordBox(const std::u16string& word) {
    LaidOutPage* page = context->ShownPage();
    if (page == nullptr) return Rect{};
    for (LayoutCursor at = LayoutCursor::Begin(&page->store); !at.AtEnd(); at.Next()) {
      if (at.KindAt() != kTextItem) continue;
      const LayoutItem& item = *TextAt(at);
      if (std::u16string(item.text.Chars(), item.text.length) == word)
        return Rect{item.layoutWords[0], item.layoutWords[1], item.width, item.height};
    }
    return Rect{};
  }

  DefaultStyle defaults;
  ElementStyle base;
  PageItemBuilder builder;  // the real builder, in place of the pager tests' small one
};

}  // namespace pagertest
