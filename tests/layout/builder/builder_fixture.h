// A markup document run through the parser and the tag-to-layout builder
// into one item store, with fakes for what the layout context supplies: a
// host (space width, rules, screen), a book source whose records 1 and 2
// are GIF pictures of 100 x 80 and 30 x 20 (and 4 one of 64 x 48, 3 no
// picture), a picture loader that knows
// one address, a recording offline log, and optional form services.
#pragma once

#include <map>
#include <memory>
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

namespace buildertest {

class MemoryStream : public DocumentStream {
 public:
  explicit MemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  uint32_t GetLength() override { return static_cast<uint32_t>(bytes_.size()); }
  bool ReadRaw(uint32_t offset, void* buffer, uint32_t count) override;

 private:
  std::vector<uint8_t> bytes_;
};

class FakeSource : public DocumentSource {
 public:
  void OpenStreamByIndex(DocumentStreamPtr* out, int32_t index) override;
  std::map<int32_t, std::vector<uint8_t>> records;
};

class FakePictureLoader : public PictureAddressLoader {
 public:
  bool Resolve(const SharedWideString& address, const SharedWideString& base, int32_t recordIndex,
               PictureAddress* out) override;
  bool OpenStream(const PictureAddress& address, DocumentStreamPtr* out) override;
  std::map<std::u16string, std::vector<uint8_t>> files;  // by whole address
};

class FakeHost : public LayoutBuilderHost {
 public:
  int32_t MeasureSpace() override { return 5; }
  bool ShowsRules() override { return showsRules; }
  void RecordDocumentEnd(uint32_t position) override { ends.push_back(position); }
  Size ScreenSize() override { return screen; }
  bool showsRules = true;
  Size screen{240, 320};
  std::vector<uint32_t> ends;
};

class RecordingLog : public OfflineLog {
 public:
  void Append(const SharedWideString& text) override;
  std::vector<std::u16string> texts;
};

std::vector<uint8_t> GifOfSize(uint16_t width, uint16_t height);
std::u16string U16(const SharedWideString& text);

// One run of the builder over a document.
class BuilderRun {
 public:
  explicit BuilderRun(const std::string& markup);
  // Reads elements until the end of the document or a false answer (then
  // false); `limit` bounds the number of elements.
  bool Run(uint32_t limit = 100000);
  std::string Dump();

  std::unique_ptr<FakeDocument> document;
  MarkupParser parser;
  ElementRecordStack records;
  ElementStyleRecords styles;
  LayoutItemStore store;
  FakeHost host;
  FakeSource* source;  // counted; released at the end
  FakePictureLoader pictures;
  RecordingLog log;
  DefaultStyle defaults;
  ElementStyle base;
  LayoutBuilderContext context;
  LayoutPageBuilder page;
  uint32_t elements = 0;
  bool bodySeen = false;  // the elements before the opening BODY are passed over
  bool recordsInStep = true;  // records and styles kept the same count after every element

  ~BuilderRun();
  BuilderRun(const BuilderRun&) = delete;
  BuilderRun& operator=(const BuilderRun&) = delete;
};

}  // namespace buildertest
