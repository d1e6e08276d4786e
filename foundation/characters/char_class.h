// Character services for line breaking, markup reading, text search and index
// keys: the classes, case and accent mappings of Latin text (through the 1252
// class table), range tests for CJK, Hangul and combining marks, the five
// Latin ligatures, kana vowels and the prolonged sound mark, and the fold that
// turns a character into its search key. Every function takes one UTF-16 unit.
#pragma once

#include <cstddef>

#include "platform/types/device_types.h"

// Categories answered by CharCategory.
constexpr int kCharOther = 0;
constexpr int kCharConsonant = 1;
constexpr int kCharVowel = 2;
constexpr int kCharPunctuation = 3;
constexpr int kCharSpace = 4;

// Latin classes. A character above U+00FF is first approximated in 1252 (the
// bullet 0x95 when it has no form there); the results are 1252 values.
int CharCategory(WCHAR c);
int CharSubcategory(WCHAR c);  // a Unicode general category number
WCHAR CharStripAccent(WCHAR c);
// The table's partner of the character's exact 1252 byte; a character with no
// 1252 byte is returned unchanged.
WCHAR CharToLower(WCHAR c);
WCHAR CharToUpper(WCHAR c);
// True when the (approximated) character is its own upper / lower value, so
// characters without case answer true to both.
bool IsUpperCaseChar(WCHAR c);
bool IsLowerCaseChar(WCHAR c);

// Range tests.
bool IsCjkIdeograph(WCHAR c);
bool IsCjkChar(WCHAR c);
bool IsCombiningMark(WCHAR c);
bool IsFoldableRange(WCHAR c);
bool IsLineBreakOrSpace(WCHAR c);

// Ligatures: OE U+0152, oe U+0153, AE 0xC6, ae 0xE6, sharp s 0xDF. In coded
// form the first letter of the expansion is written as the code 1 (OE), 2
// (oe), 3 (AE), 4 (ae) or 5 (sharp s).
constexpr WCHAR kLigatureCodeFirst = 1;
constexpr WCHAR kLigatureCodeLast = 5;
// Writes the two letters of a ligature (returns 2) or copies any other
// character (returns 1). out has room for two units.
int ExpandLigature(WCHAR c, WCHAR* out, bool coded);
// The reverse, on the pair at src (available units readable there): a pair
// that spells a ligature is written as the ligature (returns 2); a first
// letter of the table (A, O, a, o, s, or a code in coded form) without its
// partner writes nothing (returns 0); any other character is copied (returns
// 1). available 0 writes nothing and returns 0.
int ComposeLigature(const WCHAR* src, size_t available, WCHAR* dst, bool coded);

// Japanese. The prolonged-mark codes keep the vowel and the form of the mark:
// U+3095-U+3098 and U+309F for U+30FC, 16-20 for the halfwidth U+FF70.
constexpr WCHAR kProlongedSoundMark = 0x30FC;
constexpr WCHAR kHalfwidthProlongedSoundMark = 0xFF70;
constexpr WCHAR kHalfwidthProlongedCodeFirst = 16;
constexpr WCHAR kHalfwidthProlongedCodeLast = 20;
// The hiragana vowel (U+3042, U+3044, U+3046, U+3048, U+304A) of a kana of
// U+3041-U+30FA or U+FF66-U+FF9D; 0 when it has none.
WCHAR KanaVowel(WCHAR c);
WCHAR ExpandProlongedSoundMark(WCHAR mark, WCHAR previous, bool coded);
WCHAR RestoreProlongedSoundMark(WCHAR c, bool coded);

// The search key of a character, 0 when it is ignored (and for every
// character outside U+0000-U+02FF, U+3000-U+30FF and U+FF00-U+FF9F).
WCHAR FoldChar(WCHAR c);
// The first Hangul syllable that begins with a compatibility consonant letter
// of U+3131-U+314E (a cluster letter keeps itself); other characters are
// returned unchanged.
WCHAR CompatJamoIndex(WCHAR c);
