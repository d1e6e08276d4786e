// Walking sound entry lists (see entry_list.h).
#include "index/query/entry_list.h"

#include "index/tables/index_varint.h"

namespace {
constexpr uint32_t kLinearReads = 6;
constexpr uint32_t kRunWindow = 22;
constexpr uint32_t kMaxListVarintBytes = 8;  // as index_varint reads them
}  // namespace

uint32_t SoundListLength(const uint8_t* list, uint32_t length, uint32_t entryCount) {
  if (list == nullptr) return 0;
  // Every list a query names is read through here when its node is made,
  // so the varints are read in line (as ReadVarint reads them: at most
  // eight bytes, the groups shifted into 32 bits).
  uint32_t at = 0;
  bool first = true;
  uint32_t previous = 0;
  while (at < length) {
    const uint32_t room = length - at < kMaxListVarintBytes ? length - at : kMaxListVarintBytes;
    uint32_t value = 0;
    uint32_t used = 0;
    uint8_t byte = 0;
    do {
      byte = list[at + used++];
      value = (value << 7) | (byte & 0x7F);
    } while ((byte & 0x80) == 0 && used < room);
    // Unterminated at the list's end, or more than eight bytes: the end.
    if ((byte & 0x80) == 0) break;
    if ((!first && value <= previous) || value >= entryCount) break;
    previous = value;
    first = false;
    at += used;
  }
  return at;
}

uint32_t ListValueAt(const uint8_t* list, uint32_t length, uint32_t offset) {
  uint32_t value = 0;
  ReadVarint(list + offset, list + length, &value);
  return value;
}

uint32_t ListNextOffset(const uint8_t* list, uint32_t length, uint32_t offset) {
  return offset + VarintLength(list + offset, list + length);
}

uint32_t ListValueStart(const uint8_t* list, uint32_t at) {
  while (at > 0 && (list[at - 1] & 0x80) == 0) --at;
  return at;
}

uint32_t ListPreviousOffset(const uint8_t* list, uint32_t offset) {
  if (offset == 0) return 0;
  return ListValueStart(list, offset - 1);
}

uint32_t ListLowerBound(const uint8_t* list, uint32_t length, uint32_t target, uint32_t hint) {
  if (length == 0) return 0;
  uint32_t lo = 0;
  uint32_t hi = length;
  if (hint < length && ListValueAt(list, length, hint) < target) {
    // Forward from the hint: a few values one by one, then halving.
    uint32_t at = hint;
    for (uint32_t i = 0; i < kLinearReads && at < length; ++i) {
      if (ListValueAt(list, length, at) >= target) return at;
      at = ListNextOffset(list, length, at);
    }
    if (at >= length) return length;
    lo = at;
  } else if (hint < length) {
    hi = ListNextOffset(list, length, hint);
  }
  // Invariant: every value before lo is below target; the answer lies in
  // [lo, hi], hi being length or a value start whose value is not below.
  while (lo < hi) {
    const uint32_t mid = ListValueStart(list, lo + (hi - lo) / 2);
    const uint32_t probe = mid < lo ? lo : mid;
    if (ListValueAt(list, length, probe) >= target) {
      if (probe == lo) return lo;
      hi = probe;
    } else {
      lo = ListNextOffset(list, length, probe);
    }
  }
  return lo;
}

uint64_t EncodedRunLength(uint32_t a, uint32_t b) {
  static const uint32_t kLimits[] = {128u, 16384u, 2097152u, 268435456u};
  uint64_t bytes = 0;
  uint32_t from = a;
  for (uint32_t width = 1; width <= 4 && from < b; ++width) {
    const uint32_t limit = kLimits[width - 1];
    if (from >= limit) continue;
    const uint32_t to = b < limit ? b : limit;
    bytes += static_cast<uint64_t>(to - from) * width;
    from = to;
  }
  return bytes;
}

namespace {

// Values at P (v) and Q (w) with every number between them in the list.
bool Consecutive(const uint8_t* list, uint32_t length, uint32_t p, uint32_t q) {
  const uint32_t v = ListValueAt(list, length, p);
  const uint32_t w = ListValueAt(list, length, q);
  return w >= v && static_cast<uint64_t>(q - p) == EncodedRunLength(v, w);
}

}  // namespace

uint32_t ListRunEndForward(const uint8_t* list, uint32_t length, uint32_t offset) {
  uint32_t last = ListPreviousOffset(list, length);
  // Short remainder: one by one.
  uint32_t good = offset;
  if (last - offset > kRunWindow) {
    // Halve [good, bad) by byte position while the span is long.
    uint32_t bad = length;
    if (Consecutive(list, length, offset, last)) return last;
    bad = last;
    while (bad - good > kRunWindow) {
      uint32_t mid = ListValueStart(list, good + (bad - good) / 2);
      if (mid <= good) break;
      if (Consecutive(list, length, offset, mid)) good = mid;
      else bad = mid;
    }
  }
  uint32_t at = good;
  uint32_t value = ListValueAt(list, length, at);
  for (;;) {
    const uint32_t next = ListNextOffset(list, length, at);
    if (next >= length) return at;
    const uint32_t nextValue = ListValueAt(list, length, next);
    if (nextValue != value + 1) return at;
    at = next;
    value = nextValue;
  }
}

uint32_t ListRunStartBackward(const uint8_t* list, uint32_t length, uint32_t offset) {
  uint32_t good = offset;
  if (offset > kRunWindow) {
    if (Consecutive(list, length, 0, offset)) return 0;
    uint32_t bad = 0;
    while (good - bad > kRunWindow) {
      uint32_t mid = ListValueStart(list, bad + (good - bad) / 2);
      if (mid >= good) break;
      if (mid <= bad) break;
      if (Consecutive(list, length, mid, offset)) good = mid;
      else bad = mid;
    }
  }
  uint32_t at = good;
  uint32_t value = ListValueAt(list, length, at);
  while (at > 0) {
    const uint32_t previous = ListPreviousOffset(list, at);
    const uint32_t previousValue = ListValueAt(list, length, previous);
    if (previousValue + 1 != value) return at;
    at = previous;
    value = previousValue;
  }
  return at;
}
