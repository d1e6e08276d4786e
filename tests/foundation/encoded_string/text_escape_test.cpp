// Markup escaping with CDATA sections, and URL percent-encoding.
#include "foundation/encoded_string/text_escape.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/foundation/encoded_string/encoded_string_test_util.h"

using estest::Bytes;
using estest::Narrow;
using estest::Units;
using estest::Wide;

TEST(TextEscapeXml, EscapeTable) {
  struct Case {
    const char* source;
    const char* escaped;
  } cases[] = {
      {"plain text", "plain text"},
      {"\"", "&quot;"},
      {"a<b>&c", "a&lt;b&gt;&amp;c"},
      {"x\"y", "x&quot;y"},
      {"", ""},
  };
  for (const Case& c : cases) {
    EncodedString out;
    EXPECT_TRUE(XmlEscape(Narrow(c.source), &out, true));
    EXPECT_EQ(Bytes(out), c.escaped) << c.source;
    EXPECT_EQ(out.CodePage(), 1252);
  }
  EncodedString wide;
  EXPECT_TRUE(XmlEscape(Wide(u"\u00E9<"), &wide, true));
  EXPECT_EQ(Units(wide), u"\u00E9&lt;");
  // Only the selection is read, and a zero character ends the walk.
  EncodedString source = Narrow(std::string("ab<c\0<d", 7));
  source.Select(1, 7);
  EncodedString out;
  XmlEscape(source, &out, true);
  EXPECT_EQ(Bytes(out), "b&lt;c");
}

TEST(TextEscapeXml, UnescapeTable) {
  struct Case {
    const char* source;
    const char* result;
  } cases[] = {
      {"&AMP;", "&"},
      {"&lt;b&gt; &quot;q&Quot;", "<b> \"q\""},
      {"&copy; stays", "&copy; stays"},
      {"a & b", "a & b"},
      {"tail &amp", "tail &amp"},
      {"&foo&amp;", "&foo&amp;"},
      {"<![CDATA[<&amp;>]]>after", "<&amp;>after"},
      {"<![CDATA[x]]>&amp;", "x&amp;"},           // the character behind "]]>" is copied untested
      {"<![CDATA[open &lt; ]", "open &lt; ]"},    // never closed: the rest verbatim
      {"<![CDATA[a]b]]>", "a]b"},
      {"<b>", "<b>"},
  };
  for (const Case& c : cases) {
    EncodedString out;
    EXPECT_TRUE(XmlEscape(Narrow(c.source), &out, false));
    EXPECT_EQ(Bytes(out), c.result) << c.source;
  }
  EncodedString wide;
  XmlEscape(Wide(u"\u4E00&amp;"), &wide, false);
  EXPECT_EQ(Units(wide), u"\u4E00&");
}

TEST(TextEscapeUrl, Encode) {
  struct Case {
    const char16_t* source;
    const char16_t* encoded;
  } cases[] = {
      {u"a b", u"a%20b"},
      {u"path/to-file_1.txt", u"path/to-file_1.txt"},
      {u"\u00E9", u"%C3%A9"},
      {u"~*", u"%7E%2A"},
      {u"\U0001F600", u"%F0%9F%98%80"},
      {u"50%", u"50%25"},
      // Unpaired surrogates are encoded as U+FFFD.
      {u"\xD800" u"a", u"%EF%BF%BDa"},
      {u"a\xDC00", u"a%EF%BF%BD"},
      {u"\xDBFF", u"%EF%BF%BD"},
  };
  for (const Case& c : cases) {
    EncodedString out;
    EXPECT_TRUE(UrlEncode(Wide(c.source), &out, true));
    EXPECT_EQ(Units(out), std::u16string(c.encoded));
    EXPECT_EQ(out.CodePage(), 65002);
  }
  // Long text is encoded in chunks: a pair that straddles one still pairs.
  for (size_t before : {62, 63, 64, 127}) {
    EncodedString out;
    EXPECT_TRUE(UrlEncode(Wide(std::u16string(before, u'a') + u"\U0001F600"), &out, true));
    EXPECT_EQ(Units(out), std::u16string(before, u'a') + u"%F0%9F%98%80") << before;
  }
  EncodedString narrow;
  EXPECT_TRUE(UrlEncode(Narrow("caf\xE9 \x80"), &narrow, true));
  EXPECT_EQ(Bytes(narrow), "caf%C3%A9%20%E2%82%AC");
  EXPECT_EQ(narrow.CodePage(), 1252);
}

TEST(TextEscapeUrl, Decode) {
  struct Case {
    const char16_t* source;
    const char16_t* decoded;
  } cases[] = {
      {u"a+b%41", u"a bA"},
      {u"x%4", u"x4"},
      {u"x%", u"x"},
      {u"%C3%A9t%C3%A9", u"\u00E9t\u00E9"},
      {u"\u00E9+", u"\u00E9 "},          // characters beyond 0x7F survive
      {u"%zz", u"S"},                    // decoded arithmetically: 35 x 16 + 35 = 0x253
      {u"plain", u"plain"},
  };
  for (const Case& c : cases) {
    EncodedString out;
    EXPECT_TRUE(UrlEncode(Wide(c.source), &out, false));
    EXPECT_EQ(Units(out), std::u16string(c.decoded));
  }
  EncodedString narrow;
  EXPECT_TRUE(UrlEncode(Narrow("a%E2%82%AC+%E9"), &narrow, false));
  EXPECT_EQ(Bytes(narrow), "a\x80 ?");  // a lone 0xE9 is no UTF-8: replaced
  EXPECT_EQ(narrow.GetCondition(), kConditionReplaced);
  EncodedString utf8;
  EXPECT_TRUE(UrlEncode(Narrow("%E2%82%AC", 65001), &utf8, false));
  EXPECT_EQ(Bytes(utf8), "\xE2\x82\xAC");
}
