// The script name table: atom texts from the pool, the empty atoms, the
// look-up of text through the script identifier trie (whole 16-bit units,
// both spellings of kAtom_remove and kAtom_clear), and its agreement with the trie's own
// name list.
#include <gtest/gtest.h>

#include <string>

#include "foundation/wide_string/shared_wide_string.h"
#include "layout/markup/keyword_name_lists.h"
#include "script/values/atoms.h"
#include "script/values/name_table.h"

namespace {

std::u16string Text(const SharedWideString& s) {
  return s.length == 0 ? std::u16string() : std::u16string(s.Chars(), s.length);
}

std::u16string AtomText(int32_t n) {
  SharedWideString s;
  GetAtomText(n, &s);
  EXPECT_EQ(s.length, GetAtomLength(n));
  return Text(s);
}

bool Lookup(const std::u16string& text, int32_t* atom) {
  return LookupScriptName(text.data(), static_cast<uint32_t>(text.size()), atom);
}

TEST(ScriptNameTable, AtomTexts) {
  EXPECT_EQ(GetAtomLength(21), 13u);
  EXPECT_EQ(AtomText(21), u"__litteralstr");
  EXPECT_EQ(AtomText(1), u"break");
  EXPECT_EQ(AtomText(kAtom_this), u"this");
  EXPECT_EQ(AtomText(kAtom_eval), u"eval");
  EXPECT_EQ(AtomText(kAtom_length), u"length");
  EXPECT_EQ(AtomText(74), u"Removeremove");
  EXPECT_EQ(AtomText(113), u"clearClear");
  EXPECT_EQ(AtomText(136), u"gramgrp");
  EXPECT_EQ(AtomText(316), u"LCID");
  for (int32_t n : {0, 22, 42, 45, 75, 80, 138, 197, 204, 223, 224, 240, 244, 268, 287, 288, 294,
                    295, 317, 318, 319, 320, 321, 1000, -1, INT32_MAX, INT32_MIN}) {
    EXPECT_EQ(GetAtomLength(n), 0u) << n;
    EXPECT_EQ(AtomText(n), u"") << n;
  }
  uint32_t total = 0;
  for (int32_t n = 0; n < kScriptAtomLimit; ++n) total += GetAtomLength(n);
  EXPECT_EQ(total, kScriptAtomPoolLength);
}

TEST(ScriptNameTable, LiteralPieces) {
  SharedWideString s;
  const std::pair<ScriptTextPiece, std::u16string> pieces[] = {
      {kLiteralTrue, u"true"}, {kLiteralFalse, u"false"}, {kLiteralUndefined, u"undefined"},
      {kLiteralNull, u"null"}, {kLiteralZero, u"0"},      {kLiteralNaN, u"NaN"},
      {kLiteralInfinity, u"Infinity"}};
  for (const auto& [piece, text] : pieces) {
    GetLiteralText(piece, &s);
    EXPECT_EQ(Text(s), text);
  }
}

// Views of the pool are shared and read-only: writing to one copies it.
TEST(ScriptNameTable, ViewsCopyBeforeWriting) {
  SharedWideString a;
  GetAtomText(kAtom_window, &a);
  SharedWideString b(a);
  ASSERT_TRUE(b.AppendChars(u"!", 1));
  EXPECT_EQ(Text(a), u"window");
  EXPECT_EQ(Text(b), u"window!");
  GetAtomText(kAtom_window, &a);  // re-viewing the same text over itself
  GetAtomText(kAtom_history, &a);
  EXPECT_EQ(Text(a), u"history");
  SharedWideString again;
  GetAtomText(kAtom_window, &again);
  EXPECT_EQ(Text(again), u"window");
}

TEST(ScriptNameTable, LookupOfEveryAtomText) {
  for (int32_t n = 1; n < kScriptAtomLimit; ++n) {
    std::u16string text = AtomText(n);
    if (text.empty() || n == 74 || n == 113) continue;
    int32_t atom = -1;
    ASSERT_TRUE(Lookup(text, &atom)) << n;
    EXPECT_EQ(atom, n);
  }
}

TEST(ScriptNameTable, BothSpellingsOfRemoveAndClear) {
  int32_t atom = -1;
  for (const char16_t* text : {u"Remove", u"remove"}) {
    ASSERT_TRUE(Lookup(text, &atom));
    EXPECT_EQ(atom, kAtom_remove);
  }
  for (const char16_t* text : {u"Clear", u"clear"}) {
    ASSERT_TRUE(Lookup(text, &atom));
    EXPECT_EQ(atom, kAtom_clear);
  }
  atom = -1;
  EXPECT_FALSE(Lookup(u"Removeremove", &atom));
  EXPECT_FALSE(Lookup(u"clearClear", &atom));
  EXPECT_EQ(atom, -1);
}

TEST(ScriptNameTable, LookupMisses) {
  int32_t atom = -1;
  const std::u16string misses[] = {
      u"",         u"Break",   u"BREAK", u"brea", u"breaks", u"x",
      u"\u0175rl",  // the low byte of U+0175 is 'u': whole units never alias "url"
      u"ur\u016C",  // low byte 'l'
      u"\u0162his", std::u16string(u"this\0", 5), u"getTimeZoneOffsets"};
  for (const std::u16string& text : misses) {
    EXPECT_FALSE(Lookup(text, &atom)) << std::string(text.begin(), text.end());
  }
  EXPECT_EQ(atom, -1);
  EXPECT_FALSE(LookupScriptName(nullptr, 0, &atom));
  ASSERT_TRUE(Lookup(u"url", &atom));
  EXPECT_EQ(atom, kAtom_url);
}

// The trie's name list and the pool must tell the same story.
TEST(ScriptNameTable, AgreesWithTheTrieNameList) {
  uint32_t seen[kScriptAtomLimit] = {};
  for (uint32_t i = 0; i < kScriptNameListLength; ++i) {
    const KeywordName& entry = kScriptNameList[i];
    std::u16string text(entry.text, entry.text + std::char_traits<char>::length(entry.text));
    ASSERT_LT(entry.id, kScriptAtomLimit);
    ++seen[entry.id];
    if (entry.id != 74 && entry.id != 113) {
      EXPECT_EQ(AtomText(entry.id), text);
    }
  }
  for (int32_t n = 1; n < kScriptAtomLimit; ++n) {
    uint32_t expected = GetAtomLength(n) == 0 ? 0 : (n == 74 || n == 113 ? 2 : 1);
    EXPECT_EQ(seen[n], expected) << n;
  }
}

}  // namespace
