// The builder fixture's fakes and its run loop.
#include "tests/layout/builder/builder_fixture.h"

#include <cstring>

#include "layout/markup/keyword_ids.h"
#include "tests/layout/builder/item_dump.h"
#include "tests/support/picture_builder.h"

namespace buildertest {

bool MemoryStream::ReadRaw(uint32_t offset, void* buffer, uint32_t count) {
  if (offset > bytes_.size() || count > bytes_.size() - offset) return false;
  std::memcpy(buffer, bytes_.data() + offset, count);
  return true;
}

void FakeSource::OpenStreamByIndex(DocumentStreamPtr* out, int32_t index) {
  auto it = records.find(index);
  if (it == records.end()) return;
  out->Adopt(new MemoryStream(it->second));
}

std::u16string U16(const SharedWideString& text) {
  return text.length == 0 ? std::u16string() : std::u16string(text.Chars(), text.length);
}

bool FakePictureLoader::Resolve(const SharedWideString& address, const SharedWideString& base, int32_t recordIndex,
                                PictureAddress* out) {
  std::u16string whole = U16(base) + U16(address);
  if (recordIndex >= 0) whole += u"#$" + std::u16string(1, static_cast<char16_t>(u'0' + recordIndex % 10));
  if (whole.rfind(u"icon:", 0) == 0) {
    out->internalIcon = true;
    out->iconNumber = 126;  // the program's icon
  }
  out->text.FromChars(whole.data(), static_cast<uint32_t>(whole.size()));
  return true;
}

bool FakePictureLoader::OpenStream(const PictureAddress& address, DocumentStreamPtr* out) {
  auto it = files.find(U16(address.text));
  if (it == files.end()) return false;
  out->Adopt(new MemoryStream(it->second));
  return true;
}

void RecordingLog::Append(const SharedWideString& text) { texts.push_back(U16(text)); }

std::vector<uint8_t> GifOfSize(uint16_t width, uint16_t height) {
  picture::GifImage image;
  image.width = width;
  image.height = height;
  image.minCodeSize = 2;
  image.indices.assign(static_cast<size_t>(width) * height, 1);
  return picture::SimpleGif(image, {255, 0, 0, 0, 200, 0, 0, 0, 255, 0, 0, 0});
}

BuilderRun::BuilderRun(const std::string& markup)
    : document(FakeDocument::FromUtf8(markup, 64)), source(new FakeSource) {
  source->records[1] = GifOfSize(100, 80);
  source->records[2] = GifOfSize(30, 20);
  source->records[4] = GifOfSize(64, 48);
  source->records[3] = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};
  pictures.files[u"book/pic.gif"] = GifOfSize(12, 6);
  parser.AttachSource(document.get(), 0);
  parser.Restart(0, false);
  defaults.text.textColor = Color::FromRgb(0, 0, 0);
  defaults.lengths[3] = 0;
  base.kind = kStyleBlock;
  base.text = defaults.text;
  context.stream = &parser;
  context.host = &host;
  context.defaults = &defaults;
  context.baseStyle = &base;
  context.offlineLog = &log;
  context.source = source;
  context.pictureLoader = &pictures;
  context.baseAddress.FromChars(u"book/", 5);
  page.records = &records;
  page.styles = &styles;
  page.store = &store;
}

BuilderRun::~BuilderRun() {
  store.Clear();
  source->Release();
}

bool BuilderRun::Run(uint32_t limit) {
  for (; elements < limit; ++elements) {
    // As the layout context reads a token: the position, then on past
    // the elements that are not ready yet.
    const uint32_t position = parser.GetPosition();
    int32_t kind = parser.Next();
    while (kind == kElementAgain) kind = parser.Next();
    // As the first page is found: nothing before the opening BODY.
    if (!bodySeen) {
      bool closing = false, selfContained = false;
      if (kind == kElementEnd) return true;
      if (kind != kElementTag || parser.GetTag(&closing, &selfContained) != kMarkupBody || closing) continue;
      bodySeen = true;
    }
    const bool ok = ReadLayoutItems(context, &page, position);
    // The document's blocks go back after every element, so an item that
    // kept the stream's text without copying it is caught.
    parser.ReleaseChunks();
    if (records.RecordCount() != styles.Count()) recordsInStep = false;
    if (!ok) return false;
    if (kind == kElementEnd) return true;
  }
  return true;
}

std::string BuilderRun::Dump() { return DumpLayoutItems(store); }

}  // namespace buildertest
