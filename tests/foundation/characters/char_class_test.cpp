// Character classes and folding: a table of representative characters through
// every mapping, the invariants the tables must keep, ligatures, kana and
// Hangul.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>

#include "foundation/characters/char_class.h"
#include "foundation/characters/char_class_tables.h"

namespace {

struct CharCase {
  WCHAR c;
  int category;
  int subcategory;
  WCHAR lower;
  WCHAR upper;
  WCHAR base;
  WCHAR fold;
};

std::string Hex(unsigned v) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", v);
  return text;
}

TEST(CharClass, RepresentativeCharacters) {
  const CharCase cases[] = {
      // c       cat sub lower   upper   base    fold
      {u'A', 2, 0, u'a', u'A', u'A', u'a'},
      {u'B', 1, 0, u'b', u'B', u'B', u'b'},
      {u'z', 1, 1, u'z', u'Z', u'z', u'z'},
      {u'0', 0, 6, u'0', u'0', u'0', u'0'},
      {u' ', 4, 9, u' ', u' ', u' ', u' '},
      {u',', 3, 25, u',', u',', u',', 0},
      {u'(', 3, 21, u'(', u'(', u'(', 0},
      {u'_', 3, 19, u'_', u'_', u'_', 0},
      {u'+', 0, 26, u'+', u'+', u'+', 0},
      {u'\t', 0, 12, u'\t', u'\t', u'\t', 0},
      {0xA0, 4, 9, 0xA0, 0xA0, u' ', u' '},
      {0xAA, 0, 1, 0xAA, 0xAA, u'a', u'a'},
      {0xB2, 0, 8, 0xB2, 0xB2, u'2', u'2'},
      {0xB5, 1, 1, 0xB5, 0x39C, 0x3BC, u'm'},
      {0xB8, 0, 28, 0xB8, 0xB8, u' ', 0},
      {0xC0, 2, 0, 0xE0, 0xC0, u'A', u'a'},
      {0xC6, 2, 0, 0xE6, 0xC6, 0xC6, 0},
      {0xC7, 1, 0, 0xE7, 0xC7, u'C', u'c'},
      {0xD0, 1, 0, 0xF0, 0xD0, 0xD0, u'd'},
      {0xD7, 0, 26, 0xD7, 0xD7, 0xD7, 0},
      {0xD8, 2, 0, 0xF8, 0xD8, 0xD8, u'o'},
      {0xDE, 1, 0, 0xFE, 0xDE, 0xDE, u't'},
      {0xDF, 1, 1, 0xDF, 0xDF, 0xDF, 0},
      {0xE9, 2, 1, 0xE9, 0xC9, u'e', u'e'},
      {0xF1, 1, 1, 0xF1, 0xD1, u'n', u'n'},
      {0xFF, 2, 1, 0xFF, 0x9F, u'y', u'y'},
      {0x80, 0, 27, 0x80, 0x80, 0x80, 0},  // the 1252 euro position
      {0x85, 3, 21, 0x85, 0x85, 0x85, 0},
      // U+009A indexes the table directly but has no 1252 byte of its own,
      // so its case is left alone.
      {0x9A, 1, 1, 0x9A, 0x9A, u's', 0},
      // Above U+00FF the character is first mapped to 1252; the case
      // mappings answer the table's 1252 values.
      {0x0160, 1, 0, 0x9A, 0x8A, u'S', u's'},
      {0x0178, 2, 0, 0xFF, 0x9F, u'Y', u'y'},
      {0x20AC, 0, 27, 0x80, 0x80, 0x80, 0},
      {0x0100, 2, 0, u'a', u'A', u'A', u'a'},  // through the approximation
      {0x3042, 3, 25, 0x3042, 0x3042, 0x95, 0x3042},  // no 1252 form: the bullet's class
  };
  for (const CharCase& t : cases) {
    SCOPED_TRACE(Hex(t.c));
    EXPECT_EQ(CharCategory(t.c), t.category);
    EXPECT_EQ(CharSubcategory(t.c), t.subcategory);
    EXPECT_EQ(CharStripAccent(t.c), t.base);
    EXPECT_EQ(CharToLower(t.c), t.lower);
    EXPECT_EQ(CharToUpper(t.c), t.upper);
    EXPECT_EQ(FoldChar(t.c), t.fold);
  }
}

TEST(CharClass, UpperAndLowerCaseTests) {
  EXPECT_TRUE(IsUpperCaseChar(u'A'));
  EXPECT_FALSE(IsLowerCaseChar(u'A'));
  EXPECT_TRUE(IsLowerCaseChar(0xE9));
  EXPECT_FALSE(IsUpperCaseChar(0xE9));
  EXPECT_FALSE(IsUpperCaseChar(0xB5));  // its upper is U+039C
  EXPECT_TRUE(IsUpperCaseChar(0xDF));   // its own upper
  // Characters without case are their own upper and lower.
  EXPECT_TRUE(IsUpperCaseChar(u'1'));
  EXPECT_TRUE(IsLowerCaseChar(u'1'));
  EXPECT_TRUE(IsUpperCaseChar(0x0160));
}

// The case pairs of the table must point at each other, so that a typo in the
// data shows here.
TEST(CharClass, LatinTableCasePairsAreConsistent) {
  int pairs = 0;
  for (unsigned b = 0; b < 256; ++b) {
    SCOPED_TRACE(Hex(b));
    const LatinCharEntry& e = LatinCharTable[b];
    EXPECT_EQ(e.flags >> 8, 0);
    int category = e.flags & 7;
    int sub = e.flags >> 3;
    bool letter = category == kCharConsonant || category == kCharVowel;
    if (letter && sub == 0 && e.lower != b) {
      ASSERT_LT(e.lower, 256);
      EXPECT_EQ(LatinCharTable[e.lower].upper, b);
      EXPECT_EQ(LatinCharTable[e.lower].flags & 7, category);
      EXPECT_EQ(LatinCharTable[e.lower].base, LatinCharTable[e.base].lower);
      ++pairs;
    }
    if (!letter) {
      EXPECT_EQ(e.lower, b);
      EXPECT_EQ(e.upper, b);
    }
  }
  EXPECT_EQ(pairs, 26 + 4 + 30);  // A-Z, S/OE/Z/Y with caron or diaeresis, 0xC0-0xDE but 0xD7
}

TEST(CharClass, RangeTests) {
  struct RangeCase {
    WCHAR c;
    bool ideograph, cjk, combining, foldable, breakOrSpace;
  } cases[] = {
      {u'a', false, false, false, true, false},
      {u' ', false, false, false, true, true},
      {u'\n', false, false, false, true, true},
      {u'\t', false, false, false, true, false},
      {0x0301, false, false, true, false, false},
      {0x1100, false, true, false, false, false},
      {0x2014, false, false, false, true, false},
      {0x20D0, false, false, true, false, false},
      {0x2E80, true, true, false, false, false},
      {0x3000, false, true, false, true, true},
      {0x30AB, false, true, false, true, false},
      {0x31FF, false, true, false, false, false},
      {0x4E00, true, true, false, false, false},
      {0x9FB0, false, false, false, false, false},
      {0xAC00, false, true, false, false, false},
      {0xD7B0, false, false, false, false, false},
      {0xF900, true, true, false, false, false},
      {0xFE20, false, false, true, false, false},
      {0xFF21, false, true, false, true, false},
      {0xFFA0, false, true, false, false, false},
      {0xFFEF, false, false, false, false, false},
  };
  for (const RangeCase& t : cases) {
    SCOPED_TRACE(Hex(t.c));
    EXPECT_EQ(IsCjkIdeograph(t.c), t.ideograph);
    EXPECT_EQ(IsCjkChar(t.c), t.cjk);
    EXPECT_EQ(IsCombiningMark(t.c), t.combining);
    EXPECT_EQ(IsFoldableRange(t.c), t.foldable);
    EXPECT_EQ(IsLineBreakOrSpace(t.c), t.breakOrSpace);
  }
}

TEST(CharClass, LigaturesExpandAndComposeInBothForms) {
  const struct {
    WCHAR ligature;
    WCHAR plain[2];
    WCHAR coded[2];
  } cases[] = {
      {0x0152, {u'O', u'E'}, {1, u'E'}}, {0x0153, {u'o', u'e'}, {2, u'e'}},
      {0x00C6, {u'A', u'E'}, {3, u'E'}}, {0x00E6, {u'a', u'e'}, {4, u'e'}},
      {0x00DF, {u's', u's'}, {5, u's'}},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(Hex(t.ligature));
    for (bool coded : {false, true}) {
      WCHAR two[2] = {};
      ASSERT_EQ(ExpandLigature(t.ligature, two, coded), 2);
      const WCHAR* expected = coded ? t.coded : t.plain;
      EXPECT_EQ(two[0], expected[0]);
      EXPECT_EQ(two[1], expected[1]);
      WCHAR back = 0;
      EXPECT_EQ(ComposeLigature(two, 2, &back, coded), 2);
      EXPECT_EQ(back, t.ligature);
    }
  }
}

TEST(CharClass, LigatureEdgeCases) {
  WCHAR out[2] = {0xFFFF, 0xFFFF};
  EXPECT_EQ(ExpandLigature(u'x', out, true), 1);
  EXPECT_EQ(out[0], u'x');
  EXPECT_EQ(out[1], 0xFFFF);

  WCHAR dst = 0xFFFF;
  const WCHAR notPair[] = {u'a', u's'};
  EXPECT_EQ(ComposeLigature(notPair, 2, &dst, false), 0);  // 'a' wants 'e'
  EXPECT_EQ(dst, 0xFFFF);
  const WCHAR other[] = {u'b', u'e'};
  EXPECT_EQ(ComposeLigature(other, 2, &dst, false), 1);
  EXPECT_EQ(dst, u'b');
  // In coded form the letters are ordinary characters and the codes lead.
  const WCHAR letters[] = {u'a', u'e'};
  EXPECT_EQ(ComposeLigature(letters, 2, &dst, true), 1);
  EXPECT_EQ(dst, u'a');
  // A lead at the end of the text has no partner; nothing is read past it.
  dst = 0xFFFF;
  const WCHAR lone[] = {4};
  EXPECT_EQ(ComposeLigature(lone, 1, &dst, true), 0);
  EXPECT_EQ(dst, 0xFFFF);
  EXPECT_EQ(ComposeLigature(lone, 0, &dst, true), 0);
}

TEST(CharClass, KanaVowels) {
  const struct {
    WCHAR c;
    WCHAR vowel;
  } cases[] = {
      {0x3041, 0x3042}, {0x304B, 0x3042}, {0x304D, 0x3044}, {0x3063, 0x3046}, {0x3092, 0x304A},
      {0x3093, 0},      {0x3094, 0x3046}, {0x3095, 0},      {0x309F, 0},      {0x30A0, 0},
      {0x30AB, 0x3042}, {0x30F3, 0},      {0x30F6, 0x3048}, {0x30FA, 0x304A}, {0x30FB, 0},
      {0x30FC, 0},      {0xFF66, 0x304A}, {0xFF6F, 0x3046}, {0xFF70, 0},      {0xFF76, 0x3042},
      {0xFF9C, 0x3042}, {0xFF9D, 0},      {0x3040, 0},      {u'a', 0},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(Hex(t.c));
    EXPECT_EQ(KanaVowel(t.c), t.vowel);
  }
  // A kana and the hiragana it folds to share their vowel.
  for (auto [first, last] : {std::pair<unsigned, unsigned>{0x3041, 0x30FA}, {0xFF66, 0xFF9D}}) {
    for (unsigned c = first; c <= last; ++c) {
      WCHAR folded = FoldChar(static_cast<WCHAR>(c));
      bool prolongedCode = c >= 0x3095 && c <= 0x30A0;  // folds to a vowel, has none
      if (!prolongedCode && folded >= 0x3041 && folded <= 0x3094) {
        SCOPED_TRACE(Hex(c));
        EXPECT_EQ(KanaVowel(static_cast<WCHAR>(c)), KanaVowel(folded));
      }
    }
  }
}

TEST(CharClass, ProlongedSoundMark) {
  const WCHAR ka = 0x30AB;
  EXPECT_EQ(ExpandProlongedSoundMark(0x30FC, ka, false), 0x3042);
  EXPECT_EQ(ExpandProlongedSoundMark(0x30FC, ka, true), 0x3095);
  EXPECT_EQ(ExpandProlongedSoundMark(0x30FC, 0x30B3, true), 0x309F);  // ko: o
  EXPECT_EQ(ExpandProlongedSoundMark(0xFF70, 0xFF76, true), 16);
  EXPECT_EQ(ExpandProlongedSoundMark(0xFF70, 0xFF7A, true), 20);
  EXPECT_EQ(ExpandProlongedSoundMark(0xFF70, 0xFF7A, false), 0x304A);
  EXPECT_EQ(ExpandProlongedSoundMark(0x30FC, 0x30F3, true), 0x30FC);  // n has no vowel
  EXPECT_EQ(ExpandProlongedSoundMark(0x30FC, u'a', false), 0x30FC);
  EXPECT_EQ(ExpandProlongedSoundMark(u'-', ka, true), u'-');

  EXPECT_EQ(RestoreProlongedSoundMark(0x3095, true), 0x30FC);
  EXPECT_EQ(RestoreProlongedSoundMark(0x309F, true), 0x30FC);
  EXPECT_EQ(RestoreProlongedSoundMark(18, true), 0xFF70);
  EXPECT_EQ(RestoreProlongedSoundMark(0x3095, false), 0x3095);
  EXPECT_EQ(RestoreProlongedSoundMark(0x3099, true), 0x3099);
  EXPECT_EQ(RestoreProlongedSoundMark(21, true), 21);
}

TEST(CharClass, FoldChar) {
  const struct {
    WCHAR c;
    WCHAR fold;
  } cases[] = {
      {0x30AB, 0x304B}, {0xFF76, 0x304B}, {0xFF21, u'a'},   {0xFF41, u'a'},   {0xFF10, u'0'},
      {u',', 0},        {u'Z', u'z'},     {0x01C4, 0},      {0x0132, 0},      {0x0152, 0},
      {0x0141, u'l'},   {0x0131, u'i'},   {0x017F, u's'},   {0x01FE, u'o'},   {0x0259, 0x0259}, {0x018F, 0x0259},
      {0x02B0, 0},      {0x02C6, 0},      {1, u'o'},        {3, u'a'},        {5, u's'},
      {16, 0x3042},     {20, 0x304A},     {6, 0},           {0x3000, u' '},   {0x3001, 0},
      {0x3041, 0x3041}, {0x3094, 0x3046}, {0x3095, 0x3042}, {0x309F, 0x304A}, {0x3099, 0},
      {0x30A1, 0x3041}, {0x30F3, 0x3093}, {0x30F4, 0x3046}, {0x30F5, 0x304B}, {0x30F6, 0x3051},
      {0x30F7, 0x308F}, {0x30FA, 0x3092}, {0x30FC, 0},      {0xFF66, 0x3092}, {0xFF67, 0x3041},
      {0xFF70, 0},      {0xFF9D, 0x3093}, {0xFF9E, 0},      {0xFF01, 0},      {0x0300, 0},
      {0x4E00, 0},      {0x2014, 0},      {0xFFA0, 0},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(Hex(t.c));
    EXPECT_EQ(FoldChar(t.c), t.fold);
  }
}

// Folding a search key again changes nothing: keys compare equal whichever
// side was folded first.
TEST(CharClass, FoldIsIdempotent) {
  for (unsigned c = 0; c <= 0xFFFF; ++c) {
    WCHAR once = FoldChar(static_cast<WCHAR>(c));
    if (once == 0) continue;
    ASSERT_EQ(FoldChar(once), once) << Hex(c);
  }
}

TEST(CharClass, CompatJamo) {
  EXPECT_EQ(CompatJamoIndex(0x3131), 0xAC00);
  EXPECT_EQ(CompatJamoIndex(0x3132), 0xAE4C);
  EXPECT_EQ(CompatJamoIndex(0x3134), 0xB098);
  EXPECT_EQ(CompatJamoIndex(0x3147), 0xC544);
  EXPECT_EQ(CompatJamoIndex(0x314E), 0xD558);
  for (WCHAR cluster : {0x3133, 0x3135, 0x3136, 0x313A, 0x3140, 0x3144})
    EXPECT_EQ(CompatJamoIndex(cluster), cluster) << Hex(cluster);
  // Every consonant leads a syllable 588 apart from the previous consonant's.
  WCHAR previous = 0;
  for (WCHAR c = 0x3131; c <= 0x314E; ++c) {
    WCHAR s = CompatJamoIndex(c);
    if (s == c) continue;
    if (previous != 0) {
      EXPECT_EQ(s - previous, 588) << Hex(c);
    }
    previous = s;
  }
}

}  // namespace
