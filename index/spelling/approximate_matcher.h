// The approximate word matcher behind spelling correction: a word is cut into
// units with the book's own rewrite rules (a kind of pronunciation of the
// word, with up to four alternative readings), and the units of two words
// are scored against each other. Everything language-specific is the book's:
// the rule table, four character maps and the numbers of the spelling blocks
// (ApproximateMatcher, read by ReadSpellingBlocks). The engine knows no
// alphabet of its own.
//
// Rules come from books: every rule is checked against the rule table's
// length before it is read, and a group that runs out without a match, or a
// rule that does not fit, makes FindWords fail.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array.h"
#include "index/inflection/spelling_blocks.h"

// Where each number of ApproximateMatcher::scores sits.
enum MatcherScore : int32_t {
  kScoreIdenticalLetters = 0,
  kScoreFoldedLetters = 1,
  kScoreIdenticalOutput = 2,
  kScoreSimilarOutput = 3,
  kScoreRelatedOutput = 4,
  kScoreUnmatchedUnit = 5,
  kScoreMarkedOutput = 6,
  kScoreSmallOverlap = 7,
  kScoreLargeOverlap = 8,
};
enum MatcherPercentage : int32_t { kRelativeCutOff = 0, kAbsoluteCutOff = 1 };

constexpr uint32_t kSpellingUnitChars = 7;
constexpr uint32_t kMaxReadings = 4;
constexpr uint32_t kPhoneticKeyBytes = 16;

// Up to seven source characters of the word and up to seven output
// characters of the rules that consumed them.
struct SpellingUnit {
  uint8_t source[kSpellingUnitChars];
  uint8_t sourceCount;
  uint8_t output[kSpellingUnitChars];
  uint8_t outputCount;
};
static_assert(sizeof(SpellingUnit) == 16);

// A word's units, reading after reading: reading r is the next counts[r]
// units after those of readings 0 to r - 1.
struct SpellingReadings {
  SegmentedArray units{static_cast<int32_t>(sizeof(SpellingUnit))};
  uint32_t counts[kMaxReadings] = {};
  uint32_t readingCount = 0;

  const SpellingUnit& Unit(uint32_t i) const { return *static_cast<const SpellingUnit*>(units.At(i)); }
  // The index of reading r's first unit.
  uint32_t FirstUnit(uint32_t r) const;
  void Clear();
};

// 0 on success, 1 on failure: a unit of more than seven source or output
// characters, a rule table that does not hold together (a rule that does not
// fit the table, a group that runs out without a match, a rule that consumes
// nothing), an allocation failure. The readings are cleared first.
int32_t FindWords(const ApproximateMatcher& matcher, const uint8_t* word, uint32_t length, SpellingReadings* out,
                  uint32_t readingLimit);

// The score of unit a against unit b (higher is closer); first when both are
// the first units of their readings.
int32_t UnitCost(const ApproximateMatcher& matcher, const SpellingUnit& a, const SpellingUnit& b, bool first);

// The score of reading A (countA units from firstA) against reading B, at
// least 0.
int32_t AlignmentCost(const ApproximateMatcher& matcher, const SpellingReadings& a, uint32_t firstA,
                      uint32_t countA, const SpellingReadings& b, uint32_t firstB, uint32_t countB);

// The best score over every pair of a reading of a and a reading of b.
int32_t BestReadingScore(const ApproximateMatcher& matcher, const SpellingReadings& a, const SpellingReadings& b);

// The phonetic key of a reading into a buffer of kPhoneticKeyBytes; its
// length. *overflow tells that characters past the buffer were dropped.
uint32_t PhoneticKey(const ApproximateMatcher& matcher, const SpellingReadings& readings, uint32_t first,
                     uint32_t count, uint8_t* key, bool* overflow);

// -1, 0, 1 over unsigned bytes, a prefix first; limit (0xFFFFFFFF: none)
// bounds the bytes of b that count.
int32_t CompareByteKeys(const uint8_t* a, uint32_t aLength, const uint8_t* b, uint32_t bLength, uint32_t limit);
// The same through a map: characters below mapLength whose value is 0 are
// skipped in both; at the first difference a mapped character sorts before
// one beyond the map, else the smaller map value first.
int32_t CompareByteKeysMapped(const uint8_t* a, uint32_t aLength, const uint8_t* b, uint32_t bLength,
                              const uint8_t* map, uint32_t mapLength, uint32_t limit);
