// Forward varints bounded by their buffer's end.
#include "index/tables/index_varint.h"

namespace {
constexpr uint32_t kMaxVarintBytes = 8;
}

uint32_t VarintLength(const uint8_t* p, const uint8_t* end) {
  uint32_t n = 0;
  while (p + n < end && n < kMaxVarintBytes) {
    if (p[n++] & 0x80) break;
  }
  return n;
}

uint32_t ReadVarint(const uint8_t* p, const uint8_t* end, uint32_t* value) {
  uint32_t v = 0;
  uint32_t n = 0;
  while (p + n < end && n < kMaxVarintBytes) {
    uint8_t b = p[n++];
    v = (v << 7) | (b & 0x7F);
    if (b & 0x80) break;
  }
  *value = v;
  return n;
}

bool SpanOfVarints(const uint8_t* p, const uint8_t* end, uint32_t n, uint32_t* span) {
  const uint8_t* q = p;
  for (uint32_t i = 0; i < n; ++i) {
    uint32_t length = VarintLength(q, end);
    if (length == 0) return false;
    q += length;
  }
  *span = static_cast<uint32_t>(q - p);
  return true;
}

uint32_t CountVarints(const uint8_t* p, uint32_t length) {
  uint32_t n = 0;
  for (uint32_t i = 0; i < length; ++i) n += p[i] >> 7;
  return n;
}

const uint8_t* StepVarints(const uint8_t* start, const uint8_t* end, const uint8_t* p, int32_t n) {
  if (p < start || p > end) return nullptr;
  if (n >= 0) {
    for (int32_t i = 0; i < n && p < end; ++i) p += VarintLength(p, end);
    return p;
  }
  // Backwards: the number before p ends at p - 1; its start follows the
  // previous byte with the top bit (or the buffer's start).
  for (int32_t i = 0; i < -n && p > start; ++i) {
    const uint8_t* q = p - 1;
    while (q > start && (q[-1] & 0x80) == 0) --q;
    p = q;
  }
  return p;
}
