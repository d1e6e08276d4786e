// pagepng BOOK PAGE OUT.png [--screen WxH] [--dpi N]: lays a book (a corv
// book, an HTML file or a text file) out through the real pager, the
// tag-to-layout builder and the page renderer on an off-screen bitmap, and
// writes page PAGE (1-based) as a PNG. The way to look at what the engine
// draws before the reader shows it.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "layout/drawing/drawing_surface.h"
#include "layout/markup/markup_parser.h"
#include "layout/pages/layout_context.h"
#include "layout/pages/page_item_builder.h"
#include "platform/files/device_root.h"
#include "platform/files/host_names.h"
#include "platform/gdi/bitmap_pixels.h"
#include "platform/gdi/gdi.h"
#include "platform/image/png_writer.h"
#include "resources/tessalyn_resources.h"
#include "storage/books/book_document.h"
#include "storage/container/palm_database.h"
#include "storage/container/record_buffer.h"
#include "storage/container/stream_factory.h"
#include "storage/sources/document_source.h"
#include "storage/sources/document_stream.h"
#include "tests/support/fake_document.h"

#include "tools/command_line.h"

namespace {

namespace fs = std::filesystem;

constexpr char kUsage[] = "usage: pagepng BOOK PAGE OUT.png [--screen WxH] [--dpi N]\n";

class ToolFontTable : public FontTable {
 public:
  bool GetEntry(uint8_t id, FontTableEntry* out) const override {
    static const std::u16string kNames[] = {u"Tahoma", u"Courier New", u"Times New Roman"};
    if (id < 1 || id > 3) return false;
    out->kind = 0;
    out->name = kNames[id - 1].data();
    out->nameLength = static_cast<uint32_t>(kNames[id - 1].size());
    return true;
  }
};

// Markup read where asked, as a book is.
class MarkupDocument : public FakeDocument {
 public:
  using FakeDocument::FakeDocument;
  bool IsPlainDocument() override { return false; }
};

// A picture record's bytes, copied out of the book.
class RecordStream final : public DocumentStream {
 public:
  explicit RecordStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  uint32_t GetLength() override { return static_cast<uint32_t>(bytes_.size()); }
  bool ReadRaw(uint32_t offset, void* buffer, uint32_t count) override {
    if (offset > bytes_.size() || count > bytes_.size() - offset) return false;
    if (count != 0) std::memcpy(buffer, bytes_.data() + offset, count);
    return true;
  }

 private:
  std::vector<uint8_t> bytes_;
};

// The pictures of a book by record index.
class BookPictures : public DocumentSource {
 public:
  explicit BookPictures(BookDocument* book) : book_(book) {}
  void SetUrl(const Url&) override {}
  Document* GetDocument() override { return book_; }
  void OpenStreamByIndex(DocumentStreamPtr* out, int32_t index) override {
    out->Clear();
    uint32_t number = static_cast<uint32_t>(index);
    if (index < 0 || !book_->ResolveResourceRecord(&number)) return;
    PalmDatabase* store = book_->Store();
    RecordBuffer* record = store->LockRecord(static_cast<uint16_t>(number), false);
    if (record == nullptr) return;
    std::vector<uint8_t> bytes(record->GetData(), record->GetData() + record->GetSize());
    store->ReleaseRecord(record, false);
    out->Adopt(new RecordStream(std::move(bytes)));
  }

 private:
  BookDocument* book_;
};

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else if (c == '&') out += "&amp;";
    else out += c;
  }
  return out;
}

// A text file as HTML: a paragraph for each run of lines between blank ones.
std::string TextAsHtml(const std::string& text) {
  std::istringstream lines(text);
  std::string line, html = "<html><body><p>";
  while (std::getline(lines, line)) {
    if (line.find_first_not_of(" \t\r") == std::string::npos) {
      html += "</p><p>";
    } else {
      html += Escape(line) + "\n";
    }
  }
  return html + "</p></body></html>";
}

bool IsCorvBook(const std::string& bytes) { return bytes.size() >= 68 && bytes.compare(60, 8, "BOOKCORV") == 0; }

bool ParseSize(const char* text, int* width, int* height) {
  int w = 0, h = 0;
  char tail = 0;
  if (std::sscanf(text, "%dx%d%c", &w, &h, &tail) != 2 || w < 16 || h < 16 || w > 4096 || h > 4096) return false;
  *width = w;
  *height = h;
  return true;
}

int Render(const fs::path& input, unsigned page, const std::string& output, int width, int height, int dpi) {
  std::ifstream file(input, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (!file.good() && !file.eof()) {
    std::fprintf(stderr, "pagepng: cannot read %s\n", input.string().c_str());
    return 1;
  }

  std::unique_ptr<MarkupDocument> markup;
  std::unique_ptr<BookDocument> book;
  std::unique_ptr<BookPictures> pictures;
  Document* document = nullptr;
  if (IsCorvBook(bytes)) {
    devicefs::SetRoot(fs::absolute(input).parent_path(), {});
    const std::u16string path = u"\\" + devicefs::HostNameToDevice(input.filename().string());
    int32_t code = 0;
    PalmDatabase* store = OpenRecordDatabase(path.c_str(), 9, MakeFourCC("CORV"), MakeFourCC("BOOK"), &code);
    book = std::make_unique<BookDocument>();
    if (store == nullptr || book->Open(store, true, nullptr, 1252, 65002) != 0) {
      std::fprintf(stderr, "pagepng: %s is not a readable book\n", input.string().c_str());
      return 1;
    }
    pictures = std::make_unique<BookPictures>(book.get());
    document = book.get();
  } else {
    const std::string ext = input.extension().string();
    const std::string html = ext == ".txt" || ext == ".TXT" ? TextAsHtml(bytes) : bytes;
    auto decoded = FakeDocument::FromUtf8(html, 4096);
    markup = std::make_unique<MarkupDocument>(decoded->text(), 4096);
    document = markup.get();
  }

  ToolFontTable fonts;
  DrawingSurface surface(&fonts);
  void* bits = nullptr;
  TargetBitmap target;
  target.image.bitmap = surface.CreateDibSection(Size{width, height}, &bits);
  target.image.dc = CreateCompatibleDC(nullptr);
  if (target.image.bitmap == nullptr || target.image.dc == nullptr) {
    std::fprintf(stderr, "pagepng: no bitmap of %dx%d\n", width, height);
    return 1;
  }
  target.image.previous = SelectObject(target.image.dc, target.image.bitmap);
  target.width = width;
  target.height = height;
  surface.SetTargetBitmap(&target);

  DefaultStyle defaults;
  ElementStyle base;
  PageItemBuilder builder;
  builder.settings.defaults = &defaults;
  builder.settings.baseStyle = &base;
  builder.settings.source = pictures.get();
  MarkupParser parser;
  parser.AttachSource(document, 0);
  int status = 0;
  {
    LayoutContext context;
    context.AttachParser(&parser, document, &builder);
    context.SetSurface(&surface);
    context.SetBaseStyle(12 * dpi / 96, 1, TextStyle{});
    context.SetPageRect(Rect{0, 0, width, height});
    const int margin = 4 * dpi / 96;
    context.SetMargins(margin, margin, margin, margin, true);
    if (!context.Start()) {
      std::fprintf(stderr, "pagepng: the document has no page\n");
      status = 1;
    }
    for (unsigned n = 1; status == 0 && n < page; ++n) {
      if (!context.CanStep(kStepPage) || !context.StepPage(context.GetCurrentPosition(), kStepPage)) {
        std::fprintf(stderr, "pagepng: the document has %u pages\n", n);
        status = 1;
      }
    }
    if (status == 0) {
      context.Renderer().SetHighDensity(dpi > 129);
      if (!context.PaintCurrentPage(0)) std::fprintf(stderr, "pagepng: the page was not painted whole\n");
      surface.SetTargetBitmap(nullptr);
      int w = 0, h = 0;
      const std::vector<uint32_t> pixels = devgdi::BitmapPixelsRgb(target.image.bitmap, &w, &h);
      if (pixels.empty() || !image::WritePngRgb(output, pixels.data(), w, h, w)) {
        std::fprintf(stderr, "pagepng: cannot write %s\n", output.c_str());
        status = 1;
      }
    }
    context.Detach();
  }
  target.image.Release();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (toolcli::IsHelp(argv[i])) return toolcli::ShowUsage(kUsage);
  std::vector<const char*> positional;
  int width = 240, height = 320;
  unsigned long long dpi = 96;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--screen") == 0) {
      if (++i >= argc || !ParseSize(argv[i], &width, &height))
        return toolcli::UsageError(kUsage, "pagepng", "--screen takes WxH (16 to 4096 each)");
    } else if (std::strcmp(argv[i], "--dpi") == 0) {
      if (++i >= argc || !toolcli::ParseNumber(argv[i], 1000, &dpi) || dpi < 48)
        return toolcli::UsageError(kUsage, "pagepng", "--dpi takes 48 to 1000");
    } else if (toolcli::IsOption(argv[i])) {
      return toolcli::UsageError(kUsage, "pagepng", "unknown option");
    } else {
      positional.push_back(argv[i]);
    }
  }
  unsigned long long page = 0;
  if (positional.size() != 3 || !toolcli::ParseNumber(positional[1], 1000000, &page) || page < 1)
    return toolcli::UsageError(kUsage);
  InstallTessalynResources();
  std::error_code ec;
  const fs::path input = fs::absolute(positional[0], ec);
  if (ec || !fs::is_regular_file(input, ec)) {
    std::fprintf(stderr, "pagepng: no file %s\n", positional[0]);
    return 1;
  }
  return Render(input, static_cast<unsigned>(page), positional[2], width, height, static_cast<int>(dpi));
}
