// Fuzz target: untrusted HUFF/CDIC tables and text records. The input is a
// HUFF record, 1 to 4 CDIC records and a text stream, each behind a
// big-endian u16 length (the first byte gives the CDIC count and the output
// capacity's high bits). Every part lives in its own exactly sized block so
// the sanitizer sees a read past any of them; decoding must stay inside the
// output and end (no hang on phrases that only open each other).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "storage/compression/huff_cdic.h"
#include "storage/compression/huff_cdic_text_offsets.h"

namespace {

bool TakePart(const uint8_t*& p, const uint8_t* end, std::vector<uint8_t>* part) {
  if (end - p < 2) return false;
  const size_t length = static_cast<size_t>(p[0]) << 8 | p[1];
  p += 2;
  if (static_cast<size_t>(end - p) < length) return false;
  part->assign(p, p + length);
  p += length;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > (1u << 18)) return 0;
  const uint32_t cdicCount = (data[0] & 3) + 1;
  const uint32_t capacity = 256u << ((data[0] >> 2) & 7);
  const uint8_t* p = data + 1;
  const uint8_t* end = data + size;
  std::vector<uint8_t> huff;
  std::vector<std::vector<uint8_t>> cdic(cdicCount);
  std::vector<uint8_t> stream;
  if (!TakePart(p, end, &huff)) return 0;
  for (auto& c : cdic)
    if (!TakePart(p, end, &c)) return 0;
  stream.assign(p, end);

  std::vector<const uint8_t*> records;
  std::vector<uint32_t> sizes;
  for (auto& c : cdic) {
    records.push_back(c.data());
    sizes.push_back(static_cast<uint32_t>(c.size()));
  }
  HuffCdicDecoder decoder;
  if (decoder.Init(huff.data(), static_cast<uint32_t>(huff.size()), records.data(), sizes.data(), cdicCount)) {
    std::vector<uint8_t> out(capacity);
    uint32_t produced = 0;
    decoder.Decode(stream.data(), static_cast<uint32_t>(stream.size()), out.data(), capacity, &produced);
    if (produced > capacity) __builtin_trap();
  }

  // The same parts as DATP tables.
  TextOffsetTables tables;
  uint32_t count = 0;
  if (TextOffsetTables::ReadRecordCount(records[0], sizes[0], &count) && count <= cdicCount &&
      tables.Init(records.data(), sizes.data(), count)) {
    uint32_t record, start, length;
    for (uint32_t position : {0u, 1u, 4095u, 65536u, 0x7FFFFFFFu}) tables.Locate(position, &record, &start, &length);
  }
  return 0;
}
