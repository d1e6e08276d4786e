// Writing and reading the "EBVS" page-state chunk.
#include "layout/position/page_state_chunk.h"

#include "layout/items/layout_records.h"
#include "layout/styles/element_style_records.h"

namespace {

constexpr uint32_t kTag = 0x45425653u;  // "EBVS"
constexpr uint32_t kScrollRecordBytes = 12;

uint32_t ByteSwapped(uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}

bool ReadWord(ByteStream* stream, uint32_t* out) { return stream->ReadU32BE(out, 1); }

}  // namespace

bool SavePageChunk(const PageFrame& frame, uint32_t stamp, bool plain, ByteStream* stream) {
  const uint32_t n = frame.tableScrolls.count;
  const uint32_t head[] = {kTag, kPageChunkVersion, stamp, plain ? 0u : 1u, 8 + kScrollRecordBytes * n,
                           static_cast<uint32_t>(frame.linkIndex), n};
  if (!stream->WriteU32BE(head, 7)) return false;
  for (uint32_t i = 0; i < n; ++i) {
    const TableScrollState& s = *frame.tableScrolls.At(i);
    const uint32_t words[] = {s.position, static_cast<uint32_t>(s.offsetX), static_cast<uint32_t>(s.offsetY)};
    if (!stream->WriteU32BE(words, 3)) return false;
  }
  if (!plain) {
    if (!stream->WriteBlob(frame.parserState)) return false;
    if (!frame.records.Write(stream)) return false;
  }
  return stream->ok;
}

bool LoadPageChunk(PageFrame* frame, ByteStream* stream, const DefaultStyle& defaults, const ElementStyle& base,
                   uint32_t stamp, bool* noState) {
  *noState = true;
  frame->tableScrolls.Clear();
  if (stream->Remaining() < 12) return false;
  uint32_t tag = 0, version = 0, saved = 0;
  if (!ReadWord(stream, &tag) || !ReadWord(stream, &version) || !ReadWord(stream, &saved)) return false;
  if (tag != kTag || version < 1 || version > kPageChunkVersion) return false;
  if (saved != stamp && saved != ByteSwapped(stamp)) return false;
  bool follows = true;
  frame->linkIndex = -1;
  if (version >= 4) {
    uint32_t word = 0;
    if (!ReadWord(stream, &word) || word > 1) return false;
    follows = word == 1;
  }
  if (version >= 2) {
    uint32_t blockLength = 0;
    uint32_t link = 0;
    if (!ReadWord(stream, &blockLength) || blockLength < 4 || blockLength > stream->Remaining()) return false;
    if (!ReadWord(stream, &link)) return false;
    uint32_t rest = blockLength - 4;
    if (version >= 3) {
      uint32_t n = 0;
      if (rest < 4 || !ReadWord(stream, &n)) return false;
      rest -= 4;
      // The records must fill the block exactly and fit in what remains;
      // counted in 64 bits so that no count can wrap.
      const uint64_t need = uint64_t{kScrollRecordBytes} * n;
      if (need + 8 != blockLength || need > stream->Remaining()) return false;
      for (uint32_t i = 0; i < n; ++i) {
        uint32_t words[3] = {0, 0, 0};
        if (!stream->ReadU32BE(words, 3)) return false;
        // The maxima are not known until the table is painted: the offsets
        // are kept as saved and clamped when they are used.
        TableScrollState* state = frame->EnsureTableScroll(words[0]);
        if (state == nullptr) return false;
        state->offsetX = state->maxX = static_cast<int32_t>(words[1]);
        state->offsetY = state->maxY = static_cast<int32_t>(words[2]);
        state->ResetScroll();
      }
      rest = 0;
    }
    // What an older version's block holds beyond its fields is skipped.
    if (rest != 0 && !stream->Skip(rest)) return false;
    frame->linkIndex = static_cast<int32_t>(link);
    if (frame->linkIndex < -1) frame->linkIndex = -1;
  }
  if (!follows) return true;
  if (!stream->ReadBlob(frame->parserState)) return false;
  frame->parserState.readPos = 0;
  if (!ReadElementRecords(stream, &frame->records, &frame->styles, defaults, base)) return false;
  // The style and format in force: the innermost open element's.
  const uint32_t count = frame->styles.Count();
  const ElementStyle& innermost = count != 0 ? frame->styles.At(count - 1) : base;
  frame->style = innermost.text;
  frame->format = ParagraphFormatOf(innermost);
  frame->format.boxFlags &= static_cast<uint8_t>(~kBoxParagraphStart);
  *noState = false;
  return true;
}
