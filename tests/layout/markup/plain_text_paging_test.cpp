// A text file opens and pages like a book: the plain-text document reads
// the file, the plain-text reader gives its elements and the pager lays out
// pages from them. Paging forwards to the end shows every word once, in
// order, for a UTF-16 and a UTF-8 file whose blocks cut characters.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/files/file_mode.h"
#include "foundation/files/file_stream.h"
#include "layout/markup/plain_text_token_reader.h"
#include "layout/pages/layout_context.h"
#include "storage/documents/plain_text_document.h"
#include "tests/layout/drawing/surface_fixture.h"
#include "tests/layout/pages/markup_item_builder.h"
#include "tests/support/palm_database_builder.h"

namespace {

// Lines of words of 1-12 letters, some accented, with spaces, tabs, CR LF
// and blank lines between them.
std::u16string GenerateText(uint32_t seed, size_t units) {
  static const char16_t* const kWords[] = {u"the", u"caf\u00E9", u"na\u00EFve", u"r\u00E9sum\u00E9",
                                           u"reader", u"page", u"\u00E9t\u00E9", u"a", u"longerword",
                                           u"through", u"\u00FCber", u"text"};
  std::u16string text;
  uint32_t state = seed;
  auto next = [&state] {
    state = state * 1103515245u + 12345u;
    return (state >> 16) & 0x7FFF;
  };
  while (text.size() < units) {
    text += kWords[next() % 12];
    switch (next() % 16) {
      case 0: text += u"\r\n"; break;
      case 1: text += u"\n\n"; break;
      case 2: text += u"\t"; break;
      case 3: text += u"   "; break;
      default: text += u" "; break;
    }
  }
  return text;
}

std::vector<uint8_t> Utf16File(const std::u16string& text) {
  std::vector<uint8_t> bytes{0xFF, 0xFE};
  for (char16_t u : text) {
    bytes.push_back(static_cast<uint8_t>(u));
    bytes.push_back(static_cast<uint8_t>(u >> 8));
  }
  return bytes;
}

std::vector<uint8_t> Utf8File(const std::u16string& text) {
  std::vector<uint8_t> bytes{0xEF, 0xBB, 0xBF};
  for (char16_t u : text) {
    if (u < 0x80) {
      bytes.push_back(static_cast<uint8_t>(u));
    } else {  // every character here is below U+0800
      bytes.push_back(static_cast<uint8_t>(0xC0 | (u >> 6)));
      bytes.push_back(static_cast<uint8_t>(0x80 | (u & 0x3F)));
    }
  }
  return bytes;
}

// Where two texts first differ, with a little of each around it.
std::string FirstDifference(const std::u16string& a, const std::u16string& b) {
  size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  if (i == a.size() && i == b.size()) return "same";
  auto around = [i](const std::u16string& s) {
    std::string out;
    for (size_t k = i > 20 ? i - 20 : 0; k < i + 20 && k < s.size(); ++k) out.push_back(s[k] < 128 ? static_cast<char>(s[k]) : '?');
    return out;
  };
  return "at " + std::to_string(i) + ": [" + around(a) + "] vs [" + around(b) + "]";
}

std::u16string WithoutWhiteSpace(const std::u16string& text) {
  std::u16string out;
  for (char16_t c : text)
    if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n') out.push_back(c);
  return out;
}

class PlainTextPaging : public surfacetest::SurfaceTest {
 protected:
  void SetUp() override {
    SurfaceTest::SetUp();
    surface.BeginDraw(false);
  }
  void TearDown() override {
    context.reset();
    reader.reset();
    document.Clear();
    surface.EndDraw();
    SurfaceTest::TearDown();
  }

  bool Open(const std::vector<uint8_t>& bytes, const char16_t* path) {
    if (!testbuild::WriteDeviceFile(path, bytes)) return false;
    FileStream* stream = FileStream::CreateAndOpen(path, kFileModeRead | kFileModeOpenExisting, 0);
    if (stream == nullptr) return false;
    document.Adopt(new PlainTextDocument());
    document->Open(stream, path, 1252, 65002, true, 0, -1);
    reader = std::make_unique<PlainTextTokenReader>();
    reader->AttachSource(document.Get(), 0);
    context = std::make_unique<LayoutContext>();
    context->AttachParser(reader.get(), document.Get(), &builder);
    context->SetSurface(&surface);
    context->SetBaseStyle(10, 2, TextStyle{});
    context->SetPageRect(Rect{0, 0, 240, 320});
    context->SetColumnCount(1);
    return context->Start();
  }

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

  // Pages forwards to the end; the text of every page, in order.
  std::u16string PageForwards(size_t* pages) {
    std::u16string text;
    *pages = 0;
    for (int guard = 0; guard < 100000; ++guard) {
      ++*pages;
      text += PageText();
      if (!context->StepPage(context->GetCurrentPosition(), kStepPage)) break;
    }
    return text;
  }

  RefPtr<PlainTextDocument> document;
  std::unique_ptr<PlainTextTokenReader> reader;
  MarkupItemBuilder builder;
  std::unique_ptr<LayoutContext> context;
};

TEST_F(PlainTextPaging, AUtf16FilePagesForwardsShowingEveryWordOnce) {
  const std::u16string text = GenerateText(11, 30000);
  ASSERT_TRUE(Open(Utf16File(text), u"\\wide.txt"));
  size_t pages = 0;
  const std::u16string shown = PageForwards(&pages);
  EXPECT_GT(pages, 20u);
  EXPECT_EQ(FirstDifference(WithoutWhiteSpace(shown), WithoutWhiteSpace(text)), "same");
  EXPECT_EQ(context->GetPageCount(), static_cast<int32_t>(pages));
}

TEST_F(PlainTextPaging, AUtf8FilePagesForwardsShowingEveryWordOnce) {
  // Over two blocks, so that the pages cross a block boundary (each block
  // cut inside a two-byte character or not).
  const std::u16string text = GenerateText(12, 12000);
  ASSERT_TRUE(Open(Utf8File(text), u"\\narrow.txt"));
  size_t pages = 0;
  const std::u16string shown = PageForwards(&pages);
  EXPECT_GT(pages, 8u);
  EXPECT_EQ(FirstDifference(WithoutWhiteSpace(shown), WithoutWhiteSpace(text)), "same");
  // Back to the first page a page at a time.
  size_t steps = 0;
  while (context->GetCurrentPageNumber() != 1 && steps < 2 * pages) {
    ASSERT_TRUE(context->StepPage(context->GetCurrentPosition(), kStepPageBack)) << "step " << steps;
    ++steps;
  }
  EXPECT_EQ(context->GetCurrentPageNumber(), 1);
}

}  // namespace
