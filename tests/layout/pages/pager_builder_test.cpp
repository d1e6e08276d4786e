// The pager with the tag-to-layout builder itself: every word the builder
// makes of a generated book is on exactly one page, forwards.
#include "layout/pages/page_item_builder.h"
#include "tests/layout/pages/pager_fixture.h"
#include "tests/support/fake_document_markup.h"

namespace pagertest {
namespace {

class WithTheBuilder : public PagerTest {
 protected:
  void SetUp() override {
    PagerTest::SetUp();
    realBuilder.settings.defaults = &defaults;
    realBuilder.settings.baseStyle = &base;
  }

  bool OpenWithBuilder(const std::string& markup) {
    Close();
    document = RandomAccessDocument::FromUtf8(markup);
    parser = std::make_unique<MarkupParser>();
    parser->AttachSource(document.get(), 0);
    context = std::make_unique<LayoutContext>();
    context->AttachParser(parser.get(), document.get(), &realBuilder);
    context->SetSurface(&surface);
    context->SetBaseStyle(10, 2, TextStyle{});
    context->SetPageRect(Rect{0, 0, 240, 320});
    return context->Start();
  }

  // The text the builder makes of the document from its BODY on, read in
  // one run into one store.
  std::u16string BuilderText() {
    MarkupParser reader;
    reader.AttachSource(document.get(), 0);
    reader.Restart(0, false);
    PageFrame frame;
    LayoutItemStore store;
    LayoutBuilderContext settings = realBuilder.settings;
    settings.stream = &reader;
    settings.host = &realBuilder;
    LayoutPageBuilder page;
    page.records = &frame.records;
    page.styles = &frame.styles;
    page.store = &store;
    bool body = false;
    for (;;) {
      const uint32_t position = reader.GetPosition();
      const int32_t kind = reader.Next();
      if (kind == kElementAgain) continue;
      if (!body) {
        bool closing = false;
        bool self = false;
        if (kind == kElementTag && reader.GetTag(&closing, &self) == kMarkupBody && !closing) {
          body = realBuilder.OpenFirstPage(&reader, &frame);
        }
        if (kind == kElementEnd) break;
        continue;
      }
      EXPECT_TRUE(ReadLayoutItems(settings, &page, position));
      if (kind == kElementEnd) break;
    }
    std::u16string text;
    for (LayoutCursor at = LayoutCursor::Begin(&store); !at.AtEnd(); at.Next()) {
      if (at.KindAt() != kTextItem) continue;
      text.append(TextAt(at)->text.Chars(), TextAt(at)->text.length);
    }
    return text;
  }

  DefaultStyle defaults;
  ElementStyle base;
  PageItemBuilder realBuilder;
};

TEST_F(WithTheBuilder, PagesHoldEveryWordOnce) {
  ASSERT_TRUE(OpenWithBuilder(GenerateMarkupBook(31, 120000)));
  std::u16string pages;
  int count = 0;
  for (; count < 10000; ++count) {
    pages += PageText();
    if (!context->StepPage(context->GetCurrentPosition(), kStepPage)) break;
  }
  EXPECT_GT(count, 10);
  EXPECT_EQ(pages, BuilderText());
  // And back to the first page.
  for (int guard = 0; guard < 2 * count && context->GetCurrentPageNumber() != 1; ++guard)
    ASSERT_TRUE(context->StepPage(context->GetCurrentPosition(), kStepPageBack));
  EXPECT_EQ(context->GetCurrentPageNumber(), 1);
}

}  // namespace
}  // namespace pagertest
