// Fuzz target: untrusted bytes opened as a text file through the plain-text
// document (byte-order mark, blocks, conversion, UTF-8 continuation bytes
// at block ends) and read to the end by the plain-text reader and the plain
// text search. Nothing may read outside a block, hang, or keep a block lent
// once the readers are done.
//
// Byte 0 chooses the options: bits 0-1 the default code page (1252, 932,
// 65001, 1251); bit 2 asks for the blocks in the file's own code page
// (then only walked and touched: the readers take UTF-16 blocks), else in
// UTF-16 for the readers; bit 3 a restart in the middle with
// resynchronisation, bit 4 a save and restore of the reader's state
// halfway, bit 5 a backward search. The rest is the file.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/files/file_mode.h"
#include "foundation/files/file_stream.h"
#include "foundation/streams/byte_stream.h"
#include "fuzz/temp_in_memory.h"
#include "layout/markup/plain_text_token_reader.h"
#include "layout/search/text_searcher.h"
#include "platform/testing/files.h"
#include "storage/documents/plain_text_document.h"
#include "tests/support/palm_database_builder.h"

namespace {

constexpr const char16_t* kPath = u"\\fuzz.txt";
constexpr int32_t kCodePages[4] = {1252, 932, 65001, 1251};
constexpr int kMaxElements = 400000;

void Drain(PlainTextTokenReader& reader, int limit) {
  for (int i = 0; i < limit; ++i) {
    const int32_t kind = reader.Next();
    if (kind == kElementEnd) break;
    (void)reader.GetText().length;
    reader.ReleaseChunks();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = [] {
    fuzzsupport::UseTempInMemory();
    devtest::UseFreshDeviceRoot();
    return true;
  }();
  (void)ready;
  if (size == 0) return 0;
  const uint8_t options = data[0];
  if (!testbuild::WriteDeviceFile(kPath, std::vector<uint8_t>(data + 1, data + size))) return 0;
  FileStream* stream = FileStream::CreateAndOpen(kPath, kFileModeRead | kFileModeOpenExisting, 0);
  if (stream == nullptr) return 0;
  const int32_t defaultCp = kCodePages[options & 3];
  const bool ownCodePage = (options & 4) != 0;
  RefPtr<PlainTextDocument> document;
  document.Adopt(new PlainTextDocument());
  document->Open(stream, kPath, defaultCp, ownCodePage ? defaultCp : 65002, true, 0, -1);
  if (ownCodePage) {
    // Every block, every byte of it touched.
    uint32_t sum = 0;
    const uint32_t unitBytes = document->GetCodePage() == 65002 ? 2 : 1;
    for (uint32_t position = 0; position < document->GetTextLength();) {
      TextBlock block;
      if (!document->ReadBlock(position, &block, 0, false)) break;
      const uint8_t* bytes = static_cast<const uint8_t*>(block.data);
      for (uint32_t i = 0; i < block.length * unitBytes; ++i) sum += bytes[i];
      const uint32_t next = document->AdvancePosition(block.start, block.length, 0);
      document->ReleaseBlock(block.blockId);
      if (next <= position) break;
      position = next;
    }
    if (document->BlocksInUse() != 0 || sum == 0xFFFFFFFFu) __builtin_trap();
    return 0;
  }
  {
    PlainTextTokenReader reader;
    reader.AttachSource(document.Get(), 0);
    const uint32_t length = document->GetTextLength();
    const uint32_t start = (options & 8) != 0 ? length / 2 : 0;
    reader.Restart(start, start != 0);
    Drain(reader, kMaxElements / 2);
    if ((options & 16) != 0) {
      reader.Restart(0, false);
      Drain(reader, 50);
      ByteStream chunk;
      if (reader.SaveState(&chunk)) {
        PlainTextTokenReader restored;
        restored.AttachSource(document.Get(), 0);
        chunk.readPos = 0;
        if (restored.LoadState(&chunk)) Drain(restored, kMaxElements / 2);
      }
    }
  }
  {
    PlainTextSearcher searcher;
    searcher.Attach(document.Get());
    SearchRequest request;
    static const WCHAR kPattern[] = {'a', 'b'};
    request.pattern = kPattern;
    request.length = 2;
    request.caseInsensitive = true;
    uint32_t from = 0, to = 0, end = 0;
    bool stopped = false;
    int32_t mode = (options & 32) != 0 ? kSearchFirstBackward : kSearchFirstForward;
    for (int i = 0; i < 4 && RunTextSearch(&searcher, request, &from, &to, &end, &mode, &stopped); ++i) {
      if (mode == kSearchNextForward) from = end;
    }
  }
  if (document->BlocksInUse() != 0) __builtin_trap();
  return 0;
}
