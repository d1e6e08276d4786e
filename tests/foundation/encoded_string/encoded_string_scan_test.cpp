// EncodedString selection, scanning, serialisation, file bytes and paths.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/encoded_string/encoded_string.h"
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

namespace {

std::vector<uint32_t> ScanAll(EncodedString& s) {
  std::vector<uint32_t> out;
  s.ResetScan();
  for (;;) {
    uint32_t c = s.NextChar();
    if (s.GetCondition() == kConditionEndOfText) break;
    out.push_back(c);
  }
  return out;
}

}  // namespace

TEST(EncodedStringScan, NextCharPerUnitKind) {
  EncodedString narrow = Narrow("a\xE9");
  EXPECT_EQ(ScanAll(narrow), (std::vector<uint32_t>{'a', 0xE9}));
  EncodedString wide = Wide(u"x\u20AC");
  EXPECT_EQ(ScanAll(wide), (std::vector<uint32_t>{'x', 0x20AC}));
  EncodedString sjis = Narrow("A\x82\xA0" "B", 932);
  EXPECT_EQ(ScanAll(sjis), (std::vector<uint32_t>{'A', 0x82A0, 'B'}));
  EncodedString utf8 = Narrow("a\xE2\x82\xAC\xF0\x9F\x98\x80", 65001);
  EXPECT_EQ(ScanAll(utf8), (std::vector<uint32_t>{'a', 0x20AC, 0x1F600}));
  EncodedString eucjp = Narrow("\x8F\xA1\xA1z", 51932);  // a three-byte character
  EXPECT_EQ(ScanAll(eucjp), (std::vector<uint32_t>{0x8F, 'z'}));
}

TEST(EncodedStringScan, EndOfTextIsStable) {
  EncodedString s = Narrow("ab");
  s.NextChar();
  s.NextChar();
  EXPECT_EQ(s.NextChar(), 0u);
  EXPECT_EQ(s.GetCondition(), kConditionEndOfText);
  EXPECT_EQ(s.cursor, 2);
  EXPECT_EQ(s.NextChar(), 0u);
  EXPECT_EQ(s.cursor, 2);

  EncodedString empty;
  empty.SetCodePage(1252);
  EXPECT_EQ(empty.NextChar(), 0u);
  EXPECT_EQ(empty.GetCondition(), kConditionEndOfText);
  EXPECT_EQ(empty.cursor, 0);

  // A UTF-8 character cut by the end of the text, and a lone odd byte of
  // UTF-16 text, read nothing past the text.
  EncodedString cut = Narrow("a\xE2\x82", 65001);
  std::vector<uint32_t> chars = ScanAll(cut);
  EXPECT_EQ(chars.size(), 2u);
  EXPECT_EQ(chars[1], 0u);
  EncodedString odd;
  odd.AssignRaw("a\0b", 3, EncodedString::kUnitUtf16, 65002);
  EXPECT_EQ(ScanAll(odd), (std::vector<uint32_t>{'a'}));
}

TEST(EncodedStringScan, LineCounterAndCurrentChar) {
  EncodedString s = Narrow("a\nb\n\n");
  uint32_t lines = 0;
  while (s.NextChar(&lines), s.GetCondition() != kConditionEndOfText) {
  }
  EXPECT_EQ(lines, 3u);

  EncodedString t = Narrow("xy");
  EXPECT_EQ(t.CurrentChar(), 0u);
  EXPECT_EQ(t.GetError(), kErrorNoCursor);
  t.ResetScan();
  t.NextChar();
  EXPECT_EQ(t.CurrentChar(), 'x');
  EXPECT_EQ(t.CharAt(5), 0u);
  EXPECT_EQ(t.GetCondition(), kConditionEndOfText);
}

TEST(EncodedStringScan, TwoScansOverOneString) {
  EncodedString s = Narrow("abc");
  int32_t p1 = -1, p2 = -1;
  uint8_t w1 = 1, w2 = 1;
  ErrorStatus st1, st2;
  EXPECT_EQ(s.DecodeCharAt(nullptr, &p1, &w1, &st1), 'a');
  EXPECT_EQ(s.DecodeCharAt(nullptr, &p1, &w1, &st1), 'b');
  EXPECT_EQ(s.DecodeCharAt(nullptr, &p2, &w2, &st2), 'a');
  EXPECT_EQ(s.cursor, -1);
}

TEST(EncodedStringScan, TrailByteCounts) {
  struct Case {
    int32_t cp;
    uint8_t lead;
    uint32_t trail;
    int32_t error;
  } cases[] = {{932, 0x81, 1, 0},   {932, 0xA0, 0, 0},   {932, 0xE0, 1, 0},  {936, 0x81, 0, 0},
               {936, 0xA1, 1, 0},   {949, 0x81, 1, 0},   {950, 0xFE, 1, 0},  {51932, 0x8F, 2, 0},
               {51932, 0x8E, 1, 0}, {51932, 0x41, 0, 0}, {65001, 0xE2, 2, 0}, {65001, 0xFE, 6, 0},
               {-1, 0x81, 0, 0},    {1252, 0x81, 0, kErrorConversion}};
  for (const Case& c : cases) {
    EncodedString s;
    s.codePage = c.cp;
    EXPECT_EQ(s.TrailByteCount(c.lead), c.trail) << c.cp << " " << int(c.lead);
    EXPECT_EQ(s.GetError(), c.error) << c.cp;
  }
}

TEST(EncodedStringSelect, CharacterIndicesClampAtTheEnd) {
  EncodedString narrow = Narrow("abcdef");
  narrow.Select(2, 100);
  EXPECT_EQ(SelectedBytes(narrow), "cdef");
  narrow.Select(50, 100);
  EXPECT_TRUE(narrow.IsSelectionEmpty());
  EXPECT_EQ(narrow.selStart, 6u);

  EncodedString wide = Wide(u"abcdef");
  wide.Select(1, 3);
  EXPECT_EQ(SelectedAscii(wide), "bc");
  wide.Select(4, 99);
  EXPECT_EQ(SelectedAscii(wide), "ef");

  EncodedString utf8 = Narrow("a\xC3\xA9z\xE2\x82\xAC", 65001);
  utf8.Select(1, 3);
  EXPECT_EQ(SelectedBytes(utf8), "\xC3\xA9z");
  EXPECT_EQ(utf8.SelectionCharLength(), 2u);
  utf8.Select(2, 10);
  EXPECT_EQ(SelectedBytes(utf8), "z\xE2\x82\xAC");

  EncodedString none;
  none.Select(0, 1);
  EXPECT_EQ(none.GetError(), kErrorNoUnitKind);
}

TEST(EncodedStringNumbers, ToIntegerWithoutValidation) {
  struct Case {
    const char* text;
    uint32_t radix;
    int32_t value;
  } cases[] = {{"123", 10, 123}, {"ff", 16, 255}, {"FF", 16, 255}, {"-42", 10, -42},
               {"+7", 10, 7},   {"z", 36, 35},   {"", 10, 0},     {"4294967297", 10, 1}};
  for (const Case& c : cases) {
    EncodedString s = Narrow(c.text);
    EXPECT_EQ(s.ToSignedInteger(c.radix), c.value) << c.text;
  }
  EncodedString w = Wide(u"x1234");
  w.Select(1, 5);
  EXPECT_EQ(w.ToInteger(10), 1234u);
}

TEST(EncodedStringSerialize, RoundTripsInBothByteOrders) {
  for (bool bigEndian : {true, false}) {
    EncodedString w = Wide(u"h\u00E9llo");
    w.Select(1, 4);
    uint32_t size = 0;
    w.Serialize(nullptr, &size, bigEndian);
    EXPECT_EQ(size, 12u + 6u);
    std::vector<uint8_t> buffer(size + 4);
    uint32_t offset = 4;
    uint8_t* end = w.Serialize(buffer.data(), &offset, bigEndian);
    EXPECT_EQ(end, buffer.data() + 4 + size);
    EXPECT_EQ(offset, 4 + size);
    if (bigEndian) {
      EXPECT_EQ(buffer[4 + 3], 6);
      EXPECT_EQ(buffer[4 + 12], 0x00);  // high byte first
      EXPECT_EQ(buffer[4 + 13], 0xE9);
    }

    const uint8_t* cursor = buffer.data() + 4;
    uint32_t remaining = size;
    EncodedString back;
    ASSERT_TRUE(back.Deserialize(&cursor, &remaining));
    EXPECT_EQ(Units(back), u"\u00E9ll");
    EXPECT_EQ(back.CodePage(), 65002);
    EXPECT_EQ(remaining, 0u);
    EXPECT_EQ(cursor, buffer.data() + 4 + size);
  }
}

TEST(EncodedStringSerialize, RejectsShortOrInconsistentInput) {
  struct Case {
    std::vector<uint8_t> bytes;
    int32_t error;
  } cases[] = {
      {{0, 0, 0, 5, 0, 0, 4, 0xE4, 0, 0, 0, 1, 'a', 'b'}, kErrorBadSource},  // length past the end
      {{0, 0, 0}, kErrorBadSource},                                          // shorter than the head
      {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9}, kErrorBadSource},                // no such unit kind
      {{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0}, kErrorBadSource},    // 4 GB announced
  };
  for (const Case& c : cases) {
    const uint8_t* cursor = c.bytes.data();
    uint32_t remaining = static_cast<uint32_t>(c.bytes.size());
    EncodedString s = Narrow("old");
    EXPECT_FALSE(s.Deserialize(&cursor, &remaining));
    EXPECT_EQ(s.GetError(), c.error);
    EXPECT_TRUE(s.IsEmpty());
  }
  // A UTF-16 string stored without a code page reads back as 65002.
  std::vector<uint8_t> bytes = {2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0, 'q', 0};
  const uint8_t* cursor = bytes.data();
  uint32_t remaining = static_cast<uint32_t>(bytes.size());
  EncodedString s;
  ASSERT_TRUE(s.Deserialize(&cursor, &remaining));
  EXPECT_EQ(s.CodePage(), 65002);
  EXPECT_EQ(Units(s), u"q");
}

TEST(EncodedStringSerialize, NoMemorySkipsTheBytes) {
  std::vector<uint8_t> bytes = {0, 0, 0, 3, 0, 0, 4, 0xE4, 0, 0, 0, 1, 'a', 'b', 'c', 0, 0, 0, 1, 0, 0, 4, 0xE4, 0, 0, 0, 1, 'z'};
  const uint8_t* cursor = bytes.data();
  uint32_t remaining = static_cast<uint32_t>(bytes.size());
  EncodedString first, second;
  {
    devtest::AllocationFailure fail(1);
    EXPECT_FALSE(first.Deserialize(&cursor, &remaining));
  }
  EXPECT_EQ(first.GetError(), kErrorNoMemory);
  EXPECT_EQ(first.ByteLength(), 0u);
  EXPECT_EQ(remaining, 13u);  // the next string is read from the right place
  ASSERT_TRUE(second.Deserialize(&cursor, &remaining));
  EXPECT_EQ(Bytes(second), "z");
}

TEST(EncodedStringFile, ByteOrderMarks) {
  struct Case {
    std::string bytes;
    int32_t cp;
    std::string text;
    int32_t error;
  } cases[] = {
      {"\xFF\xFE", 65002, "", 0},
      {std::string("\xFF\xFE" "a\0b\0", 6), 65002, std::string("a\0b\0", 4), 0},
      {std::string("\xFE\xFF\0a\0b", 6), 65002, std::string("a\0b\0", 4), 0},
      {std::string("\xFF\xFE" "a\0b", 5), 65002, std::string("a\0", 2), kErrorFileRead},
      {"\xEF\xBB\xBFz\xC3\xA9", 65001, "z\xC3\xA9", 0},
      {"plain", 20105, "plain", 0},
      {"", 20105, "", 0},
  };
  for (const Case& c : cases) {
    EncodedString s;
    s.TakeFileBytes(reinterpret_cast<const uint8_t*>(c.bytes.data()), static_cast<uint32_t>(c.bytes.size()));
    EXPECT_EQ(s.CodePage(), c.cp);
    EXPECT_EQ(Bytes(s), c.text);
    EXPECT_EQ(s.GetError(), c.error);
    EXPECT_EQ(s.cursor, -1);
  }
  EncodedString probe;
  EXPECT_FALSE(probe.ProbeFile(Wide(u"\\My Documents\\missing.txt")));
  EXPECT_EQ(probe.GetError(), kErrorFileRead);
}

TEST(EncodedStringPath, Components) {
  struct Case {
    const char16_t* path;
    const char* folderWithSep;
    const char* name;
    const char* stem;
    const char* extension;
    const char* extensionDot;
    const char* first;
  } cases[] = {
      {u"\\a\\b\\c.htm", "\\a\\b\\", "c.htm", "c", "htm", ".htm", "\\a\\"},
      {u"dir/file.tar.gz", "dir/", "file.tar.gz", "file.tar", "gz", ".gz", "dir/file.tar.gz"},
      {u"noext", "", "noext", "noext", "", "", "noext"},
      {u"a.b\\c", "a.b\\", "c", "c", "", "", "a.b\\"},
  };
  for (const Case& c : cases) {
    EncodedString s = Wide(c.path);
    s.SelectPathSegment(true);
    EXPECT_EQ(SelectedAscii(s), c.folderWithSep);
    s.SelectFolder(false, true);
    EXPECT_EQ(SelectedAscii(s), c.name);
    s.SelectFolder(false, false);
    EXPECT_EQ(SelectedAscii(s), c.stem);
    s.SelectExtension(false);
    EXPECT_EQ(SelectedAscii(s), c.extension);
    s.SelectExtension(true);
    EXPECT_EQ(SelectedAscii(s), c.extensionDot);
    s.SelectFirstComponent();
    EXPECT_EQ(SelectedAscii(s), c.first);
  }
  EncodedString whole = Wide(u"\\a\\b.txt");
  whole.SelectFolder(true, false);
  EXPECT_EQ(SelectedAscii(whole), "\\a\\b");
}

TEST(EncodedStringPath, SeparatorInsideDoubleByteCharacter) {
  // 0x95 0x5C is one character in code page 932; its trail byte is not a '\'.
  EncodedString s = Narrow("dir\\\x95\x5Cname", 932);
  s.SelectPathSegment(false);
  EXPECT_EQ(SelectedBytes(s), "dir");
}

TEST(EncodedStringPath, TrailingBackslashAndCombine) {
  for (int32_t cp : {1252, 65001}) {
    EncodedString s = Narrow("\\a\\b\\", cp);
    s.StripTrailingBackslash();
    EXPECT_EQ(Bytes(s), "\\a\\b");
    s.StripTrailingBackslash();
    EXPECT_EQ(Bytes(s), "\\a\\b");
  }
  EncodedString w = Wide(u"\\x\\");
  w.StripTrailingBackslash();
  EXPECT_EQ(Units(w), u"\\x");

  struct Case {
    const char16_t* base;
    const char16_t* relative;
    bool baseIsFile;
    const char16_t* result;
  } cases[] = {
      {u"\\a\\b\\c.htm", u"..\\d.htm", true, u"\\a\\d.htm"},
      {u"\\a\\b\\c.htm", u"d.htm", true, u"\\a\\b\\d.htm"},
      {u"\\a\\b\\", u"d.htm", false, u"\\a\\b\\d.htm"},
      {u"\\a\\b", u"..\\..\\d", false, u"d"},
      {u"file.htm", u"x.htm", true, u"x.htm"},
  };
  for (const Case& c : cases) {
    EncodedString out;
    out.CombinePath(Wide(c.base), Wide(c.relative), c.baseIsFile);
    EXPECT_EQ(Units(out), std::u16string(c.result)) << Ascii(Wide(c.base)) << " + " << Ascii(Wide(c.relative));
  }
}

TEST(EncodedStringPath, LastSeparatorWithLimitAndRest) {
  EncodedString s = Narrow("a/b/c/d");
  s.SelectLastSeparator('/', '/', false, false, 4);
  EXPECT_EQ(SelectedBytes(s), "a/b");
  s.SelectLastSeparator('/', '/', true, true, -1);
  EXPECT_EQ(SelectedBytes(s), "d");
  EncodedString none = Narrow("abc");
  none.Select(1, 2);
  none.SelectLastSeparator('/', '\\', false, false, -1);
  EXPECT_EQ(SelectedBytes(none), "b");
}

// "..\" steps need characters; a relative path whose unit kind is unknown
// cannot be stepped through and the combination ends with an error.
TEST(EncodedStringPath, CombinePathEndsForATextWithoutUnitKind) {
  EncodedString relative = Deserialized(EncodedString::kUnitNone, -1, {'.', '.', '\\', 'x'});
  ASSERT_EQ(relative.UnitKind(), EncodedString::kUnitNone);
  EncodedString out;
  out.CombinePath(Wide(u"\\a\\b\\c.htm"), relative, true);
  EXPECT_FALSE(out.IsOk());
}
