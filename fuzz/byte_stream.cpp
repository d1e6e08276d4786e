// Fuzz target: untrusted bytes read twice. First as a ByteStream whose own
// bytes are the program: each step reads one byte that picks the next read,
// so the saved-state loaders' patterns (varints, blobs, big-endian words,
// alignment, string-pool texts and back-references) meet every truncation.
// Then as a text record of a book whose first byte gives the extra flags, for
// the trailing-entry walk and the entry headers. Nothing may read outside the
// input.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/streams/byte_stream.h"
#include "foundation/streams/string_pool.h"
#include "foundation/streams/trailing_entries.h"
#include "foundation/streams/varint.h"

namespace {

void ReadAsStream(const uint8_t* data, size_t size) {
  ByteStream s;
  if (!s.WriteBytes(data, static_cast<uint32_t>(size))) return;
  s.readPos = 0;
  StringPool pool(&s);
  SharedWideString text;
  uint32_t words[4];
  uint16_t halves[4];
  uint8_t bytes[64];
  // The program is the stream itself: each step reads one byte to choose.
  for (int step = 0; step < 256 && s.Remaining() != 0; ++step) {
    uint8_t op = 0;
    s.ReadBytes(&op, 1);
    uint32_t n = (op >> 4) & 3;
    switch (op & 15) {
      case 0: s.ReadVarUInt(words); break;
      case 1: { ByteStream blob; s.ReadBlob(blob); break; }
      case 2: s.ReadU32BE(words, n + 1); break;
      case 3: s.ReadU16BE(halves, n + 1); break;
      case 4: s.ReadRaw16(halves, n + 1); break;
      case 5: s.ReadRaw32(words, n + 1); break;
      case 6: s.ReadBytes(bytes, (op >> 4) * 4); break;
      case 7: s.AlignRead(4); break;
      case 8: s.Skip(op >> 4); break;
      case 9: s.ReadU32BEUnchecked(words, n + 1); break;
      case 10: s.ReadRaw(bytes, op >> 2); break;
      case 11: s.Resize(s.Size() + (op >> 4)); break;
      case 13: pool.ReadString(&text); break;
      case 14: pool.ReadByte(bytes); break;
      default: s.ReadU32Native(words, n + 1); break;
    }
  }
}

void ReadAsRecord(const uint8_t* data, size_t size) {
  if (size == 0) return;
  uint32_t flags = data[0];
  // Exactly sized copy: the helpers must stay inside [record, end).
  std::vector<uint8_t> record(data + 1, data + size);
  const uint8_t* start = record.data();
  const uint8_t* end = start + record.size();
  bool corrupt = false;
  uint32_t total = TrailingEntriesTotal(start, end, flags, 65001, &corrupt);
  if (total > record.size()) __builtin_trap();
  for (uint32_t bit = 1; bit < 8; ++bit) {
    uint32_t payload = 0;
    const uint8_t* entry = FindTrailingEntry(start, end, flags, 1u << bit, &payload, &corrupt);
    if (entry == nullptr) continue;
    if (entry < start || entry + payload > end) __builtin_trap();
    int32_t f[5];
    uint32_t at = 0;
    while (at < payload) at += ParseEntryHeader(entry + at, payload - at, &f[0], &f[1], &f[2], &f[3], &f[4]);
  }
  uint32_t value, length;
  ReadBackwardVarint(start, end, &length);
  ReadForwardVarint(start, &value, static_cast<uint32_t>(record.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  ReadAsStream(data, size);
  ReadAsRecord(data, size);
  return 0;
}
