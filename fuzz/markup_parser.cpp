// Fuzz target: random bytes through the markup tokenizer and parser, and
// through the parser's saved-state loader.
//
// Byte 0 chooses the options: bits 0-2 the document's block size (1, 2, 3,
// 5, 7, 64, 512, 4096 characters), bit 3 the XML mode, bit 4 the inline-table
// option, bit 5 whether the text is UTF-16 (pairs of bytes) or one
// character per byte, bit 6 a restart in the middle with resynchronisation,
// bit 7 a save and restore of the state halfway. The rest is the text; it is
// also offered to LoadState as a saved chunk.
#include <cstddef>
#include <cstdint>
#include <string>

#include "foundation/streams/byte_stream.h"
#include "layout/markup/element_record_stack.h"
#include "layout/markup/markup_parser.h"
#include "tests/support/fake_document.h"

namespace {

constexpr uint32_t kBlockSizes[8] = {1, 2, 3, 5, 7, 64, 512, 4096};
constexpr int kMaxElements = 200000;
// The text is cut to this many blocks. The fake document looks its block ids
// up one by one and the tokenizer searches its block cache in order, so a run
// costs the square of the blocks held at once: a long comment, or a stretch
// of dropped tags with no chunk released between them, over blocks of one
// character made a 4 KB input take seconds. A few hundred blocks still put
// every kind of token across block boundaries.
constexpr size_t kMaxBlocks = 256;

int Drain(MarkupParser& parser, ElementRecordStack* stack, int limit) {
  int delivered = 0;
  for (int i = 0; i < limit; ++i) {
    int32_t kind = parser.Next();
    if (kind == kElementEnd) break;
    if (kind == kElementAgain) continue;
    if (kind == kElementTag && stack != nullptr) stack->Push(parser);
    if (kind == kElementText || kind == kElementSpace) (void)parser.GetText().length;
    parser.ReleaseChunks();
    ++delivered;
  }
  return delivered;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t options = data[0];
  const uint8_t* body = data + 1;
  const size_t length = size - 1;

  std::u16string text;
  if ((options & 0x20) != 0) {
    for (size_t i = 0; i + 1 < length; i += 2) text.push_back(static_cast<char16_t>(body[i] | (body[i + 1] << 8)));
  } else {
    for (size_t i = 0; i < length; ++i) text.push_back(body[i]);
  }
  const uint32_t blockSize = kBlockSizes[options & 7];
  if (text.size() > kMaxBlocks * blockSize) text.resize(kMaxBlocks * blockSize);
  FakeDocument document(text, blockSize, 1);
  {
    MarkupParser parser;
    parser.SetXmlMode((options & 0x08) != 0);
    parser.SetInlineTableOption((options & 0x10) != 0);
    parser.AttachSource(&document, 0);
    uint32_t start = (options & 0x40) != 0 ? static_cast<uint32_t>(text.size() / 2) : 0;
    if (parser.Restart(start, start != 0)) {
      ElementRecordStack stack;
      Drain(parser, &stack, kMaxElements / 2);
      if ((options & 0x80) != 0) {
        ByteStream chunk;
        if (parser.SaveState(&chunk)) {
          MarkupParser restored;
          restored.AttachSource(&document, 0);
          chunk.readPos = 0;
          if (restored.LoadState(&chunk)) Drain(restored, nullptr, kMaxElements / 2);
        }
      }
      Drain(parser, &stack, kMaxElements / 2);
    }
  }
  {
    // The input as a saved chunk.
    MarkupParser parser;
    parser.AttachSource(&document, 0);
    ByteStream chunk;
    chunk.WriteBytes(body, static_cast<uint32_t>(length));
    chunk.readPos = 0;
    if (parser.LoadState(&chunk)) Drain(parser, nullptr, 1000);
  }
  if (document.Outstanding() != 0 || document.releaseErrors != 0) __builtin_trap();
  return 0;
}
