// The device's code-page converters: known characters of each page both
// ways, the 1252 specifics, size queries, errors, invalid input, round trips
// of every character a page can represent, and the test-controlled page set.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/core/last_error.h"
#include "platform/testing/text.h"
#include "platform/text/code_page_conversion.h"

namespace {

constexpr char16_t kFffd = 0xFFFD;

// Converts with a size query first, as callers do; "<error N>" on failure.
std::u16string ToWide(UINT cp, const std::string& bytes, DWORD flags = 0) {
  int n = MultiByteToWideChar(cp, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (n == 0) {
    std::string error = "<error " + std::to_string(GetLastError()) + ">";
    return std::u16string(error.begin(), error.end());
  }
  std::u16string out(n, u'\0');
  EXPECT_EQ(MultiByteToWideChar(cp, flags, bytes.data(), static_cast<int>(bytes.size()), out.data(), n), n);
  return out;
}

std::string ToBytes(UINT cp, const std::u16string& text, bool* used, const char* defaultChar = nullptr) {
  BOOL usedDefault = 7;
  int n = WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, defaultChar,
                              used ? &usedDefault : nullptr);
  EXPECT_GT(n, 0) << "error " << GetLastError();
  if (n <= 0) return "<error>";
  std::string out(n, '\0');
  EXPECT_EQ(WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), out.data(), n, defaultChar,
                                used ? &usedDefault : nullptr),
            n);
  if (used) {
    EXPECT_TRUE(usedDefault == TRUE || usedDefault == FALSE);
    *used = usedDefault == TRUE;
  }
  return out;
}

struct PageCase {
  UINT cp;
  std::string bytes;
  std::u16string text;
};

const PageCase kKnownCharacters[] = {
    {1252, "A\x80\x8A\x9F\xA0\xE9\xFF", u"A\u20AC\u0160\u0178\u00A0\u00E9\u00FF"},
    {1252, "\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"},
    {CP_ACP, "\x80\x99", u"\u20AC\u2122"},
    {CP_UTF8, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", u"a\u00E9\u20AC\U0001F600"},
    {932, "\x82\xA0\x93\xFA\x96\x7B\xB1z", u"\u3042\u65E5\u672C\uFF71z"},
    {936, "\xC4\xE3\xBA\xC3\x80", u"\u4F60\u597D\u20AC"},
    {949, "\xC7\xD1\xB1\xDB", u"\uD55C\uAE00"},
    {950, "\xA4\xA4\xA4\xE5", u"\u4E2D\u6587"},
    {51932, "\xA4\xA2\x8E\xB1\xC6\xFC", u"\u3042\uFF71\u65E5"},
};

TEST(CodePageConversion, KnownCharactersConvertBothWays) {
  for (const PageCase& c : kKnownCharacters) {
    SCOPED_TRACE(c.cp);
    EXPECT_EQ(ToWide(c.cp, c.bytes), c.text);
    bool used = false;
    EXPECT_EQ(ToBytes(c.cp, c.text, c.cp == CP_UTF8 ? nullptr : &used), c.bytes);
    EXPECT_FALSE(used);
  }
}

struct DefaultCase {
  UINT cp;
  std::u16string text;
  const char* defaultChar;
  std::string bytes;
};

TEST(CodePageConversion, JapanesePagesMapAFewCharactersOneWay) {
  const PageCase cases[] = {{932, "\x5C\x81\x5C", u"\u00A5\u2014"}, {51932, "\x5C\xA1\xBD", u"\u00A5\u2014"}};
  for (const PageCase& c : cases) {
    bool used = true;
    EXPECT_EQ(ToBytes(c.cp, c.text, &used), c.bytes);
    EXPECT_FALSE(used);
    EXPECT_EQ(ToWide(c.cp, c.bytes), u"\\\u2015");
  }
}

TEST(CodePageConversion, CharactersWithoutEquivalentBecomeTheDefaultChar) {
  const DefaultCase cases[] = {
      {1252, u"\u0100", nullptr, "?"},       // no best fit: not "A"
      {1252, u"\u2011x", nullptr, "?x"},     // non-breaking hyphen: not "-"
      {1252, u"\u0080\u0098", nullptr, "??"},  // C1 controls 1252 does not keep
      {1252, u"a\U0001F600b", nullptr, "a?b"},  // one default for the pair
      {1252, u"\u0100", "*", "*"},
      {CP_ACP, u"\u4E2D", nullptr, "?"},
      {932, u"\u00E9\u3042", nullptr, "?\x82\xA0"},
      {932, u"\u00E9", "\x81\x45", "\x81\x45"},  // a two-byte default
      {936, u"\u0E01", nullptr, "?"},
      {949, u"\u0E01", nullptr, "?"},
      {950, u"\u0E01", nullptr, "?"},
      {51932, u"\u0E01", nullptr, "?"},
  };
  for (const DefaultCase& c : cases) {
    SCOPED_TRACE(c.cp);
    bool used = false;
    EXPECT_EQ(ToBytes(c.cp, c.text, &used, c.defaultChar), c.bytes);
    EXPECT_TRUE(used);
  }
}

TEST(CodePageConversion, LoneSurrogatesAreReplaced) {
  const std::u16string lone[] = {std::u16string(u"a") + char16_t(0xD800) + u"b",
                                 std::u16string(u"a") + char16_t(0xDC00) + u"b",
                                 std::u16string(u"ab") + char16_t(0xD83D)};
  for (const std::u16string& text : lone) {
    bool used = false;
    std::string bytes = ToBytes(1252, text, &used);
    EXPECT_EQ(bytes.size(), 3u);
    EXPECT_NE(bytes.find('?'), std::string::npos);
    EXPECT_TRUE(used);
    used = false;
    EXPECT_NE(ToBytes(932, text, &used).find('?'), std::string::npos);
    EXPECT_TRUE(used);
    EXPECT_NE(ToBytes(CP_UTF8, text, nullptr).find("\xEF\xBF\xBD"), std::string::npos);
  }
}

TEST(CodePageConversion, SizeQueriesAndTerminator) {
  const char* text = "caf\xE9";
  EXPECT_EQ(MultiByteToWideChar(1252, 0, text, -1, nullptr, 0), 5);  // terminator counted
  char16_t wide[8] = {u'x', u'x', u'x', u'x', u'x', u'x'};
  EXPECT_EQ(MultiByteToWideChar(1252, 0, text, -1, wide, 0), 5);  // zero size: a query, nothing written
  EXPECT_EQ(wide[0], u'x');
  EXPECT_EQ(MultiByteToWideChar(1252, 0, text, -1, wide, 5), 5);
  EXPECT_EQ(std::u16string(wide), u"caf\u00E9");
  EXPECT_EQ(MultiByteToWideChar(1252, 0, text, 4, wide, 4), 4);  // exact size, no terminator

  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"\u20AC", -1, nullptr, 0, nullptr, nullptr), 4);
  EXPECT_EQ(WideCharToMultiByte(932, 0, u"\u3042a", -1, nullptr, 0, nullptr, nullptr), 4);
  char narrow[8];
  EXPECT_EQ(WideCharToMultiByte(932, 0, u"\u3042a", -1, narrow, 4, nullptr, nullptr), 4);
  EXPECT_STREQ(narrow, "\x82\xA0" "a");
  // Longer than a counting block: the query sees the whole text.
  std::string many(5000, '\x82');
  for (size_t i = 1; i < many.size(); i += 2) many[i] = '\xA0';
  EXPECT_EQ(MultiByteToWideChar(932, 0, many.data(), static_cast<int>(many.size()), nullptr, 0), 2500);
  std::u16string hiragana(2500, u'\u3042');
  EXPECT_EQ(WideCharToMultiByte(932, 0, hiragana.data(), 2500, nullptr, 0, nullptr, nullptr), 5000);
}

TEST(CodePageConversion, OutputTooSmallAnswers122) {
  struct Case {
    UINT cp;
    std::string bytes;
    int room;
  };
  const Case cases[] = {{1252, "abc", 2}, {CP_UTF8, "\xF0\x9F\x98\x80", 1}, {932, "\x82\xA0\x82\xA2", 1},
                        {51932, "abc", 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cp);
    char16_t wide[4];
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(c.cp, 0, c.bytes.data(), static_cast<int>(c.bytes.size()), wide, c.room), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    std::u16string text = ToWide(c.cp, c.bytes);
    char narrow[8];
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(c.cp, 0, text.data(), static_cast<int>(text.size()), narrow,
                                  static_cast<int>(c.bytes.size()) - 1, nullptr, nullptr),
              0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  }
  // A default character that does not fit either.
  char one[1];
  BOOL used = FALSE;
  EXPECT_EQ(WideCharToMultiByte(932, 0, u"\u00E9", 1, one, 1, "\x81\x45", &used), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST(CodePageConversion, BadArgumentsAndUnsupportedPagesAnswer87) {
  char16_t wide[8];
  char narrow[8];
  BOOL used;
  struct Call {
    const char* what;
    int (*run)(char16_t*, char*, BOOL*);
  };
  const Call calls[] = {
      {"unknown page", [](char16_t* w, char*, BOOL*) { return MultiByteToWideChar(1251, 0, "a", 1, w, 8); }},
      {"7-bit page", [](char16_t* w, char*, BOOL*) { return MultiByteToWideChar(20105, 0, "a", 1, w, 8); }},
      {"65020", [](char16_t*, char* n, BOOL*) { return WideCharToMultiByte(65020, 0, u"a", 1, n, 8, nullptr, nullptr); }},
      {"null source", [](char16_t* w, char*, BOOL*) { return MultiByteToWideChar(1252, 0, nullptr, 1, w, 8); }},
      {"zero length", [](char16_t* w, char*, BOOL*) { return MultiByteToWideChar(1252, 0, "a", 0, w, 8); }},
      {"length -2", [](char16_t*, char* n, BOOL*) { return WideCharToMultiByte(1252, 0, u"a", -2, n, 8, nullptr, nullptr); }},
      {"null output with size", [](char16_t*, char*, BOOL*) { return MultiByteToWideChar(1252, 0, "a", 1, nullptr, 4); }},
      {"negative size", [](char16_t* w, char*, BOOL*) { return MultiByteToWideChar(1252, 0, "a", 1, w, -1); }},
      {"unknown flag", [](char16_t* w, char*, BOOL*) { return MultiByteToWideChar(1252, 0x100, "a", 1, w, 8); }},
      {"default char with UTF-8",
       [](char16_t*, char* n, BOOL* u) { return WideCharToMultiByte(CP_UTF8, 0, u"a", 1, n, 8, nullptr, u); }},
  };
  for (const Call& call : calls) {
    SetLastError(0);
    EXPECT_EQ(call.run(wide, narrow, &used), 0) << call.what;
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER) << call.what;
  }
  // The flags the system passes are accepted.
  EXPECT_EQ(MultiByteToWideChar(932, MB_PRECOMPOSED, "a", 1, wide, 8), 1);
  EXPECT_EQ(WideCharToMultiByte(932, WC_COMPOSITECHECK, u"a", 1, narrow, 8, nullptr, &used), 1);
}

TEST(CodePageConversion, InvalidInputBecomesReplacementOrFails1113) {
  const PageCase cases[] = {
      {CP_UTF8, "a\xE2\x82" "b", std::u16string(u"a") + kFffd + u"b"},    // cut short: one
      {CP_UTF8, "\xC0\xAF", {kFffd, kFffd}},                            // overlong
      {CP_UTF8, "\xED\xA0\x80", {kFffd, kFffd, kFffd}},                 // encoded surrogate
      {CP_UTF8, "\xF4\x90\x80\x80", {kFffd, kFffd, kFffd, kFffd}},      // above U+10FFFF
      {CP_UTF8, "\xFF" "a\x80", std::u16string() + kFffd + u"a" + kFffd},
      {CP_UTF8, "\xF0\x9F\x98", {kFffd}},                               // cut at the end
      {932, "\x85\x40" "a", std::u16string() + kFffd + u"a"},            // unassigned pair: one
      {932, "\x82\xA0\x82", std::u16string(u"\u3042") + kFffd},          // lead byte at the end
      {932, "\x82 ", std::u16string() + kFffd + u" "},                   // lead without its trail
      {936, "\xFF", {kFffd}},
      {51932, "\xA4", {kFffd}},
      {51932, "\x8F\xA2", {kFffd}},
      // A pair the system's table lacks, reported only once consumed.
      {949, "\xA2\xE8", {kFffd}},
      {949, "N\xA2\xE8", std::u16string(u"N") + kFffd},
  };
  for (const PageCase& c : cases) {
    SCOPED_TRACE(c.cp);
    SCOPED_TRACE(::testing::PrintToString(c.bytes));
    EXPECT_EQ(ToWide(c.cp, c.bytes), c.text);
    char16_t wide[16];
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(c.cp, MB_ERR_INVALID_CHARS, c.bytes.data(), static_cast<int>(c.bytes.size()),
                                  wide, 16),
              0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
  }
  // 1252 has no invalid byte.
  EXPECT_EQ(MultiByteToWideChar(1252, MB_ERR_INVALID_CHARS, "\x81\xFF", 2, nullptr, 0), 2);
}

// Every BMP character the page represents, one call each, then the whole set
// in one text both ways. Returns how many there are.
size_t RoundTripEveryCharacter(UINT cp) {
  std::u16string all;
  for (char32_t c = 1; c < 0x10000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    char16_t unit = static_cast<char16_t>(c);
    char bytes[4];
    BOOL used = FALSE;
    int n = WideCharToMultiByte(cp, 0, &unit, 1, bytes, 4, nullptr, &used);
    EXPECT_GT(n, 0);
    if (used) continue;
    char16_t back[2];
    EXPECT_EQ(MultiByteToWideChar(cp, MB_ERR_INVALID_CHARS, bytes, n, back, 2), 1) << std::hex << static_cast<uint32_t>(c);
    EXPECT_EQ(back[0], unit) << std::hex << static_cast<uint32_t>(c);
    all.push_back(unit);
  }
  bool used = true;
  std::string narrow = ToBytes(cp, all, &used);
  EXPECT_FALSE(used);
  EXPECT_TRUE(ToWide(cp, narrow, MB_ERR_INVALID_CHARS) == all);
  return all.size();
}

TEST(CodePageConversion, EveryRepresentableCharacterRoundTrips) {
  EXPECT_EQ(RoundTripEveryCharacter(1252), 255u);  // every byte but 0
  EXPECT_GT(RoundTripEveryCharacter(936), 20000u);
  // And every 1252 byte back to itself.
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  bool used = true;
  EXPECT_EQ(ToBytes(1252, ToWide(1252, bytes), &used), bytes);
  EXPECT_FALSE(used);
}

// Runs of ASCII are widened many bytes at a time: a long run broken by a
// byte the table changes, or by one above it, at every offset decodes as
// byte by byte.
TEST(CodePageConversion, Cp1252AsciiRunsBrokenAtEveryOffset) {
  const std::string ascii = "The quick brown fox jumps over the lazy dog, 0123456789!";
  for (const char* inserted : {"\x80", "\x9F", "\xE9", "\x80\x80"}) {
    for (size_t at = 0; at <= ascii.size(); ++at) {
      const std::string bytes = ascii.substr(0, at) + inserted + ascii.substr(at);
      std::u16string expected;
      for (char b : bytes) expected += ToWide(1252, std::string(1, b));
      EXPECT_EQ(ToWide(1252, bytes), expected) << "at " << at;
    }
  }
}

// Random bytes and random UTF-16 (lone surrogates included) through every
// page: the size a query answers is the size written, one unit short answers
// 122, and decoded text re-encodes without a default character.
TEST(CodePageConversion, RandomInputKeepsSizesConsistent) {
  const unsigned seed = 20240611;
  SCOPED_TRACE(seed);
  std::mt19937 random(seed);
  for (UINT cp : {1252u, 932u, 936u, 949u, 950u, 51932u, 65001u}) {
    SCOPED_TRACE(cp);
    for (int round = 0; round < 100; ++round) {
      std::string bytes(1 + random() % 40, '\0');
      for (char& b : bytes) b = static_cast<char>(random() % 3 == 0 ? 0x20 + random() % 0x60 : 0x80 + random() % 0x80);
      int n = MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
      ASSERT_GT(n, 0);
      std::u16string wide(n, u'\0');
      if (n > 1) {
        ASSERT_EQ(MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n - 1), 0);
        EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
      }
      ASSERT_EQ(MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n), n);
      // U+FFFD is the only character a page may lack here.
      BOOL used = FALSE;
      int m = WideCharToMultiByte(cp, 0, wide.data(), n, nullptr, 0, nullptr, cp == CP_UTF8 ? nullptr : &used);
      EXPECT_GT(m, 0);
      if (!used && wide.find(kFffd) == std::u16string::npos) {
        EXPECT_EQ(ToWide(cp, ToBytes(cp, wide, nullptr)), wide);
      }

      std::u16string text(1 + random() % 40, u'\0');
      for (char16_t& u : text) u = static_cast<char16_t>(random() % 2 ? 0x20 + random() % 0x400 : random() % 0x10000);
      int size = WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
      ASSERT_GT(size, 0);
      std::string narrow(size, '\0');
      if (size > 1) {
        ASSERT_EQ(WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size - 1,
                                      nullptr, nullptr),
                  0);
        EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
      }
      ASSERT_EQ(WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), narrow.data(), size, nullptr,
                                    nullptr),
                size);
    }
  }
}

TEST(CodePageConversion, SupportedSetIsConfigurable) {
  EXPECT_EQ(GetACP(), 1252u);
  for (UINT cp : {1252u, 932u, 936u, 949u, 950u, 51932u, 65001u}) EXPECT_TRUE(IsValidCodePage(cp)) << cp;
  EXPECT_FALSE(IsValidCodePage(CP_ACP));
  EXPECT_FALSE(IsValidCodePage(1251));

  devtest::SetSupportedCodePages({1252, 65001});
  EXPECT_FALSE(IsValidCodePage(932));
  EXPECT_TRUE(IsValidCodePage(1252));
  char16_t wide[4];
  EXPECT_EQ(MultiByteToWideChar(932, 0, "a", 1, wide, 4), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "a", 1, wide, 4), 0);  // 0 not listed
  EXPECT_EQ(MultiByteToWideChar(65001, 0, "a", 1, wide, 4), 1);

  devtest::SetSupportedCodePages({0});
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "\x80", 1, wide, 4), 1);
  EXPECT_EQ(wide[0], u'\u20AC');

  devtest::ResetCodePages();
  EXPECT_TRUE(IsValidCodePage(932));
}

TEST(CodePageConversion, ThreadsConvertAtOnce) {
  std::vector<std::thread> threads;
  std::vector<int> failures(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t, &failures] {
      const UINT pages[] = {932, 936, 949, 950, 51932};
      for (int i = 0; i < 200; ++i) {
        UINT cp = pages[(t + i) % 5];
        char bytes[8];
        int n = WideCharToMultiByte(cp, 0, u"\u4E2Da", 2, bytes, 8, nullptr, nullptr);
        char16_t back[4];
        if (n <= 0 || MultiByteToWideChar(cp, 0, bytes, n, back, 4) != 2 || back[0] != u'\u4E2D') ++failures[t];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(failures, std::vector<int>(4, 0));
}

}  // namespace
