// A book's markup laid out through the source's parser and layout context:
// markup without a BODY shows its text on the first page, as the same
// markup with one does.
#include <gtest/gtest.h>

#include <string>

#include "browser/sources/book_layout_context.h"
#include "browser/sources/book_source.h"
#include "layout/builder/layout_builder.h"
#include "layout/lines/line_records.h"
#include "layout/markup/element_stream.h"
#include "tests/browser/sources/source_fixture.h"
#include "tests/layout/drawing/surface_fixture.h"

namespace {

class MarkupPages : public surfacetest::SurfaceTest {
 protected:
  void SetUp() override {
    SurfaceTest::SetUp();
    surface.BeginDraw(false);
  }
  void TearDown() override {
    surface.EndDraw();
    SurfaceTest::TearDown();
  }

  // The text items of the first page of the markup as a book.
  std::u16string FirstPageText(const std::string& markup, const std::u16string& path) {
    DocumentSourcePtr source;
    EXPECT_EQ(sourcetest::OpenBookSource(sourcetest::MarkupBook(1, markup).Bytes(), &source, path), 0);
    if (!source) return u"(no source)";
    ElementStream* parser = nullptr;
    LayoutContext* layout = nullptr;
    if (!source->CreateParser(&parser, &layout, 0)) return u"(no parser)";
    auto* context = static_cast<BookLayoutContext*>(layout);
    context->Builder()->settings.defaults = &defaults;
    context->Builder()->settings.baseStyle = &base;
    context->SetSurface(&surface);
    context->SetBaseStyle(10, 2, TextStyle{});
    context->SetPageRect(Rect{0, 0, 240, 320});
    std::u16string text = u"(no page)";
    if (context->Start()) {
      if (LaidOutPage* page = context->GetCurrentPage()) {
        text.clear();
        for (LayoutCursor at = LayoutCursor::Begin(&page->store); !at.AtEnd(); at.Next()) {
          if (at.KindAt() != kTextItem) continue;
          text.append(TextAt(at)->text.Chars(), TextAt(at)->text.length);
        }
      }
    }
    source->DestroyParser(parser, layout);
    return text;
  }

  DefaultStyle defaults;
  ElementStyle base;
};

TEST_F(MarkupPages, MarkupWithoutBodyShowsItsText) {
  const std::u16string withBody =
      FirstPageText("<html><head><title>T</title></head><body><p>Hello reader</p></body></html>", u"\\a.prc");
  EXPECT_NE(withBody.find(u"Hello"), std::u16string::npos) << std::string(withBody.begin(), withBody.end());
  const std::u16string without =
      FirstPageText("<html><head><title>T</title></head><p>Hello reader</p></html>", u"\\b.prc");
  EXPECT_EQ(without, withBody);
  const std::u16string onlyText = FirstPageText("Hello reader", u"\\c.prc");
  EXPECT_NE(onlyText.find(u"Hello"), std::u16string::npos) << std::string(onlyText.begin(), onlyText.end());
}

}  // namespace
