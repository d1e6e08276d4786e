// EncodedString comparison, search, replacement, splitting, hashing and the
// token scanners.
#include <gtest/gtest.h>

#include <string>

#include "foundation/encoded_string/encoded_string.h"
#include "foundation/encoded_string/encoded_string_array.h"
#include "platform/testing/allocation.h"
#include "tests/foundation/encoded_string/encoded_string_test_util.h"

using estest::Ascii;
using estest::Bytes;
using estest::Deserialized;
using estest::Narrow;
using estest::SelectedAscii;
using estest::SelectedBytes;
using estest::Units;
using estest::Wide;

TEST(EncodedStringCompare, Table) {
  struct Case {
    const char* a;
    const char* b;
    bool prefix;
    bool caseSensitive;
    int32_t result;
  } cases[] = {
      {"abc", "ABD", false, false, -1}, {"abc", "AB", true, false, 0},   {"ab", "abc", true, false, 1},
      {"abc", "abc", false, true, 0},   {"abc", "ABC", false, true, 1},  {"ab", "abc", false, false, -1},
      {"abc", "ab", false, false, 1},   {"", "", false, false, 0},       {"", "a", false, false, -1},
      {"a", "", false, false, 1},       {"a", "", true, false, 0},       {"[", "a", false, false, -1},
      {"\xC4", "\xE4", false, false, -1},
  };
  for (const Case& c : cases) {
    EncodedString a = Narrow(c.a), b = Narrow(c.b);
    EXPECT_EQ(a.Compare(b, c.prefix, c.caseSensitive), c.result) << c.a << " vs " << c.b;
  }
  EncodedString self = Narrow("x");
  EXPECT_EQ(self.Compare(self, false, true), 0);
}

TEST(EncodedStringCompare, AcrossWidthsAndSelections) {
  EncodedString narrow = Narrow("xxHelloxx");
  narrow.Select(2, 7);
  EXPECT_TRUE(narrow.Equals(Wide(u"hello")));
  EXPECT_TRUE(narrow.EqualsWide(u"HELLO"));
  EXPECT_TRUE(narrow.EqualsText("Hello"));
  EXPECT_TRUE(narrow.StartsWithText(u"hel"));
  EXPECT_FALSE(narrow.StartsWithText("help"));
  EXPECT_EQ(narrow.CompareText("hellO", 5, 1252, false, true), -1);
  EXPECT_EQ(narrow.CompareText(u"Hello", -1, -1, false, true), 0);
  EncodedString utf8 = Narrow("\xC3\xA9t\xC3\xA9", 65001);
  EXPECT_TRUE(utf8.EqualsWide(u"\u00E9t\u00E9"));
  EXPECT_EQ(EncodedString::CompareBytes(reinterpret_cast<const uint8_t*>("ab\x90"),
                                        reinterpret_cast<const uint8_t*>("ab\x10"), 3),
            0x80);
}

TEST(EncodedStringFind, FoundAndAbsent) {
  EncodedString text = Narrow("one two three");
  EXPECT_TRUE(text.Find(Narrow("TWO"), false));
  EXPECT_EQ(SelectedBytes(text), "two");
  EXPECT_EQ(text.GetCondition(), 0);
  EXPECT_EQ(text.cursor, -1);

  text.cursor = 5;
  EXPECT_FALSE(text.Find(Narrow("two"), true));
  EXPECT_EQ(text.selStart, 5u);
  EXPECT_TRUE(text.IsSelectionEmpty());
  EXPECT_EQ(text.GetCondition(), kConditionEndOfText);

  // A match at the very end does not report the end of the text.
  EncodedString tail = Narrow("abcab");
  EXPECT_TRUE(tail.Find(Narrow("cab"), true));
  EXPECT_EQ(tail.GetCondition(), 0);
  EXPECT_EQ(tail.selEnd, 5u);

  // Restart after a partial match.
  EncodedString partial = Narrow("aab");
  EXPECT_TRUE(partial.Find(Narrow("ab"), true));
  EXPECT_EQ(partial.selStart, 1u);

  // A pattern longer than what is left.
  EncodedString shortText = Narrow("ab");
  EXPECT_FALSE(shortText.Find(Narrow("abc"), true));
  EXPECT_EQ(shortText.selStart, 0u);

  // Either side carrying an error: no change.
  EncodedString failed = Narrow("abc");
  failed.Select(1, 2);
  failed.SetError(kErrorNoMemory);
  EXPECT_FALSE(failed.Find(Narrow("a"), true));
  EXPECT_EQ(failed.selStart, 1u);

  EncodedString wide = Wide(u"caf\u00E9 au lait");
  EXPECT_TRUE(wide.Find(Narrow("AU"), false));
  EXPECT_EQ(SelectedAscii(wide), "au");
}

TEST(EncodedStringFind, CountOccurrences) {
  struct Case {
    const char* text;
    uint32_t selStart, selEnd;
    const char* pattern;
    uint32_t count;
  } cases[] = {{"aaaa", 0, 4, "aa", 2}, {"abcabc", 0, 6, "abc", 2}, {"abcabc", 0, 5, "abc", 1},
               {"abcabc", 1, 6, "abc", 1}, {"xyz", 0, 3, "q", 0},   {"ABab", 0, 4, "ab", 1}};
  for (const Case& c : cases) {
    EncodedString text = Narrow(c.text);
    text.selStart = c.selStart;
    text.selEnd = c.selEnd;
    EXPECT_EQ(EncodedString::CountOccurrences(text, Narrow(c.pattern), true), c.count) << c.text;
  }
}

// One odd byte of UTF-16 holds no character: as a pattern it matches
// nothing, instead of an empty occurrence that a count or a split steps on
// for ever.
TEST(EncodedStringFind, PatternWithoutAWholeCharacterMatchesNothing) {
  EncodedString pattern = Deserialized(EncodedString::kUnitUtf16, 65002, {0});
  ASSERT_EQ(pattern.ByteLength(), 1u);
  EncodedString text = Wide(std::u16string(u"a\0b\0", 4));

  EncodedString searched = text;
  searched.ResetScan();
  EXPECT_FALSE(searched.Find(pattern, true));
  EXPECT_EQ(EncodedString::CountOccurrences(text, pattern, true), 0u);

  EncodedStringArray pieces;
  SplitEncodedString(text, pattern, &pieces);
  EXPECT_EQ(pieces.Count(), 1u);

  EncodedString replaced = text;
  EXPECT_EQ(replaced.ReplaceAll(pattern, Wide(u"x"), -1), 0);
}

TEST(EncodedStringReplace, Table) {
  struct Case {
    const char* text;
    const char* pattern;
    const char* replacement;
    int32_t max;
    const char* result;
    int32_t count;
  } cases[] = {
      {"aXa", "a", "bb", -1, "bbXbb", 2}, {"aXa", "a", "bb", 1, "bbXa", 1}, {"AxA", "a", "", -1, "x", 2},
      {"aaa", "aa", "b", -1, "ba", 1},    {"abc", "z", "y", -1, "abc", 0},  {"abc", "a", "x", 0, "abc", 0},
  };
  for (const Case& c : cases) {
    EncodedString text = Narrow(c.text);
    EXPECT_EQ(text.ReplaceAll(Narrow(c.pattern), Narrow(c.replacement), c.max), c.count) << c.text;
    EXPECT_EQ(Bytes(text), c.result) << c.text;
  }
}

TEST(EncodedStringReplace, OnlyInsideTheSelection) {
  EncodedString text = Narrow("a-a-a-a");
  text.Select(2, 5);
  text.cursor = 6;
  EXPECT_EQ(text.ReplaceAll(Narrow("a"), Narrow("XYZ"), -1), 2);
  EXPECT_EQ(Bytes(text), "a-XYZ-XYZ-a");
  EXPECT_EQ(SelectedBytes(text), "XYZ-XYZ");
  EXPECT_EQ(text.cursor, 10);

  EncodedString empty = Narrow("aaa");
  empty.Select(1, 1);
  EXPECT_EQ(empty.ReplaceAll(Narrow("a"), Narrow("b"), -1), 0);

  EncodedString wide = Wide(u"x\u00E9x");
  EXPECT_EQ(wide.ReplaceAll(Narrow("X"), Narrow("yy"), -1), 2);
  EXPECT_EQ(Units(wide), u"yy\u00E9yy");
}

TEST(EncodedStringReplace, FailedAllocationKeepsTheText) {
  // The new text is built in a fresh buffer and its growths may fail at any
  // point: the old text stays until the new one is whole.
  EncodedString pattern = Narrow("a"), replacement = Narrow("bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb");
  for (long n = 1; n <= 4; ++n) {
    EncodedString text = Narrow("aXa");
    text.cursor = 2;
    int32_t count;
    {
      devtest::AllocationFailure fail(n);
      count = text.ReplaceAll(pattern, replacement, -1);
    }
    if (count == 0) {
      EXPECT_EQ(text.GetError(), kErrorNoMemory) << n;
      EXPECT_EQ(Bytes(text), "aXa") << n;
      EXPECT_EQ(text.cursor, 2) << n;
    } else {
      EXPECT_EQ(count, 2);
      EXPECT_EQ(text.ByteLength(), 71u);
    }
  }
}

TEST(EncodedStringSplit, PiecesIncludeEmptyOnes) {
  struct Case {
    const char* text;
    std::vector<std::string> pieces;
  } cases[] = {
      {"a,,b", {"a", "", "b"}}, {"abc", {"abc"}}, {",", {"", ""}}, {"", {""}}, {"x,y,z,", {"x", "y", "z", ""}},
  };
  for (const Case& c : cases) {
    EncodedStringArray array;
    SplitEncodedString(Narrow(c.text), Narrow(","), &array);
    ASSERT_EQ(array.Count(), c.pieces.size()) << c.text;
    for (uint32_t i = 0; i < array.Count(); ++i) EXPECT_EQ(Bytes(array.At(i)), c.pieces[i]) << c.text;
  }
}

TEST(EncodedStringHash, FirstCharacterDoesNotEnter) {
  EXPECT_EQ(Narrow("Xab").HashCode(), Narrow("Yab").HashCode());
  EXPECT_NE(Narrow("aXb").HashCode(), Narrow("aYb").HashCode());
  // 'b' at position 1 (odd) enters as is, 'c' at position 2 (even) shifted.
  EXPECT_EQ(Narrow("abc").HashCode(), static_cast<uint32_t>('b' ^ ('c' << 1)));
  // UTF-16 positions are all even.
  EXPECT_EQ(Wide(u"ab").HashCode(), static_cast<uint32_t>('b' << 1));
  EXPECT_EQ(EncodedString().HashCode(), 0u);
}

TEST(EncodedStringTokens, Scanners) {
  EncodedString s = Narrow("  _id-2 rest");
  EXPECT_EQ(s.SelectName(true), 0);
  EXPECT_EQ(SelectedBytes(s), "_id");
  EXPECT_EQ(s.cursor, -1);
  s.SelectName(false);
  EXPECT_EQ(SelectedBytes(s), "_id-2");
  s.CursorToSelectionEnd();
  EXPECT_EQ(s.SelectToken(), 0);  // a token at the end: status cleared
  EXPECT_EQ(SelectedBytes(s), "rest");
  s.CursorToSelectionEnd();
  EXPECT_EQ(s.SelectToken(), kConditionEndOfText);
  EXPECT_TRUE(s.IsSelectionEmpty());

  EncodedString digits = Narrow("\t 0123x");
  digits.SelectDigits();
  EXPECT_EQ(SelectedBytes(digits), "0123");
  EncodedString bad = Narrow(" 9name");
  bad.SelectName(true);
  EXPECT_TRUE(bad.IsSelectionEmpty());
  EXPECT_EQ(bad.selStart, 1u);

  uint32_t lines = 0;
  EncodedString lined = Narrow("\n\n word");
  lined.SkipBlanks(&lines);
  EXPECT_EQ(lines, 2u);
  EXPECT_EQ(lined.cursor, 3);
  EXPECT_EQ(lined.CurrentChar(), 'w');
}

TEST(EncodedStringTokens, BalancedQuotedAndAttributeValues) {
  EncodedString amp = Narrow("amp;");
  EXPECT_FALSE(amp.SelectBalancedPlain('&', ';', true));
  EXPECT_EQ(SelectedBytes(amp), "amp");
  EncodedString stop = Narrow("amp&lt;");
  EXPECT_TRUE(stop.SelectBalancedPlain('&', ';', true));
  EXPECT_EQ(stop.selStart, 3u);
  EXPECT_TRUE(stop.IsSelectionEmpty());
  EncodedString nested = Narrow("a(b)c)d");
  EXPECT_FALSE(nested.SelectBalancedPlain('(', ')', false));
  EXPECT_EQ(SelectedBytes(nested), "a(b)c");
  EncodedString open = Narrow("abc");
  EXPECT_TRUE(open.SelectBalancedPlain('(', ')', false));
  EXPECT_EQ(open.selStart, 3u);

  EncodedString quoted = Narrow(" 'it\\'s' tail");
  quoted.SelectQuoted();
  EXPECT_EQ(SelectedBytes(quoted), "it\\'s");
  EncodedString unterminated = Narrow("\"abc");
  EXPECT_EQ(unterminated.SelectQuoted(), kConditionEndOfText);
  EXPECT_EQ(unterminated.selStart, 4u);
  EXPECT_TRUE(unterminated.IsSelectionEmpty());
  EncodedString plain = Narrow("abc");
  plain.Select(1, 2);
  plain.SelectQuoted();
  EXPECT_EQ(SelectedBytes(plain), "b");

  struct Case {
    const char* text;
    const char* value;
  } cases[] = {{"\"a b\" x", "a b"}, {"'x>y'", "x"}, {"bare x", "bare"}, {"bare>", "bare"}, {"\"open", ""}};
  for (const Case& c : cases) {
    EncodedString v = Narrow(c.text);
    v.SelectAttributeValue();
    EXPECT_EQ(SelectedBytes(v), c.value) << c.text;
  }
}

TEST(EncodedStringTokens, WideAndMultibyteTexts) {
  EncodedString w = Wide(u"  n\u00E4me rest");
  w.SelectToken();
  EXPECT_EQ(estest::SelectedUnits(w), u"n\u00E4me");
  EncodedString u = Narrow(" \xC3\xA9t\xC3\xA9 x", 65001);
  u.SelectToken();
  EXPECT_EQ(SelectedBytes(u), "\xC3\xA9t\xC3\xA9");
}
