// SharedWideString as text: parsing and appending numbers, URL escaping,
// positional formatting and the conversions to and from EncodedString.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/encoded_string/encoded_string.h"
#include "foundation/wide_string/shared_wide_string.h"

namespace {

std::u16string Text(const SharedWideString& s) {
  return s.length == 0 ? std::u16string() : std::u16string(s.Chars(), s.length);
}

SharedWideString Make(const std::u16string& text) {
  SharedWideString s;
  EXPECT_TRUE(s.FromChars(text.data(), static_cast<uint32_t>(text.size())));
  return s;
}

// ---- Numbers

TEST(SharedWideStringNumber, ParseUnsigned) {
  struct Case {
    std::u16string text;
    uint32_t radix;
    bool ok;
    uint32_t value;
  } cases[] = {
      {u"FF", 16, true, 255},
      {u"ff", 16, true, 255},
      {u"Zz", 36, true, 35 * 36 + 35},
      {u"0", 10, true, 0},
      {u"007", 8, true, 7},
      {u"4294967295", 10, true, 0xFFFFFFFF},
      {u"FFFFFFFF", 16, true, 0xFFFFFFFF},
      {u"37777777777", 8, true, 0xFFFFFFFF},
      {u"11111111111111111111111111111111", 2, true, 0xFFFFFFFF},
      {u"1z141z3", 36, true, 0xFFFFFFFF},
      {u"0000000000004294967295", 10, true, 0xFFFFFFFF},
      {u"0", 1, true, 0},
      // Overflow, including the values whose last step used to wrap.
      {u"4294967296", 10, false, 0},
      {u"4294967299", 10, false, 0},
      {u"100000000", 16, false, 0},
      {u"40000000000", 8, false, 0},
      {u"100000000000000000000000000000000", 2, false, 0},
      {u"1z141z4", 36, false, 0},
      {u"99999999999", 10, false, 0},
      // Not numbers of the radix.
      {u"a", 10, false, 0},
      {u"8", 8, false, 0},
      {u"1", 1, false, 0},
      {u"", 10, false, 0},
      {u"12", 0, false, 0},
      {u"+1", 10, false, 0},
      {u" 1", 10, false, 0},
      {u"1 ", 10, false, 0},
      {u"\uFF11", 10, false, 0},  // a fullwidth digit is not a digit here
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(testing::Message() << "case " << (&t - cases) << " radix " << t.radix);
    uint32_t out = 0xDEADBEEF;
    EXPECT_EQ(Make(t.text).ParseUnsigned(t.radix, &out), t.ok);
    EXPECT_EQ(out, t.ok ? t.value : 0xDEADBEEF) << "written only on success";
  }
}

TEST(SharedWideStringNumber, ParseInt) {
  struct Case {
    std::u16string text;
    uint32_t radix;
    bool ok;
    int32_t value;
  } cases[] = {
      {u"-5", 10, true, -5},
      {u"+5", 10, true, 5},
      {u"- 5", 10, true, -5},
      {u"-\t 7", 10, true, -7},
      {u"-ff", 16, true, -255},
      {u"2147483647", 10, true, 2147483647},
      {u"-2147483647", 10, true, -2147483647},
      {u"2147483648", 10, false, 0},
      {u"-2147483648", 10, false, 0},  // the magnitude must stay below 2^31
      {u"-4294967299", 10, false, 0},
      {u"4294967299", 10, false, 0},
      {u"-", 10, false, 0},
      {u"- ", 10, false, 0},
      {u"", 10, false, 0},
      {u" 5", 10, false, 0},
      {u"--5", 10, false, 0},
      {u"5-", 10, false, 0},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(testing::Message() << "case " << (&t - cases));
    int32_t out = 12345;
    EXPECT_EQ(Make(t.text).ParseInt(t.radix, &out), t.ok);
    EXPECT_EQ(out, t.ok ? t.value : 12345);
  }
}

TEST(SharedWideStringNumber, AppendNumbers) {
  struct Case {
    uint32_t value, radix;
    std::u16string digits;
  } cases[] = {
      {0, 10, u"0"},          {255, 16, u"FF"},       {4294967295u, 10, u"4294967295"},
      {35, 36, u"Z"},         {5, 2, u"101"},         {4294967295u, 2, std::u16string(32, u'1')},
      {8, 8, u"10"},          {4294967295u, 36, u"1Z141Z3"},
  };
  for (const Case& t : cases) {
    SharedWideString s(u"x=");
    ASSERT_TRUE(s.AppendUnsigned(t.value, t.radix));
    EXPECT_EQ(Text(s), u"x=" + t.digits);
  }
  SharedWideString s(u"x");
  EXPECT_FALSE(s.AppendUnsigned(5, 1));
  EXPECT_FALSE(s.AppendUnsigned(5, 37));
  EXPECT_EQ(Text(s), u"x");

  struct IntCase {
    int32_t value;
    std::u16string text;
  } ints[] = {{0, u"0"}, {-5, u"-5"}, {2147483647, u"2147483647"}, {-2147483647 - 1, u"-2147483648"}};
  for (const IntCase& t : ints) {
    SharedWideString n;
    ASSERT_TRUE(n.AppendInt(t.value));
    EXPECT_EQ(Text(n), t.text);
    int32_t back = 0;
    if (t.value != -2147483647 - 1) {
      EXPECT_TRUE(n.ParseInt(10, &back));
      EXPECT_EQ(back, t.value);
    }
  }
}

// ---- URL text

TEST(SharedWideStringUrl, EncodeAndDecode) {
  struct Case {
    std::u16string text;
    bool encode, strict, ok;
    std::u16string expected;
  } cases[] = {
      // Encoding, strict.
      {u" ", true, true, true, u"%20"},
      {u"a b", true, true, true, u"a%20b"},
      {u"AZaz09-_.~!*'()", true, true, true, u"AZaz09-_.~!*'()"},
      {u"$&+,/:=?@;#", true, true, true, u"%24%26%2B%2C%2F%3A%3D%3F%40%3B%23"},
      {u"\n%", true, true, true, u"%0A%25"},
      {u"caf\u00E9", true, true, true, u"caf%E9"},
      {u"\u0100\u4E2D", true, true, true, u"\u0100\u4E2D"},
      {u"", true, true, true, u""},
      // Encoding, lenient.
      {u"$&+,/:=?@", true, false, true, u"$&+,/:=?@"},
      {u"a;b#c d", true, false, true, u"a%3Bb%23c%20d"},
      // Decoding, strict.
      {u"%41", false, true, true, u"A"},
      {u"%2F%2f", false, true, true, u"//"},
      {u"a+b", false, true, true, u"a b"},
      {u"%e9t%E9", false, true, true, u"\u00E9t\u00E9"},
      {u"x%00y", false, true, true, std::u16string(u"x\0y", 3)},
      {u"%4", false, true, true, u"4"},  // fewer than two characters: the '%' goes
      {u"ab%", false, true, true, u"ab"},
      {u"%+", false, true, true, u" "},
      {u"%zz", false, true, false, u"%zz"},
      {u"ok%4g", false, true, false, u"ok%4g"},
      {u"%+5", false, true, false, u"%+5"},  // a sign is no hexadecimal digit
      {u"%-5", false, true, false, u"%-5"},
      // Decoding, lenient: only the reserved characters come back.
      {u"%2F", false, false, true, u"/"},
      {u"%41", false, false, true, u"%41"},
      {u"%3b%3F%40", false, false, true, u";?@"},
      {u"a+b%20c", false, false, true, u"a b%20c"},
      {u"%zz", false, false, false, u"%zz"},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(testing::Message() << "case " << (&t - cases));
    SharedWideString s = Make(t.text);
    EXPECT_EQ(s.UrlEscape(t.encode, t.strict), t.ok);
    EXPECT_EQ(Text(s), t.expected);
  }
}

TEST(SharedWideStringUrl, UnchangedTextKeepsItsBufferAndRoundTrips) {
  SharedWideString s(u"plain-text");
  SharedWideBuffer* record = s.buffer;
  ASSERT_TRUE(s.UrlEscape(true, true));
  ASSERT_TRUE(s.UrlEscape(false, true));
  EXPECT_EQ(s.buffer, record);

  std::u16string all;
  for (char16_t c = 1; c < 0x120; ++c) all.push_back(c);
  for (bool strict : {true, false}) {
    SharedWideString text = Make(all);
    ASSERT_TRUE(text.UrlEscape(true, strict));
    ASSERT_TRUE(text.UrlEscape(false, true));
    // '+' survives lenient encoding, and decoding reads it as a space.
    std::u16string expected = all;
    if (!strict) expected[u'+' - 1] = u' ';
    EXPECT_EQ(Text(text), expected) << "strict " << strict;
  }
}

// ---- Positional formatting

TEST(SharedWideStringFormat, FormatPositional) {
  std::vector<SharedWideString> ten;
  for (char16_t c = u'a'; c < u'a' + 10; ++c) ten.push_back(Make(std::u16string(1, c)));
  const SharedWideString two[2] = {Make(u"first"), Make(u"second")};
  struct Case {
    std::u16string format;
    const SharedWideString* args;
    uint32_t count;
    std::u16string expected;
  } cases[] = {
      {u"%1 and %2", two, 2, u"first and second"},
      {u"%2%1", two, 2, u"secondfirst"},
      {u"%1%1", two, 2, u"firstfirst"},
      {u"[%3]", two, 2, u"[]"},
      {u"100%%", two, 0, u"100%"},
      {u"%%1", two, 2, u"%1"},
      {u"50%", two, 0, u"50%"},
      {u"%", two, 0, u"%"},
      {u"%x%1", two, 2, u"%xfirst"},
      {u"%1 of %0", ten.data(), 10, u"a of j"},
      {u"%0", two, 2, u""},
      {u"%9", ten.data(), 9, u"i"},
      {u"no placeholders", two, 2, u"no placeholders"},
      {u"", two, 2, u""},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(testing::Message() << "case " << (&t - cases));
    SharedWideString out(u"old");
    ASSERT_TRUE(Make(t.format).FormatPositional(t.args, t.count, &out));
    EXPECT_EQ(Text(out), t.expected);
  }
  // The format may be the output.
  SharedWideString self = Make(u"<%1>");
  ASSERT_TRUE(self.FormatPositional(two, 2, &self));
  EXPECT_EQ(Text(self), u"<first>");
}

// ---- EncodedString

TEST(SharedWideStringEncoded, AssignFromEncodedStrings) {
  SharedWideString s;
  EncodedString utf8;
  ASSERT_TRUE(utf8.AssignBytes("caf\xC3\xA9 \xE2\x82\xAC", 9, 65001));
  ASSERT_TRUE(s.AssignEncodedString(utf8));
  EXPECT_EQ(Text(s), u"caf\u00E9 \u20AC");

  EncodedString latin;
  ASSERT_TRUE(latin.AssignBytes("caf\xE9 \x80", 6, 1252));
  ASSERT_TRUE(s.AssignEncodedString(latin));
  EXPECT_EQ(Text(s), u"caf\u00E9 \u20AC");

  EncodedString wide;
  ASSERT_TRUE(wide.FromWide(u"wide \u4E2D"));
  ASSERT_TRUE(s.AssignEncodedString(wide));
  EXPECT_EQ(Text(s), u"wide \u4E2D");

  EncodedString sevenBit;
  ASSERT_TRUE(sevenBit.AssignBytes("\xC1\x42", 2, 20105));
  ASSERT_TRUE(s.AssignEncodedString(sevenBit));
  EXPECT_EQ(Text(s), u"AB");

  // An empty text clears and succeeds; a page nobody converts fails and
  // leaves the string alone.
  EncodedString empty;
  ASSERT_TRUE(s.AssignEncodedString(empty));
  EXPECT_EQ(s.buffer, nullptr);
  s = Make(u"kept");
  EncodedString refused;
  ASSERT_TRUE(refused.AssignBytes("abc", 3, 65020));
  EXPECT_FALSE(s.AssignEncodedString(refused));
  EXPECT_EQ(Text(s), u"kept");
}

TEST(SharedWideStringEncoded, ToEncodedStringIsUtf16) {
  SharedWideString s(u"text \u20AC");
  EncodedString out;
  ASSERT_TRUE(s.ToEncodedString(&out));
  EXPECT_EQ(out.CodePage(), 65002);
  ASSERT_EQ(out.ByteLength(), 12u);
  EXPECT_EQ(std::memcmp(out.Chars(), s.Chars(), 12), 0);

  SharedWideString back;
  ASSERT_TRUE(back.AssignEncodedString(out));
  EXPECT_EQ(Text(back), Text(s));

  ASSERT_TRUE(SharedWideString().ToEncodedString(&out));
  EXPECT_EQ(out.ByteLength(), 0u);
}

}  // namespace
