// Spelling correction over one index table: when a word is not in a
// dictionary, the keys that come closest to it. Candidates are gathered three
// ways (keys one edit away, keys one wildcard away, keys that share a
// phonetic key in the following table), scored with the approximate matcher
// against the word, kept in a short ranked list, and those too far below the
// best are dropped. A table without spelling blocks has no correction.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array.h"
#include "index/tables/index_entry_ref.h"
#include "platform/types/device_types.h"

class IndexTable;

// One item of the result list (12 bytes): the entry and its score. The list
// is a SegmentedArray of these, highest score first, labels distinct.
struct SpellingSuggestion {
  IndexEntryRef entry;
  int32_t score;
};
static_assert(sizeof(SpellingSuggestion) == 12);

// What one look-up looked at, for tests and benchmarks.
struct SpellingLookupCounters {
  uint64_t candidatesScored = 0;  // labels cut into units and scored
  uint64_t perfectScore = 0;      // P of the last look-up
};

// 0 on success, 1 on failure: no spelling blocks, a key form longer than 255
// bytes, a word the rules cannot cut into units, a phonetic search that
// cannot open the following table, an allocation failure. The list is left
// untouched when the answer comes before the search starts (no blocks, the
// word too long or not cut); after that it holds what was found so far. The
// distinct-keys flag skips an entry whose label equals the previous one's.
int32_t LookupWord(IndexTable* table, const uint8_t* word, uint32_t length, SegmentedArray* results,
                   uint32_t maxResults, bool distinctKeys, SpellingLookupCounters* counters = nullptr);

// The word in code page 1252 (through the approximation table: "Łódź" is
// looked up as "Lódz"); a word with a character that still has no form
// answers 1 with the list untouched; an empty word 0 and no change.
int32_t LookupWordWide(IndexTable* table, const WCHAR* word, uint32_t length, SegmentedArray* results,
                       uint32_t maxResults, bool distinctKeys, SpellingLookupCounters* counters = nullptr);

// Prepares a SegmentedArray to hold SpellingSuggestion items.
void InitSpellingResults(SegmentedArray* results);
inline const SpellingSuggestion& SuggestionAt(const SegmentedArray& results, uint32_t i) {
  return *static_cast<const SpellingSuggestion*>(results.At(i));
}
