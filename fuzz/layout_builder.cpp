// Fuzz target: random markup through the parser and the tag-to-layout
// builder, as a page is filled: every element handed to the builder, the
// open records and their styles kept in step, the store's kinds matching
// its order, and the document's blocks all given back.
//
// Byte 0 chooses the options: bits 0-2 the document's block size (1, 2, 3,
// 5, 7, 64, 512, 4096 characters), bit 3 whether rules are shown, bits 4-5
// the screen (240x320, 176x220, 480x640, 640x480). Records 1 and 2 of the
// book are GIF pictures; the rest is the markup, one character per byte.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "layout/builder/layout_builder.h"
#include "layout/items/layout_item_store.h"
#include "layout/markup/element_record_stack.h"
#include "layout/markup/markup_parser.h"
#include "layout/objects/log_mark.h"
#include "layout/objects/picture_loading.h"
#include "layout/styles/element_style_records.h"
#include "storage/sources/document_source.h"
#include "tests/support/fake_document.h"
#include "tests/support/picture_builder.h"

namespace {

constexpr uint32_t kBlockSizes[8] = {1, 2, 3, 5, 7, 64, 512, 4096};
constexpr size_t kMaxBlocks = 256;
constexpr uint32_t kMaxElements = 100000;
constexpr Size kScreens[4] = {{240, 320}, {176, 220}, {480, 640}, {640, 480}};

class Stream : public DocumentStream {
 public:
  explicit Stream(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
  uint32_t GetLength() override { return static_cast<uint32_t>(bytes_.size()); }
  bool ReadRaw(uint32_t offset, void* buffer, uint32_t count) override {
    if (offset > bytes_.size() || count > bytes_.size() - offset) return false;
    for (uint32_t i = 0; i < count; ++i) static_cast<uint8_t*>(buffer)[i] = bytes_[offset + i];
    return true;
  }

 private:
  std::vector<uint8_t> bytes_;
};

std::vector<uint8_t> Gif(uint16_t width, uint16_t height) {
  picture::GifImage image;
  image.width = width;
  image.height = height;
  image.minCodeSize = 2;
  image.indices.assign(static_cast<size_t>(width) * height, 1);
  return picture::SimpleGif(image, {0, 0, 0, 255, 255, 255, 0, 0, 0, 9, 9, 9});
}

class Source : public DocumentSource {
 public:
  void SetUrl(const Url&) override {}
  void OpenStreamByIndex(DocumentStreamPtr* out, int32_t index) override {
    if (index == 1) out->Adopt(new Stream(Gif(100, 80)));
    if (index == 2) out->Adopt(new Stream(Gif(3, 0)));
  }
};

class Loader : public PictureAddressLoader {
 public:
  bool Resolve(const SharedWideString& address, const SharedWideString&, int32_t, PictureAddress* out) override {
    out->text = address;
    return address.length != 0;
  }
  bool OpenStream(const PictureAddress&, DocumentStreamPtr* out) override {
    out->Adopt(new Stream(Gif(7, 5)));
    return true;
  }
};

class Host : public LayoutBuilderHost {
 public:
  int32_t MeasureSpace() override { return 4; }
  bool ShowsRules() override { return showsRules; }
  Size ScreenSize() override { return screen; }
  bool showsRules = true;
  Size screen;
};

class Log : public OfflineLog {
 public:
  void Append(const SharedWideString&) override {}
};

void CheckStore(LayoutItemStore& store) {
  uint32_t counts[kLayoutKindCount] = {};
  for (uint32_t i = 0; i < store.Count(); ++i) {
    const uint32_t kind = store.Entry(i).kind;
    if (kind >= kLayoutKindCount) __builtin_trap();
    ++counts[kind];
  }
  for (uint32_t kind = 0; kind < kLayoutKindCount; ++kind)
    if (counts[kind] != store.KindCount(kind)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t options = data[0];
  std::u16string text;
  for (size_t i = 1; i < size; ++i) text.push_back(data[i]);
  const uint32_t blockSize = kBlockSizes[options & 7];
  if (text.size() > kMaxBlocks * blockSize) text.resize(kMaxBlocks * blockSize);
  FakeDocument document(text, blockSize, 1);
  {
    MarkupParser parser;
    parser.AttachSource(&document, 0);
    if (!parser.Restart(0, false)) return 0;
    Host host;
    host.showsRules = (options & 0x08) != 0;
    host.screen = kScreens[(options >> 4) & 3];
    Source* source = new Source;
    Loader loader;
    Log log;
    DefaultStyle defaults;
    ElementStyle base;
    base.kind = kStyleBlock;
    LayoutBuilderContext context;
    context.stream = &parser;
    context.host = &host;
    context.defaults = &defaults;
    context.baseStyle = &base;
    context.offlineLog = &log;
    context.source = source;
    context.pictureLoader = &loader;
    ElementRecordStack records;
    ElementStyleRecords styles;
    LayoutItemStore store;
    LayoutPageBuilder page;
    page.records = &records;
    page.styles = &styles;
    page.store = &store;
    for (uint32_t n = 0; n < kMaxElements; ++n) {
      const uint32_t position = parser.GetPosition();
      int32_t kind = parser.Next();
      while (kind == kElementAgain) kind = parser.Next();
      if (!ReadLayoutItems(context, &page, position)) break;
      parser.ReleaseChunks();
      if (records.RecordCount() != styles.Count()) __builtin_trap();
      if (kind == kElementEnd) break;
    }
    parser.ReleaseChunks();
    CheckStore(store);
    store.Clear();
    source->Release();
  }
  if (document.Outstanding() != 0 || document.releaseErrors != 0) __builtin_trap();
  return 0;
}
