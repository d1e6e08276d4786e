// Anagram tests and jump keys (see query_anagram.h).
#include "index/query/query_anagram.h"

#include "foundation/streams/byte_order.h"
#include "index/search/key_collation.h"
#include "platform/memory/allocator.h"

namespace {

constexpr uint32_t kMaxLetterClasses = 256;

uint32_t CodeAt(const uint8_t* p, uint32_t i, uint32_t width) { return width == 2 ? LoadU16BE(p + 2 * i) : p[i]; }

int32_t FindItem(const IndexCollation& c, const QueryLetterRecord& record, uint32_t code) {
  const uint32_t weight = CodeWeight(c, code);
  for (uint32_t i = 0; i < record.itemCount; ++i)
    if (CodeWeight(c, record.items[i].letter) == weight) return static_cast<int32_t>(i);
  return -1;
}

void PutCode(uint8_t* out, uint32_t at, uint32_t code, uint32_t width) {
  if (width == 2) StoreU16BE(out + at, static_cast<uint16_t>(code));
  else out[at] = static_cast<uint8_t>(code);
}

}  // namespace

bool HasKeyMap(const IndexCollation& c) {
  return c.utf16Keys ? c.weights != nullptr && c.characterCount != 0 : c.ordt != nullptr;
}

bool BuildLetterRecord(const IndexCollation& c, const uint8_t* letters, uint32_t length, uint32_t maxLeftover,
                       uint32_t jokers, QueryLetterRecord* record) {
  DeviceFree(record->items);
  *record = QueryLetterRecord();
  const uint32_t width = CodeWidth(c);
  const uint32_t n = length / width;
  QueryLetterItem* items = static_cast<QueryLetterItem*>(DeviceAlloc(sizeof(QueryLetterItem) * (n == 0 ? 1 : n)));
  if (items == nullptr) return false;
  record->items = items;
  uint32_t letterCount = 0;
  for (uint32_t i = 0; i < n; ++i) {
    const uint32_t code = CodeAt(letters, i, width);
    if (CodeWeight(c, code) == 0) continue;
    const int32_t found = FindItem(c, *record, code);
    if (found >= 0) {
      // Counts are bytes: a letter given more often cannot be tested.
      if (items[found].count == 255) return false;
      ++items[found].count;
    } else {
      if (record->itemCount == kMaxLetterClasses) return false;
      // Sorted by weight as items arrive (insertion keeps the list small).
      uint32_t at = record->itemCount;
      while (at > 0 && CompareCodes(items[at - 1].letter, code, c) > 0) {
        items[at] = items[at - 1];
        --at;
      }
      items[at] = {static_cast<uint16_t>(code), 1, 0};
      ++record->itemCount;
    }
    ++letterCount;
  }
  record->letterCount = letterCount;
  record->jokers = jokers;
  const uint64_t most = static_cast<uint64_t>(letterCount) + jokers;
  record->maxLeftover = most < maxLeftover ? static_cast<uint32_t>(most) : maxLeftover;
  return true;
}

bool AnagramTest(const IndexCollation& c, const QueryLetterRecord& record, const uint8_t* key, uint32_t length,
                 uint32_t* passed) {
  uint8_t counts[kMaxLetterClasses];
  for (uint32_t i = 0; i < record.itemCount; ++i) counts[i] = record.items[i].count;
  uint32_t jokers = record.jokers;
  const uint32_t width = CodeWidth(c);
  uint32_t count = 0;
  for (uint32_t i = 0; i < length / width; ++i) {
    const uint32_t code = CodeAt(key, i, width);
    if (CodeWeight(c, code) == 0) continue;
    const int32_t item = FindItem(c, record, code);
    if (item >= 0 && counts[item] > 0) {
      --counts[item];
    } else if (jokers > 0) {
      --jokers;
    } else {
      *passed = count;
      return false;
    }
    ++count;
  }
  *passed = count;
  uint64_t left = jokers;
  for (uint32_t i = 0; i < record.itemCount; ++i) left += counts[i];
  return left <= record.maxLeftover;
}

int32_t AnagramJumpKey(const IndexCollation& c, const QueryLetterRecord& record, const uint8_t* key,
                        uint32_t length, uint32_t passed, bool forward, uint8_t* out, uint32_t capacity) {
  const uint32_t width = CodeWidth(c);
  // The key's characters that weigh something.
  uint32_t codes[kMaxLetterClasses];
  uint32_t n = 0;
  for (uint32_t i = 0; i < length / width && n < kMaxLetterClasses; ++i) {
    const uint32_t code = CodeAt(key, i, width);
    if (CodeWeight(c, code) != 0) codes[n++] = code;
  }
  if (passed > n) passed = n;
  const uint32_t shortest = record.letterCount > record.maxLeftover ? record.letterCount - record.maxLeftover : 0;
  for (int64_t m = passed; m >= 0; --m) {
    uint8_t counts[kMaxLetterClasses];
    for (uint32_t i = 0; i < record.itemCount; ++i) counts[i] = record.items[i].count;
    bool kept = true;
    for (uint32_t i = 0; i < m; ++i) {
      const int32_t item = FindItem(c, record, codes[i]);
      if (item < 0 || counts[item] == 0) {
        kept = false;
        break;
      }
      --counts[item];
    }
    if (!kept) continue;
    // The letter at position m: the smallest remaining above the key's
    // (backwards the largest below it); past the key's end any letter
    // follows it forwards and none precedes it backwards.
    int32_t chosen = -1;
    const bool hasCode = static_cast<uint32_t>(m) < n;
    if (forward) {
      for (uint32_t i = 0; i < record.itemCount && chosen < 0; ++i)
        if (counts[i] > 0 && (!hasCode || CompareCodes(record.items[i].letter, codes[m], c) > 0))
          chosen = static_cast<int32_t>(i);
    } else if (hasCode) {
      for (int32_t i = static_cast<int32_t>(record.itemCount) - 1; i >= 0 && chosen < 0; --i)
        if (counts[i] > 0 && CompareCodes(record.items[i].letter, codes[m], c) < 0) chosen = i;
    }
    uint32_t at = 0;
    auto put = [&](uint32_t code) {
      if (at + width > capacity) return false;
      PutCode(out, at, code, width);
      at += width;
      return true;
    };
    if (chosen < 0 && !forward) {
      // Backwards, the kept start itself is the largest key below the
      // failing one that could still pass.
      for (uint32_t i = 0; i < m; ++i) put(codes[i]);
      return static_cast<int32_t>(at);
    }
    if (chosen < 0) continue;
    for (uint32_t i = 0; i < m; ++i) put(codes[i]);
    put(record.items[chosen].letter);
    --counts[chosen];
    uint32_t characters = static_cast<uint32_t>(m) + 1;
    if (forward) {
      for (uint32_t i = 0; i < record.itemCount && characters < shortest; ++i) {
        while (counts[i] > 0 && characters < shortest) {
          put(record.items[i].letter);
          --counts[i];
          ++characters;
        }
      }
    } else {
      for (int32_t i = static_cast<int32_t>(record.itemCount) - 1; i >= 0; --i) {
        while (counts[i] > 0) {
          put(record.items[i].letter);
          --counts[i];
        }
      }
    }
    return static_cast<int32_t>(at);
  }
  return -1;
}
