// A builder-made book with headings, a list, a table and a picture, laid
// out and painted page by page from the book itself. With
// TESSALYN_SAMPLE_BOOK set, the book is also written to that host path, to
// be looked at with pagepng.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "layout/pages/page_item_builder.h"
#include "platform/gdi/bitmap_pixels.h"
#include "platform/gdi/gdi.h"
#include "layout/render/page_renderer.h"
#include "storage/books/book_document.h"
#include "storage/container/palm_database.h"
#include "storage/container/record_buffer.h"
#include "storage/container/stream_factory.h"
#include "storage/sources/document_source.h"
#include "storage/sources/document_stream.h"
#include "tests/layout/pages/pager_fixture.h"
#include "tests/support/book_builder.h"
#include "tests/support/palm_database_builder.h"
#include "tests/support/picture_builder.h"

namespace pagertest {
namespace {

std::string SampleMarkup() {
  std::string html = "<html><body><h1>A Sample Book</h1><p>The first chapter begins here, with text enough to wrap "
                     "over a few lines of the small screen.</p><h2>Things to bring</h2><ul><li>A lamp</li>"
                     "<li>Two maps, one of them old</li><li>Bread</li></ul>"
                     "<table border=1 bgcolor=\"#eeeeff\"><tr><th>Day</th><th>Miles</th></tr>"
                     "<tr><td>Monday</td><td>12</td></tr><tr><td>Tuesday</td><td>9</td></tr></table>"
                     "<p>A picture of the road:</p><p><img recindex=\"00001\"></p>";
  for (int i = 0; i < 12; ++i)
    html += "<p>Paragraph " + std::to_string(i + 1) +
            " goes on about the road, the weather and the people met along the way.</p>";
  return html + "</body></html>";
}

std::vector<uint8_t> SampleBook() {
  testbuild::BookRecipe recipe;
  const std::string html = SampleMarkup();
  recipe.text.assign(html.begin(), html.end());
  recipe.codePage = 65001;
  recipe.compression = testbuild::TextCompression::kNone;
  recipe.resourceRecords = 1;
  testbuild::BuiltBook book = testbuild::BuildBook(recipe);
  picture::GifImage image;
  image.width = 64;
  image.height = 48;
  image.minCodeSize = 2;
  image.indices = picture::PatternIndices(64, 48, 4, 1);
  book.Record(book.layout.firstResource) = picture::SimpleGif(image, picture::TestPaletteTriples(4));
  return book.Bytes();
}

// The book's pictures by record index.
class BookPictures : public DocumentSource {
 public:
  explicit BookPictures(BookDocument* book) : book_(book) {}
  void OpenStreamByIndex(DocumentStreamPtr* out, int32_t index) override {
    out->Clear();
    uint32_t number = static_cast<uint32_t>(index);
    if (index < 0 || !book_->ResolveResourceRecord(&number)) return;
    RecordBuffer* record = book_->Store()->LockRecord(static_cast<uint16_t>(number), false);
    if (record == nullptr) return;
    out->Adopt(new Bytes(std::vector<uint8_t>(record->GetData(), record->GetData() + record->GetSize())));
    book_->Store()->ReleaseRecord(record, false);
  }

 private:
  class Bytes final : public DocumentStream {
   public:
    explicit Bytes(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    uint32_t GetLength() override { return static_cast<uint32_t>(bytes_.size()); }
    bool ReadRaw(uint32_t offset, void* buffer, uint32_t count) override {
      if (offset > bytes_.size() || count > bytes_.size() - offset) return false;
      if (count != 0) std::memcpy(buffer, bytes_.data() + offset, count);
      return true;
    }

   private:
    std::vector<uint8_t> bytes_;
  };
  BookDocument* book_;
};

TEST(SampleBook, PagesShowTheTableAndThePicture) {
  const std::vector<uint8_t> bytes = SampleBook();
  if (const char* path = std::getenv("TESSALYN_SAMPLE_BOOK")) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\sample.corv", bytes));
  int32_t error = 0;
  PalmDatabase* store = OpenRecordDatabase(u"\\sample.corv", 9, MakeFourCC("CORV"), MakeFourCC("BOOK"), &error);
  ASSERT_NE(store, nullptr);
  BookDocument book;
  ASSERT_EQ(book.Open(store, true, nullptr, 1252, 65002), 0);
  BookPictures* pictures = new BookPictures(&book);

  surfacetest::FakeFontTable fonts;
  DrawingSurface surface(&fonts);
  void* bits = nullptr;
  TargetBitmap target;
  target.image.bitmap = surface.CreateDibSection(Size{240, 320}, &bits);
  target.image.dc = CreateCompatibleDC(nullptr);
  target.image.previous = SelectObject(target.image.dc, target.image.bitmap);
  target.width = 240;
  target.height = 320;
  surface.SetTargetBitmap(&target);

  DefaultStyle defaults;
  ElementStyle base;
  PageItemBuilder builder;
  builder.settings.defaults = &defaults;
  builder.settings.baseStyle = &base;
  builder.settings.source = pictures;
  {
    MarkupParser parser;
    parser.AttachSource(&book, 0);
    LayoutContext context;
    context.AttachParser(&parser, &book, &builder);
    context.SetSurface(&surface);
    context.SetBaseStyle(12, 1, TextStyle{});
    context.SetPageRect(Rect{0, 0, 240, 320});
    context.SetMargins(4, 4, 4, 4, true);
    ASSERT_TRUE(context.Start());
    PageRenderer renderer(&context);
    bool table = false;
    bool picture = false;
    for (int page = 0; page < 10; ++page) {
      EXPECT_TRUE(renderer.PaintCurrentPage(0)) << page;
      LaidOutPage* laid = context.GetCurrentPage();
      ASSERT_NE(laid, nullptr);
      for (LayoutCursor at = LayoutCursor::Begin(&laid->store); !at.AtEnd(); at.Next()) {
        if (at.KindAt() == kTableItem) table = true;
        if (at.KindAt() != kObjectItem || ObjectAt(at)->object.Get() == nullptr) continue;
        const LayoutObject& object = *ObjectAt(at);
        EXPECT_EQ(object.words[kObjectPlacedWidth], 64);
        // The picture's pixels are its palette's, not the page's white.
        const uint32_t pixel = devgdi::BitmapPixelRgb(target.image.bitmap, object.words[kObjectPlacedX] + 3,
                                                  object.words[kObjectPlacedY] + 3);
        EXPECT_NE(pixel, 0xFFFFFFu);
        picture = true;
      }
      if (!context.CanStep(kStepPage) || !context.StepPage(context.GetCurrentPosition(), kStepPage)) break;
    }
    EXPECT_TRUE(table);
    EXPECT_TRUE(picture);
    context.Detach();
  }
  surface.SetTargetBitmap(nullptr);
  target.image.Release();
  pictures->Release();
}

}  // namespace
}  // namespace pagertest
