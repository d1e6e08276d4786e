// Checking the spelling blocks of an index header record.
#include "index/inflection/spelling_blocks.h"

#include <cstring>

#include "foundation/streams/byte_order.h"
#include "storage/container/record_buffer.h"

namespace {

const uint8_t* Block(const uint8_t* d, uint32_t n, uint32_t offset, const char* magic, uint32_t dataBytes) {
  if (offset == 0 || static_cast<uint64_t>(offset) + 4 + dataBytes > n) return nullptr;
  if (std::memcmp(d + offset, magic, 4) != 0) return nullptr;
  return d + offset + 4;
}

int32_t Word(const uint8_t* d, uint32_t offset) { return static_cast<int32_t>(LoadU32BE(d + offset)); }

}  // namespace

int32_t ReadSpellingBlocks(const uint8_t* d, uint32_t n, ApproximateMatcher* matcher) {
  // Every field read below lies under offset 148 < 164.
  if (d == nullptr || n <= 163 || LoadU32BE(d + 16) == 0 || LoadU32BE(d + 4) <= 163 || LoadU32BE(d + 76) == 0)
    return 1;
  const uint32_t spl3Size = LoadU32BE(d + 84);
  ApproximateMatcher m;
  if ((m.spl1 = Block(d, n, LoadU32BE(d + 60), "SPL1", 256)) == nullptr) return 1;
  if ((m.spl2 = Block(d, n, LoadU32BE(d + 64), "SPL2", 256)) == nullptr) return 1;
  if ((m.spl3 = Block(d, n, LoadU32BE(d + 76), "SPL3", spl3Size)) == nullptr) return 1;
  if ((m.spl4 = Block(d, n, LoadU32BE(d + 68), "SPL4", 256)) == nullptr) return 1;
  if ((m.spl5 = Block(d, n, LoadU32BE(d + 72), "SPL5", 256)) == nullptr) return 1;
  if ((m.spl6 = Block(d, n, LoadU32BE(d + 80), "SPL6", 512)) == nullptr) return 1;
  m.spl3Size = spl3Size;
  m.classLow = Word(d, 88);
  m.classHigh = Word(d, 92);
  m.boundaryCharacter = Word(d, 96);
  for (int i = 0; i < 9; ++i) m.scores[i] = Word(d, 100 + 4 * static_cast<uint32_t>(i));
  m.percentages[0] = Word(d, 136);
  m.percentages[1] = Word(d, 140);
  m.maxKeyLength = Word(d, 144);
  m.loaded = 1;
  *matcher = m;
  return 0;
}
