// Look-ups that go through a second table: a word's entries found directly
// in a table, or through a second table (readings, CJK words with kana
// endings) whose entries name entries of the first by number. Each match is
// a TextRangeRef appended to the caller's list.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_typed.h"
#include "index/tables/index_entry_ref.h"
#include "platform/types/device_types.h"

class IndexTable;
class IndexEntryReader;

// A match: initialised {-1, -1, 0, 1, -1, 0, 0}; a word search fills it with
// {entry record, entry, matched length, direct flag, the caller's value,
// flag a, flag b}.
struct TextRangeRef {
  int32_t start = -1;   // entry record
  int32_t end = -1;     // entry within it
  uint32_t length = 0;  // characters of the word, or bytes of a CJK label
  uint32_t count = 1;   // 1: the word is a key of the table itself
  int32_t source = -1;  // the caller's value (a dictionary's number)
  uint8_t flagA = 0;    // 0: a CJK prefix match
  uint8_t flagB = 0;
};

using TextRangeList = SegmentedTypedArray<TextRangeRef, false>;

// The word's entries: its own key in the table (direct matches); else,
// with a second table, the entries that the second table's entries for the
// word name through the tag the naming table gives it; else, with cjk, the
// same for the second table's keys that begin with the word cut after its
// last CJK ideograph and hold no further ideograph. *found tells whether
// anything matched. Consumes one reference to each of secondTable and
// naming (either may be null). True when matches were added.
bool FindWordEntries(IndexTable* table, const WCHAR* word, uint32_t count, TextRangeList* matches,
                     IndexTable* secondTable, IndexTable* naming, int32_t value, bool* found, bool cjk);

// Adds a match (pattern with the entry's place) for each value of the tag
// of `entry` in the reader's table, read as an absolute entry number of
// table. True when the tag holds exactly one value per item and named at
// least one entry of the table.
bool AddLinkedEntries(IndexTable* table, TextRangeList* matches, IndexEntryReader* reader, const IndexEntryRef& entry,
                      uint32_t tag, const TextRangeRef& pattern);
