// EncodedString as a value: construction, copying, appending per code page,
// number and size formatting, growth and its rollback under allocation
// failure, and the string array.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/encoded_string/encoded_string.h"
#include "foundation/encoded_string/encoded_string_array.h"
#include "platform/testing/allocation.h"
#include "tests/foundation/encoded_string/encoded_string_test_util.h"

using estest::Ascii;
using estest::Bytes;
using estest::Narrow;
using estest::Units;
using estest::Wide;

TEST(EncodedStringValue, EmptyStringHasNoBuffer) {
  EncodedString s;
  EXPECT_EQ(s.buffer, nullptr);
  EXPECT_EQ(s.CodePage(), -1);
  EXPECT_EQ(s.UnitKind(), EncodedString::kUnitNone);
  EXPECT_EQ(s.cursor, -1);
  EXPECT_EQ(s.CStr(), nullptr);
  EXPECT_EQ(s.NarrowCStr(), nullptr);
  ASSERT_NE(s.CStrOrEmpty(), nullptr);
  EXPECT_EQ(s.CStrOrEmpty()[0], 0);
  EXPECT_EQ(s.CharLength(), 0u);
}

TEST(EncodedStringValue, CopyHoldsOnlyTheSelection) {
  EncodedString source = Narrow("hello world");
  source.SetWipeOnFree(true);
  source.Select(6, 11);
  EncodedString copy(source);
  EXPECT_EQ(Bytes(copy), "world");
  EXPECT_EQ(copy.capacity, 7u);
  EXPECT_EQ(copy.selStart, 0u);
  EXPECT_EQ(copy.selEnd, 5u);
  EXPECT_EQ(copy.cursor, -1);
  EXPECT_EQ(copy.CodePage(), 1252);
  EXPECT_TRUE(copy.wipeOnFree);

  source.Select(3, 3);
  EncodedString empty(source);
  EXPECT_EQ(empty.buffer, nullptr);
  EXPECT_EQ(empty.CodePage(), 1252);

  EncodedString self = Narrow("same");
  self.Select(1, 2);
  self = *&self;
  EXPECT_EQ(Bytes(self), "same");
  EXPECT_EQ(self.selStart, 1u);
}

TEST(EncodedStringValue, FromWideAndAssignRaw) {
  EncodedString s;
  s.FromWide(u"abc");
  EXPECT_EQ(s.CodePage(), 65002);
  EXPECT_EQ(s.UnitKind(), EncodedString::kUnitUtf16);
  EXPECT_EQ(s.ByteLength(), 6u);
  EXPECT_EQ(s.capacity, 8u);
  EXPECT_EQ(std::u16string(s.CStr()), u"abc");

  s.FromWide(nullptr);
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_TRUE(s.IsOk());

  EncodedString raw = Narrow("keep");
  EXPECT_FALSE(raw.AssignRaw(nullptr, 3, EncodedString::kUnitSingleByte, 1252));
  EXPECT_EQ(raw.GetError(), kErrorBadSource);
  EXPECT_EQ(Bytes(raw), "keep");

  EncodedString labelled;
  labelled.AssignBytes("x\xE2\x82\xAC", 4, 65001);
  EXPECT_EQ(labelled.UnitKind(), EncodedString::kUnitMultibyte);
  EXPECT_EQ(labelled.CharLength(), 2u);
}

TEST(EncodedStringValue, UnitKindForCodePage) {
  struct Case {
    int32_t cp;
    int32_t kind;
  } cases[] = {{932, 3}, {936, 3},   {949, 3},   {950, 3},   {50220, 3}, {51932, 3}, {52936, 3},
               {65000, 3}, {65001, 3}, {65002, 2}, {-1, 0},   {1252, 1},  {20105, 1}, {0, 1}};
  for (const Case& c : cases) EXPECT_EQ(EncodedString::UnitKindForCodePage(c.cp), c.kind) << c.cp;
}

TEST(EncodedStringAppend, WidthRulesOfAppendBytes) {
  // An empty single-byte string takes the width of what is appended.
  EncodedString target;
  target.SetCodePage(1252);
  target.Append(Wide(u"wide"));
  EXPECT_EQ(target.CodePage(), 65002);
  EXPECT_EQ(Units(target), u"wide");

  // A non-empty 1252 string refuses UTF-16 bytes.
  EncodedString narrow = Narrow("abc");
  narrow.Append(Wide(u"x"));
  EXPECT_EQ(narrow.GetError(), kErrorCodePageMismatch);
  EXPECT_EQ(Bytes(narrow), "abc");

  // A UTF-16 string labelled -1 accepts 65002 bytes.
  EncodedString unlabelled;
  unlabelled.AssignRaw(u"a", 2, EncodedString::kUnitUtf16, -1);
  unlabelled.AppendBytes(u"b", 2, 65002);
  EXPECT_TRUE(unlabelled.IsOk());
  EXPECT_EQ(Units(unlabelled), u"ab");

  // Appending nothing changes nothing, not even the labels.
  EncodedString none;
  none.AppendBytes("zz", 0, 932);
  EXPECT_EQ(none.CodePage(), -1);

  // Appending a string to itself.
  EncodedString twice = Narrow("ab");
  twice.Append(twice);
  EXPECT_EQ(Bytes(twice), "abab");
}

TEST(EncodedStringAppend, WipeFlagTravelsWithTheText) {
  EncodedString secret = Narrow("pin");
  secret.SetWipeOnFree(true);
  EncodedString target = Narrow("x");
  target.Append(secret);
  EXPECT_TRUE(target.wipeOnFree);
  target.Grow(100);
  EXPECT_TRUE(target.wipeOnFree);
  EXPECT_EQ(Bytes(target), "xpin");
}

TEST(EncodedStringAppend, AppendCharEncodesForTheCodePage) {
  struct Case {
    int32_t kind;
    int32_t cp;
    uint32_t ch;
    std::string bytes;
    int32_t error;
  } cases[] = {
      {1, 1252, 'A', "A", 0},
      {1, 1252, 0x20AC, "\xAC", 0},                        // the low byte only
      {2, 65002, 0x41, std::string("A\0", 2), 0},
      {2, 65002, 0x1F600, std::string("\x3D\xD8\x00\xDE", 4), 0},  // surrogate pair
      {2, -1, 0x1F600, std::string("\x00\xF6", 2), 0},     // low 16 bits
      {3, 65001, 0x20AC, "\xE2\x82\xAC", 0},
      {3, 65001, 0x7FFFFFF, "\xFC\x87\xBF\xBF\xBF\xBF", 0},  // six bytes
      {3, 932, 0x8140, "\x81\x40", 0},
      {3, 932, 0x41, "A", 0},
      {0, -1, 0x141, "A", kErrorNoUnitKind},
  };
  for (const Case& c : cases) {
    EncodedString s;
    s.unitKind = c.kind;
    s.codePage = c.cp;
    s.AppendChar(c.ch);
    EXPECT_EQ(Bytes(s), c.bytes) << c.cp << " " << c.ch;
    EXPECT_EQ(s.GetError(), c.error) << c.cp << " " << c.ch;
  }
}

TEST(EncodedStringAppend, Numbers) {
  struct Case {
    uint32_t value;
    uint32_t radix;
    const char* text;
  } cases[] = {{0, 10, "0"}, {255, 16, "FF"}, {4294967295u, 10, "4294967295"}, {5, 2, "101"}, {35, 36, "Z"}};
  for (const Case& c : cases) {
    EncodedString s;
    s.SetCodePage(1252);
    s.AppendNumber(c.value, c.radix);
    EXPECT_EQ(Bytes(s), c.text);
  }
  EncodedString s;
  s.MarkUtf16();
  s.AppendSignedNumber(-42, 10);
  s.AppendChar(' ');
  s.AppendSignedNumber(INT32_MIN, 10);
  s.AppendChar(' ');
  s.AppendPaddedNumber(7, 10, 3, true, '0');
  s.AppendChar(' ');
  s.AppendPaddedNumber(7, 10, 3, false, '_');
  s.AppendChar(' ');
  s.AppendPaddedNumber(12345, 10, 3, true, '0');
  EXPECT_EQ(Units(s), u"-42 -2147483648 007 7__ 12345");
}

TEST(EncodedStringAppend, AppendRepeatedAndAscii) {
  EncodedString s;
  s.SetCodePage(65001);
  s.AppendRepeated(0x20AC, 7);
  s.AppendAscii("ok");
  EXPECT_EQ(s.CharLength(), 9u);
  EXPECT_EQ(s.ByteLength(), 23u);
}

TEST(EncodedStringFormat, ByteSizes) {
  struct Case {
    uint64_t bytes;
    const char16_t* text;
  } cases[] = {
      {0, u"0 KB"},
      {1, u"1 KB"},
      {511, u"1 KB"},
      {1536, u"2 KB"},
      {1023 * 1024, u"1023 KB"},
      {1024 * 1024, u"1 MB"},
      {1572864, u"1.50 MB"},           // 1.5 MiB
      {1024 * 1024 + 11 * 1024, u"1.01 MB"},
      {10 * 1024 * 1024, u"10 MB"},
      {10 * 1024 * 1024 + 512 * 1024, u"10.5 MB"},
      {11263ull * 1024, u"11 MB"},     // 10.999 MB rounds up, not "10.10"
      {1000ull * 1024 * 1024, u"1000 MB"},
      {1280ull * 1024 * 1024, u"1.25 GB"},
      {5ull << 30, u"5 GB"},           // above 4 GB: the count is 64-bit
      {(12ull << 30) + (512ull << 20), u"12.5 GB"},
      {200ull << 30, u"200 GB"},
      {UINT64_MAX, u"17179869184 GB"},
  };
  for (const Case& c : cases) {
    EncodedString s = Narrow("replaced");
    s.FormatByteSize(c.bytes);
    EXPECT_EQ(Units(s), std::u16string(c.text)) << c.bytes;
    EXPECT_EQ(s.CodePage(), 65002);
    EXPECT_EQ(s.selEnd, s.ByteLength());
  }
}

TEST(EncodedStringStorage, GrowthAllocatesRequestPlusSlack) {
  EncodedString s = Narrow("abc");
  ASSERT_TRUE(s.ReserveBytes(10));
  EXPECT_EQ(s.capacity, 32u);
  EXPECT_EQ(Bytes(s), "abc");
  ASSERT_TRUE(s.ReserveBytes(30));  // capacity 32 >= 30 + 2: no growth
  EXPECT_EQ(s.capacity, 32u);
  EncodedString w = Wide(u"a");
  ASSERT_TRUE(w.ReserveChars(10));
  EXPECT_GE(w.capacity, 22u);
}

TEST(EncodedStringStorage, LockRegionHandsOutTheSelectedRegion) {
  EncodedString s = Narrow("ab");
  uint8_t* region = s.LockRegion(2, 3);
  ASSERT_NE(region, nullptr);
  std::memcpy(region, "cde", 3);
  EXPECT_EQ(Bytes(s), "abcde");
  EXPECT_EQ(s.selStart, 2u);
  EXPECT_EQ(s.selEnd, 5u);
}

TEST(EncodedStringStorage, CropAndTruncateMoveTheCursor) {
  struct Case {
    int32_t cursor;
    int32_t after;
  } cases[] = {{-1, -1}, {1, -1}, {3, 1}, {7, 4}};
  for (const Case& c : cases) {
    EncodedString s = Narrow("0123456789");
    s.Select(2, 6);
    s.cursor = c.cursor;
    s.Crop();
    EXPECT_EQ(Bytes(s), "2345");
    EXPECT_EQ(s.cursor, c.after) << c.cursor;
  }
  EncodedString e = Narrow("abc");
  e.Select(1, 1);
  e.Crop();
  EXPECT_TRUE(e.IsEmpty());

  EncodedString t = Narrow("abcdef");
  t.Select(0, 3);
  t.cursor = 5;
  t.TruncateAtSelectionEnd();
  EXPECT_EQ(t.ByteLength(), 3u);
  EXPECT_EQ(t.cursor, 3);
}

TEST(EncodedStringStorage, MoveAndShallowCopy) {
  EncodedString a = Narrow("moved");
  EncodedString b;
  b.MoveFrom(a);
  EXPECT_EQ(a.buffer, nullptr);
  EXPECT_EQ(Bytes(b), "moved");
  EncodedString view;
  view.ShallowCopy(b);
  EXPECT_EQ(view.buffer, b.buffer);
  view.DetachBuffer();
  EXPECT_EQ(Bytes(b), "moved");
  b.Clear();
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_NE(b.buffer, nullptr);
  b.Release();
  EXPECT_EQ(b.buffer, nullptr);
}

TEST(EncodedStringStorage, LockRegionRefusesAnOffsetAtTheTopOfTheRange) {
  for (uint32_t offset : {0xFFFFFFFFu, 0xFFFFFFFEu}) {
    EncodedString s = Wide(u"keep");
    EXPECT_EQ(s.LockRegion(offset, 0), nullptr);
    EXPECT_EQ(s.GetError(), kErrorNoMemory);
    EXPECT_EQ(s.ByteLength(), 8u);
  }
}

TEST(EncodedStringRollback, FailedAllocationsKeepTheText) {
  {
    EncodedString s = Narrow("abc");
    devtest::AllocationFailure fail(1);
    s.AppendRepeated('x', 40);
    EXPECT_EQ(s.GetError(), kErrorNoMemory);
    EXPECT_EQ(Bytes(s), "abc");
  }
  {
    EncodedString s = Narrow("abc");
    s.SetWipeOnFree(true);
    devtest::AllocationFailure fail(1);
    s.AppendChar('d');  // capacity 5: needs growth
    EXPECT_EQ(s.GetError(), kErrorNoMemory);
    EXPECT_EQ(Bytes(s), "abc");
    EXPECT_TRUE(s.wipeOnFree);
  }
  {
    EncodedString target = Narrow("target");
    EncodedString source = Narrow("source");
    devtest::AllocationFailure fail(1);
    target.CopyFrom(source);
    EXPECT_EQ(target.GetError(), kErrorNoMemory);
    EXPECT_EQ(Bytes(target), "target");
  }
  {
    EncodedString s = Narrow("abc");
    devtest::AllocationFailure fail(1);
    EXPECT_FALSE(s.AssignBytes("other", 5, 1252));
    EXPECT_EQ(Bytes(s), "abc");
  }
  {
    // Every allocation of a long series fails in turn: the string stays
    // whole and readable each time.
    for (long n = 1; n <= 6; ++n) {
      EncodedString s = Narrow("base");
      devtest::AllocationFailure fail(n);
      for (int i = 0; i < 6; ++i) s.AppendAscii("-more-text-to-grow");
      std::string text = Bytes(s);
      EXPECT_EQ(text.rfind("base", 0), 0u) << n;
      EXPECT_EQ(s.GetError(), kErrorNoMemory) << n;
    }
  }
}

TEST(EncodedStringArrayTest, GrowsAndFallsBackOnTheSentinel) {
  EncodedStringArray array;
  ASSERT_TRUE(array.Reset(2));
  EXPECT_EQ(array.capacity, 3u);
  EXPECT_EQ(array.Count(), 0u);
  array.At(0).AssignNarrow("zero");
  array.At(5).AssignNarrow("five");
  EXPECT_EQ(array.Count(), 6u);
  EXPECT_EQ(array.capacity, 5u + 2u + 2u);
  EXPECT_EQ(Bytes(array.At(0)), "zero");
  EXPECT_EQ(Bytes(array.At(5)), "five");
  EXPECT_TRUE(array.At(3).IsEmpty());

  {
    devtest::AllocationFailure fail(1);
    EncodedString& sentinel = array.At(100);
    EXPECT_EQ(&sentinel, &array.elements[0]);
    EXPECT_EQ(array.GetError(), kErrorArrayGrowth);
  }
  EXPECT_EQ(Bytes(array.At(5)), "five");

  EncodedStringArray failing;
  devtest::AllocationFailure fail(1);
  EXPECT_FALSE(failing.Reset(4));
  EXPECT_EQ(failing.GetError(), kErrorArrayGrowth);
  failing.At(0).AssignNarrow("somewhere");  // must not crash
}
