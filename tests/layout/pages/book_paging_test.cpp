// A real book through the pager: a book's reader can start at any record,
// so going to a page restores the parser state saved with that page
// instead of replaying the text from its start. Paging back shows the pages
// seen paging forwards, and a page gone to by number shows a piece of the
// book's text, in a single-byte and a UTF-8 book whose records cut
// characters.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "layout/markup/markup_parser.h"
#include "layout/pages/layout_context.h"
#include "tests/layout/drawing/surface_fixture.h"
#include "tests/layout/pages/markup_item_builder.h"
#include "tests/support/book_builder.h"
#include "tests/support/book_builder_reader.h"

namespace {

class BookPaging : public surfacetest::SurfaceTest {
 protected:
  void SetUp() override {
    SurfaceTest::SetUp();
    surface.BeginDraw(false);
  }
  void TearDown() override {
    context.reset();
    parser.reset();
    opened.doc.reset();
    surface.EndDraw();
    SurfaceTest::TearDown();
  }

  bool Open(int32_t codePage) {
    std::string markup = "<html><head><title>t</title></head><body>";
    const std::string prose = testbuild::SampleText(40000, 7, codePage == 65001 ? 2 : 1);
    for (size_t at = 0; at < prose.size();) {
      size_t end = prose.find('\n', at);
      if (end == std::string::npos) end = prose.size();
      markup += "<p>" + prose.substr(at, end - at) + "</p>";
      at = end + 1;
    }
    markup += "</body></html>";
    testbuild::BookRecipe recipe;
    recipe.compression = testbuild::TextCompression::kPalmDoc;
    recipe.codePage = codePage;
    recipe.text = testbuild::EncodeBookText(markup, codePage);
    opened = testbuild::OpenBookBytes(testbuild::BuildBook(recipe).Bytes());
    if (opened.error != 0 || opened.doc == nullptr) return false;
    parser = std::make_unique<MarkupParser>();
    parser->AttachSource(opened.doc.get(), 0);
    context = std::make_unique<LayoutContext>();
    context->AttachParser(parser.get(), opened.doc.get(), &builder);
    context->SetSurface(&surface);
    context->SetBaseStyle(10, 2, TextStyle{});
    context->SetPageRect(Rect{0, 0, 240, 320});
    context->SetColumnCount(1);
    return context->Start();
  }

  std::u16string PageText() {
    LaidOutPage* page = context->GetCurrentPage();
    std::u16string text;
    if (page == nullptr) return u"<no page>";
    for (LayoutCursor at = LayoutCursor::Begin(&page->store); !at.AtEnd(); at.Next()) {
      if (at.KindAt() != kTextItem) continue;
      const LayoutItem* item = TextAt(at);
      text.append(item->text.Chars(), item->text.length);
    }
    return text;
  }

  testbuild::OpenedBook opened;
  std::unique_ptr<MarkupParser> parser;
  MarkupItemBuilder builder;
  std::unique_ptr<LayoutContext> context;
};

TEST_F(BookPaging, PagesReachedAnyWayShowTheBooksText) {
  for (int32_t codePage : {1252, 65001}) {
    SCOPED_TRACE(codePage);
    ASSERT_TRUE(Open(codePage));
    EXPECT_FALSE(opened.doc->IsPlainDocument());

    std::vector<std::u16string> forwards;
    for (int guard = 0; guard < 10000; ++guard) {
      forwards.push_back(PageText());
      if (!context->StepPage(context->GetCurrentPosition(), kStepPage)) break;
    }
    ASSERT_GT(forwards.size(), 30u);

    // Back a page at a time from the last.
    for (size_t n = forwards.size(); n > forwards.size() - 5; --n) {
      ASSERT_EQ(context->GetCurrentPageNumber(), static_cast<int32_t>(n));
      EXPECT_TRUE(PageText() == forwards[n - 1]) << "page " << n << " paging back";
      ASSERT_TRUE(context->StepPage(context->GetCurrentPosition(), kStepPageBack));
    }
    // Straight to pages in no order: a page by number starts where its
    // estimate lands, so its text is a piece of the book's, not
    // necessarily the page seen when paging.
    std::u16string whole;
    for (const std::u16string& page : forwards) whole += page;
    for (size_t n : {size_t{3}, forwards.size() - 1, size_t{17}, size_t{1}, forwards.size() / 2, size_t{2}}) {
      ASSERT_TRUE(context->GoToPage(static_cast<uint32_t>(n)));
      // An estimate past a known page's start lands on that page.
      EXPECT_GE(context->GetCurrentPageNumber(), static_cast<int32_t>(n));
      EXPECT_LE(context->GetCurrentPageNumber(), static_cast<int32_t>(n + 1));
      const std::u16string text = PageText();
      EXPECT_GT(text.size(), 100u) << "page " << n;
      EXPECT_NE(whole.find(text), std::u16string::npos) << "page " << n << " gone to";
      if (n == 1) {
        EXPECT_TRUE(text == forwards[0]);
      }
    }
    TearDown();
    SetUp();
  }
}

}  // namespace
