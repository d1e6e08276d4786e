// Matching like-patterns against the labels of an index.
#include "index/search/key_pattern.h"

#include <cstring>

#include "foundation/streams/byte_order.h"
#include "index/search/key_collation.h"
#include "index/tables/index_table.h"
#include "platform/memory/allocator.h"

namespace {

uint8_t* Copy(const uint8_t* data, uint32_t n) {
  uint8_t* out = static_cast<uint8_t*>(DeviceAlloc(n == 0 ? 1 : n));
  if (out != nullptr && n != 0) std::memcpy(out, data, n);
  return out;
}

uint32_t CodeAt(const uint8_t* p, uint32_t i, uint32_t width) { return width == 2 ? LoadU16BE(p + 2 * i) : p[i]; }

}  // namespace

bool KeyPattern::SetPatternBytes(const uint8_t* data, uint32_t n, const uint32_t* segmentLengths, uint32_t count) {
  DeviceFree(bytes);
  DeviceFree(segments);
  bytes = Copy(data, n);
  segments = static_cast<uint32_t*>(DeviceAlloc((count == 0 ? 1 : count) * sizeof(uint32_t)));
  if (bytes == nullptr || segments == nullptr) {
    ClearPattern();
    return false;
  }
  if (count != 0) std::memcpy(segments, segmentLengths, count * sizeof(uint32_t));
  length = n;
  segmentCount = count;
  return true;
}

bool KeyPattern::SetPrefix(const uint8_t* data, uint32_t n) {
  DeviceFree(prefix);
  prefix = Copy(data, n);
  prefixLength = prefix != nullptr ? n : 0;
  return prefix != nullptr;
}

void KeyPattern::ClearPattern() {
  DeviceFree(prefix);
  DeviceFree(bytes);
  DeviceFree(segments);
  prefix = bytes = nullptr;
  segments = nullptr;
  prefixLength = length = segmentCount = 0;
}

uint32_t TotalLetterCount(const uint8_t* letters, uint32_t length) {
  if (letters == nullptr || length < 4) return 0;
  uint32_t count = 0;
  std::memcpy(&count, letters, 4);
  uint32_t total = 0;
  for (uint32_t i = 0; i < count && 4 + 4ull * (i + 1) <= length; ++i) total += letters[4 + 4 * i + 2];
  return total;
}

int32_t MatchPattern(IndexTable* table, const IndexEntryRef& ref, const KeyPattern& pattern) {
  const uint8_t* label = nullptr;
  uint32_t labelLength = 0;
  if (!table->GetLabelData(ref.record, ref.entry, &label, &labelLength)) return 1;
  const IndexCollation& c = table->Header().collation;
  const uint32_t width = CodeWidth(c);
  if (pattern.prefixLength != 0) {
    const int32_t order = table->CompareKeys(pattern.prefix, pattern.prefixLength, label, labelLength,
                                             pattern.prefixLength / width);
    if (order > 0) return 2;
    if (order < 0) return -1;
  }
  // The label's codes that weigh something.
  uint32_t codes[256];
  uint32_t n = 0;
  for (uint32_t i = 0; i < labelLength / width && n < 256; ++i) {
    const uint32_t code = CodeAt(label, i, width);
    if (CodeWeight(c, code) != 0) codes[n++] = code;
  }
  if (pattern.segmentCount == 0 || pattern.length == 0) return pattern.segmentCount > 1 || n == 0 ? 0 : 1;
  auto matches = [&](uint32_t p, uint32_t code) {
    return p == pattern.anyCharacter || CodeWeight(c, p) == CodeWeight(c, code);
  };
  // Segment k as a run of codes inside pattern.bytes.
  uint32_t offsets[64];
  const uint32_t segmentCount = pattern.segmentCount < 64 ? pattern.segmentCount : 64;
  uint32_t at = 0;
  for (uint32_t k = 0; k < segmentCount; ++k) {
    if (pattern.segments[k] > pattern.length - at) return 1;
    offsets[k] = at;
    at += pattern.segments[k];
  }
  auto segmentFits = [&](uint32_t k, uint32_t start) {
    const uint32_t codesIn = pattern.segments[k] / width;
    if (start + codesIn > n) return false;
    for (uint32_t i = 0; i < codesIn; ++i)
      if (!matches(CodeAt(pattern.bytes + offsets[k], i, width), codes[start + i])) return false;
    return true;
  };
  const uint32_t first = pattern.segments[0] / width;
  if (segmentCount == 1) return first == n && segmentFits(0, 0) ? 0 : 1;
  const uint32_t last = pattern.segments[segmentCount - 1] / width;
  if (first + last > n || !segmentFits(0, 0) || !segmentFits(segmentCount - 1, n - last)) return 1;
  // The middle segments in order at their earliest places between them.
  uint32_t position = first;
  for (uint32_t k = 1; k + 1 < segmentCount; ++k) {
    const uint32_t codesIn = pattern.segments[k] / width;
    bool found = false;
    for (; position + codesIn <= n - last; ++position) {
      if (segmentFits(k, position)) {
        found = true;
        position += codesIn;
        break;
      }
    }
    if (!found) return 1;
  }
  return 0;
}
