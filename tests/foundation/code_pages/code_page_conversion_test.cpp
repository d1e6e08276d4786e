// The converters between multibyte text and UTF-16, the conversion to UTF-8,
// and the conversion of whole EncodedStrings: size queries, malformed input,
// random round trips through every supported code page, the Mlang fallback
// and rollback when memory runs out.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <utility>
#include <string>
#include <vector>

#include "foundation/code_pages/code_page.h"
#include "foundation/code_pages/code_page_mlang.h"
#include "foundation/encoded_string/encoded_string.h"
#include "platform/testing/allocation.h"
#include "platform/testing/modules.h"
#include "platform/testing/text.h"
#include "tests/foundation/encoded_string/encoded_string_test_util.h"

using estest::Bytes;
using estest::Narrow;
using estest::Units;
using estest::Wide;

namespace {

const uint8_t* U8(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// MultiByteToWide into a generous buffer; empty optional-like result on failure.
bool ToWide(const std::string& bytes, int32_t cp, std::u16string* out) {
  std::vector<WCHAR> buffer(bytes.size() + 4);
  uint32_t len = static_cast<uint32_t>(buffer.size() * 2);
  if (MultiByteToWide(U8(bytes), static_cast<uint32_t>(bytes.size()), cp, buffer.data(), &len) != kConvertOk)
    return false;
  out->assign(buffer.data(), len / 2);
  return true;
}

bool FromWide(const std::u16string& units, int32_t cp, std::string* out, bool* replaced) {
  std::vector<uint8_t> buffer(units.size() * 4 + 4);
  uint32_t len = static_cast<uint32_t>(buffer.size());
  if (WideToMultiByte(units.data(), static_cast<uint32_t>(units.size() * 2), cp, buffer.data(), &len,
                      replaced) != kConvertOk)
    return false;
  out->assign(reinterpret_cast<char*>(buffer.data()), len);
  return true;
}

class CodePageConversion : public ::testing::Test {
 protected:
  void SetUp() override { ForgetMlangConverter(); }
  void TearDown() override { ForgetMlangConverter(); }
};

}  // namespace

TEST_F(CodePageConversion, OwnPagesAndSizeQueries) {
  // 7-bit text: every byte masked.
  std::u16string wide;
  ASSERT_TRUE(ToWide("A\xC1", kCodePage7Bit, &wide));
  EXPECT_EQ(wide, u"AA");
  uint32_t len = 0;
  EXPECT_EQ(MultiByteToWide(U8("abc"), 3, kCodePage7Bit, nullptr, &len), kConvertFailed);
  EXPECT_EQ(len, 6u);

  // 65020 is recognised and refused both ways.
  EXPECT_FALSE(ToWide("abc", kCodePageRefused, &wide));
  std::string narrow;
  EXPECT_FALSE(FromWide(u"abc", kCodePageRefused, &narrow, nullptr));

  // UTF-8 needs room for two bytes per input byte.
  WCHAR small[2];
  len = sizeof(small);
  EXPECT_EQ(MultiByteToWide(U8("abc"), 3, kCodePageUtf8, small, &len), kConvertFailed);
  EXPECT_EQ(len, 6u);
  ASSERT_TRUE(ToWide("\xE2\x82\xAC!", kCodePageUtf8, &wide));
  EXPECT_EQ(wide, u"\u20AC!");

  // Empty input converts to nothing.
  len = 99;
  EXPECT_EQ(MultiByteToWide(U8(""), 0, 932, nullptr, &len), kConvertOk);
  EXPECT_EQ(len, 0u);

  // 20105 back: the low seven bits, "replaced" when that changed a unit.
  bool replaced = false;
  ASSERT_TRUE(FromWide(u"a\u00E9", kCodePage7Bit, &narrow, &replaced));
  EXPECT_EQ(narrow, "ai");
  EXPECT_TRUE(replaced);
  ASSERT_TRUE(FromWide(u"ab", kCodePage7Bit, &narrow, &replaced));
  EXPECT_FALSE(replaced);
}

TEST_F(CodePageConversion, PlatformPagesAndSizeQueries) {
  const std::string sjis = "\x82\xA0\x82\xA2";  // two hiragana in 932
  uint32_t len = 0;
  EXPECT_EQ(MultiByteToWide(U8(sjis), 4, 932, nullptr, &len), kConvertFailed);
  EXPECT_EQ(len, 4u);
  WCHAR one[1];
  len = sizeof(one);
  EXPECT_EQ(MultiByteToWide(U8(sjis), 4, 932, one, &len), kConvertFailed);
  EXPECT_EQ(len, 4u);
  std::u16string wide;
  ASSERT_TRUE(ToWide(sjis, 932, &wide));
  EXPECT_EQ(wide, u"\u3042\u3044");

  uint8_t narrow[1];
  len = sizeof(narrow);
  EXPECT_EQ(WideToMultiByte(wide.data(), 4, 932, narrow, &len, nullptr), kConvertFailed);
  EXPECT_EQ(len, 4u);
  len = 0;
  EXPECT_EQ(WideToMultiByte(wide.data(), 4, 932, nullptr, &len, nullptr), kConvertFailed);
  EXPECT_EQ(len, 4u);

  // A character 1252 lacks: '?' and the replaced flag.
  std::string out;
  bool replaced = false;
  ASSERT_TRUE(FromWide(u"a\u4E00", 1252, &out, &replaced));
  EXPECT_EQ(out, "a?");
  EXPECT_TRUE(replaced);
  ASSERT_TRUE(FromWide(u"\u20AC", 1252, &out, &replaced));
  EXPECT_EQ(out, "\x80");
  EXPECT_FALSE(replaced);
}

TEST_F(CodePageConversion, MalformedInputHasDefinedResults) {
  struct Case {
    std::string bytes;
    int32_t cp;
    std::u16string result;
  } cases[] = {
      // The system's UTF-8 decoder: leading continuation bytes skipped,
      // continuation bytes not validated, a cut character one U+FFFD.
      {"\x80\x80" "abc", 65001, u"abc"},
      {"ab\xC3", 65001, u"ab\uFFFD"},
      {"ab\xF0\x9F\x98", 65001, u"ab\uFFFD"},
      {"\xC3\x28", 65001, u"\u00E8"},
      {"\xF7\xBF\xBF\xBF", 65001, u"\uFFFD"},         // above U+10FFFF
      {"\xED\xA0\x80", 65001, u"\xD800"},              // an encoded surrogate passes through
      {"a\xFF" "b", 65001, u"a\uFFFD"},                // 0xFF leads a cut four-byte form
      // The platform's pages: a lead byte cut by the end is one U+FFFD.
      {"a\x82", 932, u"a\uFFFD"},
      {"a\x81", 936, u"a\uFFFD"},
      {"a\x81", 949, u"a\uFFFD"},
      {"a\x81", 950, u"a\uFFFD"},
      {"\x81\x8D\x8F\x90\x9D", 1252, u"\u0081\u008D\u008F\u0090\u009D"},
  };
  for (const Case& c : cases) {
    std::u16string wide;
    ASSERT_TRUE(ToWide(c.bytes, c.cp, &wide)) << c.cp;
    EXPECT_EQ(wide, c.result) << c.cp << " " << c.bytes;
  }
}

TEST_F(CodePageConversion, LoneSurrogates) {
  // To UTF-8 by the system's own code: a lone high surrogate fails, a lone
  // low one becomes U+FFFD wherever it stands.
  uint8_t out[16];
  uint32_t len = sizeof(out);
  const char16_t high[] = u"a\xD800" "b";
  EXPECT_EQ(ConvertToUtf8(high, 6, kCodePageUtf16, out, &len), kConvertFailed);
  const char16_t trailing[] = u"a\xD800";
  len = sizeof(out);
  EXPECT_EQ(ConvertToUtf8(trailing, 4, kCodePageUtf16, out, &len), kConvertFailed);
  const std::pair<std::u16string, std::string> lowCases[] = {
      {u"\xDC00", "\xEF\xBF\xBD"},
      {u"a\xDFFF" u"b", "a\xEF\xBF\xBD" "b"},
      {u"\xD83D\xDE00\xDE00", "\xF0\x9F\x98\x80\xEF\xBF\xBD"},
  };
  for (const auto& [units, bytes] : lowCases) {
    len = sizeof(out);
    ASSERT_EQ(ConvertToUtf8(units.data(), static_cast<uint32_t>(units.size() * 2), kCodePageUtf16, out, &len),
              kConvertOk);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), len), bytes);
  }

  // Through the platform into 1252: the default character, "replaced".
  EncodedString s = Wide(u"x\xD800y");
  ASSERT_TRUE(s.ConvertToCodePage(1252));
  EXPECT_EQ(Bytes(s), "x?y");
  EXPECT_EQ(s.GetCondition(), kConditionReplaced);
  EXPECT_TRUE(s.IsOk());
}

TEST_F(CodePageConversion, ConvertToUtf8SizesAndTables) {
  uint32_t len = 0;
  EXPECT_EQ(ConvertToUtf8("\x80\xE9", 2, kCodePage1252, nullptr, &len), kConvertFailed);
  EXPECT_EQ(len, 5u);
  uint8_t out[8];
  len = 4;
  EXPECT_EQ(ConvertToUtf8("\x80\xE9", 2, kCodePage1252, out, &len), kConvertFailed);
  EXPECT_EQ(len, 5u);
  len = sizeof(out);
  ASSERT_EQ(ConvertToUtf8("\x80\xE9", 2, kCodePage1252, out, &len), kConvertOk);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(out), len), "\xE2\x82\xAC\xC3\xA9");
  const char16_t pair[] = u"\U0001F600";
  len = sizeof(out);
  ASSERT_EQ(ConvertToUtf8(pair, 4, kCodePageUtf16, out, &len), kConvertOk);
  EXPECT_EQ(len, 4u);
  len = sizeof(out);
  EXPECT_EQ(ConvertToUtf8(pair, 3, kCodePageUtf16, out, &len), kConvertFailed);  // odd length
  EXPECT_EQ(ConvertToUtf8("a", 1, 932, out, &len), kConvertFailed);

  // UTF-8 into 1252 by the approximation table.
  const std::string utf8 = "\xE2\x82\xAC\xC4\x80\xE4\xB8\x80";
  uint8_t narrow[8];
  len = sizeof(narrow);
  ASSERT_EQ(ConvertFromUtf8(U8(utf8), static_cast<uint32_t>(utf8.size()), kCodePage1252, narrow, &len, nullptr),
            kConvertOk);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(narrow), len), "\x80" "A\x95");
  len = sizeof(narrow);
  EXPECT_EQ(ConvertFromUtf8(U8(utf8), 3, 932, narrow, &len, nullptr), kConvertFailed);
  EXPECT_EQ(len, 0u);
}

TEST_F(CodePageConversion, RandomTextsRoundTripThroughEverySupportedPage) {
  const uint32_t seed = 20240611;
  std::mt19937 random(seed);
  // Candidate characters from the scripts these pages carry.
  const std::vector<std::pair<uint32_t, uint32_t>> ranges = {
      {0x20, 0x7E}, {0xA0, 0xFF}, {0x152, 0x17E}, {0x391, 0x3C9}, {0x410, 0x44F}, {0x2010, 0x2030},
      {0x3041, 0x3093}, {0x30A1, 0x30F6}, {0x4E00, 0x9FA5}, {0xAC00, 0xD7A3}, {0xFF01, 0xFF5E}, {0x1F600, 0x1F64F}};
  const int32_t pages[] = {1252, 932, 936, 949, 950, 51932, 65001, 20105};
  for (int32_t cp : pages) {
    // The characters this page represents and reads back the same.
    std::vector<uint32_t> alphabet;
    for (const auto& range : ranges) {
      for (int i = 0; i < 60; ++i) {
        uint32_t c = range.first + random() % (range.second - range.first + 1);
        std::u16string one;
        WCHAR units[2];
        one.assign(units, EncodeUtf16Char(c, units));
        std::string bytes;
        bool replaced = false;
        std::u16string back;
        if (!FromWide(one, cp, &bytes, &replaced) || replaced) continue;
        if (!ToWide(bytes, cp, &back) || back != one) continue;
        alphabet.push_back(c);
      }
    }
    ASSERT_GT(alphabet.size(), 50u) << "code page " << cp << " seed " << seed;
    for (int round = 0; round < 40; ++round) {
      std::u16string text;
      size_t n = random() % 64;
      for (size_t i = 0; i < n; ++i) {
        WCHAR units[2];
        text.append(units, EncodeUtf16Char(alphabet[random() % alphabet.size()], units));
      }
      std::string bytes;
      bool replaced = true;
      ASSERT_TRUE(FromWide(text, cp, &bytes, &replaced)) << "code page " << cp << " seed " << seed;
      EXPECT_FALSE(replaced) << "code page " << cp << " seed " << seed;
      std::u16string back;
      ASSERT_TRUE(ToWide(bytes, cp, &back)) << "code page " << cp << " seed " << seed;
      ASSERT_EQ(back, text) << "code page " << cp << " seed " << seed << " round " << round;

      // The same through whole strings.
      EncodedString s = Wide(text);
      ASSERT_TRUE(s.ConvertToCodePage(cp)) << "code page " << cp << " seed " << seed;
      EXPECT_EQ(Bytes(s), bytes);
      ASSERT_TRUE(s.ConvertToUtf16()) << "code page " << cp << " seed " << seed;
      EXPECT_EQ(Units(s), text) << "code page " << cp << " seed " << seed;
    }
  }
}

TEST_F(CodePageConversion, StringConvertToRules) {
  // Same labels: nothing but SelectAll.
  EncodedString same = Narrow("abc");
  same.Select(1, 2);
  EXPECT_TRUE(same.ConvertTo(EncodedString::kUnitSingleByte, 1252));
  EXPECT_EQ(same.selEnd, 3u);
  // Same width, one side unlabelled: relabelled.
  EncodedString relabel;
  relabel.AssignRaw("abc", 3, EncodedString::kUnitSingleByte, -1);
  EXPECT_TRUE(relabel.ConvertTo(EncodedString::kUnitSingleByte, 1252));
  EXPECT_EQ(relabel.CodePage(), 1252);
  EXPECT_EQ(Bytes(relabel), "abc");
  // An empty string changes only its labels.
  EncodedString empty;
  EXPECT_TRUE(empty.ConvertToCodePage(932));
  EXPECT_EQ(empty.CodePage(), 932);
  EXPECT_EQ(empty.UnitKind(), EncodedString::kUnitMultibyte);
  EXPECT_EQ(empty.buffer, nullptr);
  // No unit kind: error 6.
  EncodedString unknown;
  unknown.AssignRaw("abc", 3, EncodedString::kUnitNone, 1252);
  EXPECT_FALSE(unknown.ConvertToUtf16());
  EXPECT_EQ(unknown.GetError(), kErrorConversion);
  // 1252 -> UTF-16 -> 932 -> UTF-8.
  EncodedString s = Narrow("caf\xE9 \x80");
  ASSERT_TRUE(s.ConvertToUtf16());
  EXPECT_EQ(Units(s), u"caf\u00E9 \u20AC");
  ASSERT_TRUE(s.ConvertToCodePage(65001));
  EXPECT_EQ(Bytes(s), "caf\xC3\xA9 \xE2\x82\xAC");
  // Characters the target lacks: condition 3, success.
  EncodedString lossy = Wide(u"a\u4E00b");
  EXPECT_TRUE(lossy.ConvertToCodePage(1252));
  EXPECT_EQ(lossy.GetCondition(), kConditionReplaced);
  EXPECT_EQ(Bytes(lossy), "a?b");
  // An earlier error blocks the conversion and keeps the text.
  EncodedString failed = Narrow("abc");
  failed.SetError(kErrorNoMemory);
  EXPECT_FALSE(failed.ConvertToUtf16());
  EXPECT_EQ(Bytes(failed), "abc");
}

TEST_F(CodePageConversion, UnsupportedPagesFailAndKeepTheText) {
  devtest::SetSupportedCodePages({1252, 65001, 0});
  devtest::SetModulePresent("mlang.dll", false);
  EncodedString sjis = Narrow("\x82\xA0", 932);
  EXPECT_FALSE(sjis.ConvertToUtf16());
  EXPECT_EQ(sjis.GetError(), kErrorNotWideConvertible);
  EXPECT_EQ(Bytes(sjis), "\x82\xA0");
  EXPECT_EQ(sjis.CodePage(), 932);

  EncodedString wide = Wide(u"\u3042");
  EXPECT_FALSE(wide.ConvertToCodePage(936));
  EXPECT_EQ(wide.GetError(), kErrorConversion);
  EXPECT_EQ(Units(wide), u"\u3042");
}

TEST_F(CodePageConversion, PageThePlatformLacksGoesThroughMlang) {
  devtest::SetSupportedCodePages({1252, 65001, 0});
  const std::string sjis = "\x82\xA0z";
  uint32_t len = 0;
  EXPECT_EQ(MultiByteToWide(U8(sjis), 3, 932, nullptr, &len), kConvertFailed);
  EXPECT_EQ(len, 4u);
  std::u16string wide;
  ASSERT_TRUE(ToWide(sjis, 932, &wide));
  EXPECT_EQ(wide, u"\u3042z");
  WCHAR small[1];
  len = sizeof(small);
  EXPECT_EQ(MultiByteToWide(U8(sjis), 3, 932, small, &len), kConvertFailed);
  EXPECT_EQ(len, 4u);

  EncodedString s = Narrow(sjis, 932);
  ASSERT_TRUE(s.ConvertToUtf16());
  EXPECT_EQ(Units(s), u"\u3042z");
}

TEST_F(CodePageConversion, WithoutMlangThatPageFailsSoftly) {
  devtest::SetSupportedCodePages({1252, 65001, 0});
  devtest::SetModulePresent("mlang.dll", false);
  std::u16string wide;
  EXPECT_FALSE(ToWide("\x82\xA0", 932, &wide));
  uint32_t len = 0;
  EXPECT_EQ(MultiByteToWide(U8("\x82\xA0"), 2, 932, nullptr, &len), kConvertFailed);
  // The pages the platform has still work.
  ASSERT_TRUE(ToWide("\xE9", 1252, &wide));
  EXPECT_EQ(wide, u"\u00E9");

  // A module without the export fails the same way.
  devtest::SetModulePresent("mlang.dll", true);
  devtest::SetExportPresent("mlang.dll", "ConvertINetMultiByteToUnicode", false);
  EXPECT_FALSE(ToWide("\x82\xA0", 932, &wide));
  devtest::SetExportPresent("mlang.dll", "ConvertINetMultiByteToUnicode", true);
  EXPECT_TRUE(ToWide("\x82\xA0", 932, &wide));
}

TEST_F(CodePageConversion, RollbackWhenMemoryRunsOut) {
  for (long n = 1; n <= 3; ++n) {
    EncodedString s = Narrow("caf\xE9");
    s.SetWipeOnFree(true);
    devtest::AllocationFailure fail(n);
    bool ok = s.ConvertToUtf16();
    if (!ok) {
      EXPECT_EQ(s.GetError(), kErrorNoMemory) << n;
      EXPECT_EQ(Bytes(s), "caf\xE9") << n;
      EXPECT_EQ(s.CodePage(), 1252);
    } else {
      EXPECT_EQ(Units(s), u"caf\u00E9") << n;
    }
    EXPECT_TRUE(s.wipeOnFree);
  }
  for (long n = 1; n <= 3; ++n) {
    EncodedString s = Narrow("\x82\xA0", 932);
    devtest::AllocationFailure fail(n);
    if (!s.ConvertToCodePage(65001)) {
      EXPECT_EQ(Bytes(s), "\x82\xA0") << n;
      EXPECT_EQ(s.CodePage(), 932);
    } else {
      EXPECT_EQ(Bytes(s), "\xE3\x81\x82") << n;
    }
  }
}

TEST_F(CodePageConversion, AppendConvertedMatchWidthAndSwap) {
  EncodedString target = Narrow("x");
  target.AppendConverted(Wide(u"\u00E9\u4E00"));
  EXPECT_EQ(Bytes(target), "x\xE9?");
  EXPECT_EQ(target.GetCondition(), kConditionReplaced);

  EncodedString blocked = Narrow("x");
  devtest::SetSupportedCodePages({65001});
  blocked.AppendConverted(Wide(u"y"));
  EXPECT_EQ(blocked.GetError(), kErrorConversion);
  EXPECT_EQ(Bytes(blocked), "x");
  devtest::ResetCodePages();

  EncodedString sep = Narrow("\\");
  sep.MatchWidth(Wide(u"\\path"));
  EXPECT_EQ(sep.CodePage(), 65002);
  EXPECT_EQ(Units(sep), u"\\");
  EncodedString wide = Wide(u"\\");
  wide.MatchWidth(Narrow("path"));
  EXPECT_EQ(wide.CodePage(), 1252);
  EXPECT_EQ(Bytes(wide), "\\");

  EncodedString swap = Wide(u"\u0102\u0304");
  swap.Select(1, 2);
  swap.SwapUtf16Bytes();
  EXPECT_EQ(Units(swap), u"\u0102\u0403");
}
