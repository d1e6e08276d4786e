// The character services declared in char_class.h, over the tables of
// char_class_tables.h and the 1252 mapping of code_page.h.
#include "foundation/characters/char_class.h"

#include "foundation/characters/char_class_tables.h"
#include "foundation/code_pages/code_page.h"

namespace {

constexpr uint8_t kApproxFallback = 0x95;  // the bullet

// The class-table entry of a character: its own byte up to U+00FF, else its
// 1252 approximation.
const LatinCharEntry& EntryOf(WCHAR c) {
  if (c <= 0xFF) return LatinCharTable[c];
  return LatinCharTable[CharToCp1252Approx(c, kApproxFallback) & 0xFF];
}

bool InRange(WCHAR c, unsigned first, unsigned last) { return c >= first && c <= last; }

// The five ligatures with the two letters they spell and their code.
struct Ligature {
  WCHAR ligature;
  WCHAR first;
  WCHAR second;
  WCHAR code;
};
constexpr Ligature kLigatures[] = {
    {0x0152, u'O', u'E', 1}, {0x0153, u'o', u'e', 2}, {0x00C6, u'A', u'E', 3},
    {0x00E6, u'a', u'e', 4}, {0x00DF, u's', u's', 5},
};

const Ligature* LigatureStartingWith(WCHAR c, bool coded) {
  for (const Ligature& l : kLigatures)
    if ((coded ? l.code : l.first) == c) return &l;
  return nullptr;
}

// The five vowels in order a, i, u, e, o and the codes that stand for a
// prolonged mark of each form after that vowel.
constexpr WCHAR kVowels[5] = {0x3042, 0x3044, 0x3046, 0x3048, 0x304A};
constexpr WCHAR kFullwidthProlongedCodes[5] = {0x3095, 0x3096, 0x3097, 0x3098, 0x309F};

}  // namespace

int CharCategory(WCHAR c) { return EntryOf(c).flags & 7; }

int CharSubcategory(WCHAR c) { return (EntryOf(c).flags >> 3) & 0x1F; }

WCHAR CharStripAccent(WCHAR c) { return EntryOf(c).base; }

WCHAR CharToLower(WCHAR c) {
  WCHAR unit = c;
  if (!NarrowToCp1252InPlace(&unit)) return c;
  return LatinCharTable[unit & 0xFF].lower;
}

WCHAR CharToUpper(WCHAR c) {
  WCHAR unit = c;
  if (!NarrowToCp1252InPlace(&unit)) return c;
  return LatinCharTable[unit & 0xFF].upper;
}

bool IsUpperCaseChar(WCHAR c) {
  WCHAR mapped = c <= 0xFF ? c : CharToCp1252Approx(c, kApproxFallback);
  return LatinCharTable[mapped & 0xFF].upper == mapped;
}

bool IsLowerCaseChar(WCHAR c) {
  WCHAR mapped = c <= 0xFF ? c : CharToCp1252Approx(c, kApproxFallback);
  return LatinCharTable[mapped & 0xFF].lower == mapped;
}

bool IsCjkIdeograph(WCHAR c) {
  return InRange(c, 0x2E80, 0x2FDF) || InRange(c, 0x3400, 0x9FAF) || InRange(c, 0xF900, 0xFAFF);
}

bool IsCjkChar(WCHAR c) {
  return IsCjkIdeograph(c) || InRange(c, 0x1100, 0x11FF) || InRange(c, 0x3000, 0x32FF) ||
         InRange(c, 0xAC00, 0xD7AF) || InRange(c, 0xFF00, 0xFFEE);
}

bool IsCombiningMark(WCHAR c) {
  return InRange(c, 0x0300, 0x036F) || InRange(c, 0x20D0, 0x20FF) || InRange(c, 0xFE20, 0xFE2F);
}

bool IsFoldableRange(WCHAR c) {
  return c < 0x0300 || InRange(c, 0x2000, 0x206F) || InRange(c, 0x2190, 0x23FF) ||
         InRange(c, 0x2500, 0x27FF) || InRange(c, 0x2900, 0x2BFF) || InRange(c, 0x3000, 0x31FE) ||
         InRange(c, 0xFF00, 0xFF9F);
}

bool IsLineBreakOrSpace(WCHAR c) { return c == u'\n' || c == u'\r' || c == u' ' || c == 0x3000; }

int ExpandLigature(WCHAR c, WCHAR* out, bool coded) {
  for (const Ligature& l : kLigatures) {
    if (l.ligature == c) {
      out[0] = coded ? l.code : l.first;
      out[1] = l.second;
      return 2;
    }
  }
  out[0] = c;
  return 1;
}

int ComposeLigature(const WCHAR* src, size_t available, WCHAR* dst, bool coded) {
  if (available == 0) return 0;
  const Ligature* l = LigatureStartingWith(src[0], coded);
  if (l == nullptr) {
    dst[0] = src[0];
    return 1;
  }
  if (available < 2 || src[1] != l->second) return 0;
  dst[0] = l->ligature;
  return 2;
}

WCHAR KanaVowel(WCHAR c) {
  uint8_t offset = 0;
  if (InRange(c, kKanaVowelFirst, kKanaVowelLast))
    offset = kKanaVowelTable[c - kKanaVowelFirst];
  else if (InRange(c, kHalfwidthKanaVowelFirst, kHalfwidthKanaVowelLast))
    offset = kHalfwidthKanaVowelTable[c - kHalfwidthKanaVowelFirst];
  return offset == 0 ? 0 : static_cast<WCHAR>(0x3000 + offset);
}

WCHAR ExpandProlongedSoundMark(WCHAR mark, WCHAR previous, bool coded) {
  if (mark != kProlongedSoundMark && mark != kHalfwidthProlongedSoundMark) return mark;
  WCHAR vowel = KanaVowel(previous);
  if (vowel == 0) return mark;
  if (!coded) return vowel;
  for (int i = 0; i < 5; ++i) {
    if (kVowels[i] != vowel) continue;
    return mark == kProlongedSoundMark ? kFullwidthProlongedCodes[i]
                                       : static_cast<WCHAR>(kHalfwidthProlongedCodeFirst + i);
  }
  return mark;
}

WCHAR RestoreProlongedSoundMark(WCHAR c, bool coded) {
  if (!coded) return c;
  if (InRange(c, kHalfwidthProlongedCodeFirst, kHalfwidthProlongedCodeLast))
    return kHalfwidthProlongedSoundMark;
  for (WCHAR code : kFullwidthProlongedCodes)
    if (c == code) return kProlongedSoundMark;
  return c;
}

WCHAR FoldChar(WCHAR c) {
  if (c < 0x300) return kFoldTableLatin[c];
  if (InRange(c, kFoldKanaFirst, kFoldKanaFirst + 0xFF)) return kFoldTableKana[c - kFoldKanaFirst];
  if (InRange(c, kFoldHalfwidthFirst, kFoldHalfwidthFirst + 0x9F))
    return kFoldTableHalfwidth[c - kFoldHalfwidthFirst];
  return 0;
}

WCHAR CompatJamoIndex(WCHAR c) {
  if (!InRange(c, kCompatJamoFirst, kCompatJamoLast)) return c;
  return kCompatJamoSyllable[c - kCompatJamoFirst];
}
