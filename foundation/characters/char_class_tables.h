// The data behind the character services of char_class.h: the class table of
// code page 1252, the search-fold tables, the kana vowel tables and the first
// Hangul syllable of each compatibility consonant. Kept apart from the
// functions so the tables read as data and other services (collation keys)
// can index them directly.
#pragma once

#include <cstdint>

// One entry per 1252 byte. flags: bits 0-2 the category (CharCategory), bits
// 3-7 a Unicode general category number; lower, upper and base are 1252 byte
// values, except the micro sign's upper (U+039C) and base (U+03BC).
struct LatinCharEntry {
  uint16_t flags;
  uint16_t lower;
  uint16_t upper;
  uint16_t base;
};
extern const LatinCharEntry LatinCharTable[256];

// Search keys (0 = ignored) of U+0000-U+02FF, U+3000-U+30FF and U+FF00-U+FF9F.
constexpr uint16_t kFoldKanaFirst = 0x3000;
constexpr uint16_t kFoldHalfwidthFirst = 0xFF00;
extern const uint16_t kFoldTableLatin[0x300];
extern const uint16_t kFoldTableKana[0x100];
extern const uint16_t kFoldTableHalfwidth[0xA0];

// The hiragana vowel of each kana as an offset from U+3000 (0x42, 0x44, 0x46,
// 0x48, 0x4A), 0 for none.
constexpr uint16_t kKanaVowelFirst = 0x3041;
constexpr uint16_t kKanaVowelLast = 0x30FA;
constexpr uint16_t kHalfwidthKanaVowelFirst = 0xFF66;
constexpr uint16_t kHalfwidthKanaVowelLast = 0xFF9D;
extern const uint8_t kKanaVowelTable[kKanaVowelLast - kKanaVowelFirst + 1];
extern const uint8_t kHalfwidthKanaVowelTable[kHalfwidthKanaVowelLast - kHalfwidthKanaVowelFirst + 1];

// For U+3131-U+314E: the first syllable that begins with the consonant, or
// the letter itself for the clusters that cannot begin a syllable.
constexpr uint16_t kCompatJamoFirst = 0x3131;
constexpr uint16_t kCompatJamoLast = 0x314E;
extern const uint16_t kCompatJamoSyllable[kCompatJamoLast - kCompatJamoFirst + 1];
