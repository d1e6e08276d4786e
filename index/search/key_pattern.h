// Patterns of the query language's like comparison matched against stored
// keys: a literal prefix that bounds the range of entries to look at, and
// segments (the pieces between the wildcards that stand for any run of
// characters) in stored form, one of whose codes may stand for any single
// character. Codes that weigh nothing are skipped in the label.
#pragma once

#include <cstdint>

#include "index/tables/index_entry_ref.h"

class IndexTable;

struct KeyPattern {
  uint8_t* prefix = nullptr;  // stored form
  uint32_t prefixLength = 0;  // bytes
  uint8_t* bytes = nullptr;   // the segments back to back, stored form
  uint32_t length = 0;        // bytes
  uint32_t* segments = nullptr;  // byte length of each segment
  uint32_t segmentCount = 0;
  uint32_t anyCharacter = 0xFFFFFFFFu;  // the code that matches any one code

  // Copies the bytes into the pattern (owned); false when memory runs out.
  bool SetPatternBytes(const uint8_t* data, uint32_t n, const uint32_t* segmentLengths, uint32_t count);
  bool SetPrefix(const uint8_t* data, uint32_t n);
  void ClearPattern();
  ~KeyPattern() { ClearPattern(); }
};

// A letter list {count; items {code u16, count u8, spare u8}}: the sum of
// the item counts.
uint32_t TotalLetterCount(const uint8_t* letters, uint32_t length);

// 0 match, 1 no match, 2 the entry lies before the prefix's range, -1 after.
int32_t MatchPattern(IndexTable* table, const IndexEntryRef& ref, const KeyPattern& pattern);
