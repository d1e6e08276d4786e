// The system's own UTF-8/UTF-16 primitives, lead-byte classes and the code
// page 1252 tables.
#include <gtest/gtest.h>

#include <string>

#include "foundation/code_pages/code_page.h"

TEST(CodePagePrimitives, Utf8Lengths) {
  struct Case {
    uint8_t lead;
    uint32_t length;
  } leads[] = {{0x00, 1}, {0x7F, 1}, {0x80, 1}, {0xBF, 1}, {0xC0, 2}, {0xDF, 2}, {0xE0, 3},
               {0xEF, 3}, {0xF0, 4}, {0xF7, 4}, {0xF8, 5}, {0xFB, 5}, {0xFC, 6}, {0xFD, 6},
               {0xFE, 7}, {0xFF, 1}};
  for (const Case& c : leads) EXPECT_EQ(Utf8SequenceLength(c.lead), c.length) << int(c.lead);
  struct Point {
    uint32_t cp;
    uint32_t length;
  } points[] = {{0x7F, 1}, {0x80, 2}, {0x7FF, 2}, {0x800, 3}, {0xFFFF, 3}, {0x10000, 4},
                {0x1FFFFF, 4}, {0x200000, 5}, {0x3FFFFFF, 5}, {0x4000000, 6}, {0xFFFFFFFF, 6}};
  for (const Point& p : points) EXPECT_EQ(Utf8EncodedLength(p.cp), p.length) << p.cp;
}

TEST(CodePagePrimitives, EncodeAndDecodeUtf8) {
  uint8_t out[8];
  ASSERT_EQ(EncodeUtf8Char(0x20AC, out), 3u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 3), "\xE2\x82\xAC");
  ASSERT_EQ(EncodeUtf8Char(0x1F600, out), 4u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 4), "\xF0\x9F\x98\x80");

  struct Case {
    std::string bytes;
    uint32_t used;
    uint32_t value;
  } cases[] = {
      {"\x80" "A", 1, 0},                        // a leading continuation byte is skipped
      {"\x80\xBF\xBF" "A", 3, 0},
      {"\xE2\x82", 2, 0},                        // cut short
      {"\xE2\x82\xAC", 3, 0x20AC},
      {"A", 1, 'A'},
      {"\xFE" "A", 1, 0},
      {"\xFF", 1, 0},
      {"\xC3\x28", 2, 0xE8},                     // continuation bytes are not validated
      {"\xF8\x88\x80\x80\x80", 5, 0xFFFD},       // beyond U+10FFFF
      {"\xFD\xBF\xBF\xBF\xBF\xBF", 6, 0xFFFD},
      {"\xF4\x8F\xBF\xBF", 4, 0x10FFFF},
      {"", 0, 0},
  };
  for (const Case& c : cases) {
    uint32_t value = 12345;
    EXPECT_EQ(DecodeUtf8Char(reinterpret_cast<const uint8_t*>(c.bytes.data()),
                             static_cast<uint32_t>(c.bytes.size()), &value),
              c.used)
        << c.bytes;
    EXPECT_EQ(value, c.value) << c.bytes;
  }
}

TEST(CodePagePrimitives, Utf16) {
  WCHAR out[2];
  ASSERT_EQ(EncodeUtf16Char(0x1F600, out), 2u);
  EXPECT_EQ(out[0], 0xD83D);
  EXPECT_EQ(out[1], 0xDE00);
  ASSERT_EQ(EncodeUtf16Char(0x10FFFF, out), 2u);
  EXPECT_EQ(out[0], 0xDBFF);
  EXPECT_EQ(out[1], 0xDFFF);
  ASSERT_EQ(EncodeUtf16Char(0x110000, out), 1u);
  EXPECT_EQ(out[0], 0xFFFD);
  ASSERT_EQ(EncodeUtf16Char(0xD800, out), 1u);  // no check for surrogate values
  EXPECT_EQ(out[0], 0xD800);
  EXPECT_EQ(Utf16UnitsForCodePoint(0xFFFF), 1u);
  EXPECT_EQ(Utf16UnitsForCodePoint(0x10000), 2u);
  EXPECT_EQ(Utf16UnitsForUnit(0xDBFF), 2u);
  EXPECT_EQ(Utf16UnitsForUnit(0xDC00), 1u);
}

TEST(CodePagePrimitives, DoubleByteDecoding) {
  struct Case {
    int32_t cp;
    std::string bytes;
    bool ok;
    uint32_t width;
    uint32_t ch;
  } cases[] = {
      {932, "\x82\xA0", true, 2, 0x82A0}, {932, "\xA0\x41", true, 1, 0xA0}, {932, "\x82", false, 0, 0},
      {936, "\xA1\xA1", true, 2, 0xA1A1}, {936, "\x81\x40", true, 1, 0x81}, {950, "\x81\x40", true, 2, 0x8140},
      {949, "\x81\x41", true, 1, 0x81},   {1252, "\x82\xA0", true, 1, 0x82}, {932, "", false, 0, 0},
  };
  for (const Case& c : cases) {
    uint32_t width = 0, ch = 0;
    EXPECT_EQ(DecodeMbcsChar(c.cp, reinterpret_cast<const uint8_t*>(c.bytes.data()),
                             static_cast<uint32_t>(c.bytes.size()), &width, &ch),
              c.ok);
    if (c.ok) {
      EXPECT_EQ(width, c.width) << c.cp;
      EXPECT_EQ(ch, c.ch) << c.cp;
    }
  }
}

TEST(CodePagePrimitives, MaxBytesAndLeadByteSets) {
  EXPECT_EQ(MaxBytesPerChar(932), 2u);
  EXPECT_EQ(MaxBytesPerChar(949), 1u);
  EXPECT_EQ(MaxBytesPerChar(65001), 4u);
  EXPECT_EQ(MaxBytesPerChar(1252), 1u);

  struct Case {
    int32_t cp;
    uint8_t value;
    uint32_t cls;
  } cases[] = {{932, 0x81, 1}, {932, 0xA0, 0},   {932, 0xFC, 1},   {936, 0xA1, 1},  {936, 0xFF, 0},
               {949, 0x81, 1}, {950, 0xFE, 1},   {51932, 0x8E, 1}, {51932, 0x8F, 2}, {51932, 0xA1, 1},
               {65001, 0x7F, 0}, {65001, 0xC0, 1}, {65001, 0xE0, 2}, {65001, 0xF0, 3}, {65001, 0xFF, 3},
               {1252, 0x81, 0}};
  for (const Case& c : cases) {
    LeadByteSet set;
    set.Init(c.cp);
    EXPECT_EQ(set.Class(c.value), c.cls) << c.cp << " " << int(c.value);
  }
  LeadByteSet kept;
  kept.Init(932);
  kept.Init(-1);
  EXPECT_EQ(kept.codePage, 932);
  EXPECT_EQ(kept.Class(0x81), 1u);
}

TEST(CodePage1252, UnicodeToCp1252) {
  struct Case {
    uint32_t cp;
    uint32_t byte;
  } cases[] = {{0x41, 0x41},   {0x20AC, 0x80}, {0x2011, 0x2D}, {0x81, 0x81},  {0x8D, 0x8D}, {0x80, 0x3F},
               {0x0100, 0x3F}, {0xE9, 0xE9},   {0x2122, 0x99}, {0x0152, 0x8C}, {0xFFFF, 0x3F}};
  for (const Case& c : cases) EXPECT_EQ(UnicodeToCp1252(c.cp, '?'), c.byte) << c.cp;
}

TEST(CodePage1252, Approximation) {
  struct Case {
    uint32_t cp;
    uint32_t byte;
  } cases[] = {{0x0100, 'A'},  {0x0101, 'a'},  {0x1E08, 0xC7}, {0x022A, 0xD6}, {0x037E, ';'}, {0x0385, 0xA8},
               {0x0387, 0xB7}, {0x1FC1, 0xA8}, {0x1FED, 0xA8}, {0x1FEF, 0x60}, {0x1FFD, 0xB4}, {0x212A, 'K'},
               {0x212B, 0xC5}, {0x2260, '='},  {0x226E, '<'},  {0x226F, '>'},  {0x0180, 'b'},  {0x20AC, 0x80},
               {0x4E00, 0x95}, {0, 0x95},      {0x41, 0x41}};
  for (const Case& c : cases) EXPECT_EQ(CharToCp1252Approx(c.cp, 0x95), c.byte) << std::hex << c.cp;

  WCHAR unit = 0x0107;
  EXPECT_TRUE(NarrowToCp1252InPlace(&unit));
  EXPECT_EQ(unit, 'c');
  unit = 0x4E00;
  EXPECT_FALSE(NarrowToCp1252InPlace(&unit));
  EXPECT_EQ(unit, 0x4E00);
  unit = 0;
  EXPECT_TRUE(NarrowToCp1252InPlace(&unit));
}

TEST(CodePage1252, TablesAreSortedAndConsistent) {
  uint32_t count = 0;
  const CharPair* reverse = Cp1252ReversePairs(&count);
  ASSERT_EQ(count, 33u);
  for (uint32_t i = 1; i < count; ++i) EXPECT_LT(reverse[i - 1].codePoint, reverse[i].codePoint);
  // The reverse table inverts the 0x80-0x9F table.
  for (uint32_t b = 0x80; b <= 0x9F; ++b) {
    uint32_t cp = Cp1252HighTable()[b - 0x80];
    EXPECT_EQ(LookupCharPair(cp, reverse, count, 0), b) << b;
  }
  const CharPair* approx = Cp1252ApproximationPairs(&count);
  ASSERT_GT(count, 400u);
  EXPECT_EQ(approx[0].codePoint, 0x0100);
  EXPECT_EQ(approx[count - 1].codePoint, 0x226F);
  for (uint32_t i = 1; i < count; ++i) EXPECT_LT(approx[i - 1].codePoint, approx[i].codePoint) << i;
  // Every entry is found by the search, first and last included.
  for (uint32_t i = 0; i < count; ++i) EXPECT_EQ(LookupCharPair(approx[i].codePoint, approx, count, 0), approx[i].byte);
  EXPECT_EQ(LookupCharPair(0x50, approx, count, 7), 7u);
  EXPECT_EQ(LookupCharPair(0xFFFF, approx, count, 7), 7u);
  EXPECT_EQ(LookupCharPair(0x0100, approx, 0, 7), 7u);
}
