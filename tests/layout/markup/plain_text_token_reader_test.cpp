// The plain-text reader's element sequences: the HTML and BODY frame, words,
// runs of spaces and of tabs, line breaks of every form, long words in
// pieces, control characters passed over; restarting inside the text and
// saving and loading its state.
#include "layout/markup/plain_text_token_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/streams/byte_stream.h"
#include "layout/markup/keyword_ids.h"
#include "tests/support/fake_document.h"

namespace {

std::string Narrow(const SharedWideString& s) {
  std::string out;
  for (uint32_t i = 0; i < s.length; ++i) out.push_back(s.Chars()[i] < 128 ? static_cast<char>(s.Chars()[i]) : '?');
  return out;
}

// One element: "<HTML>", "</BODY>", "<BR/>", "t:text", "_" (white space),
// "end".
std::string Describe(PlainTextTokenReader& reader, int32_t kind) {
  switch (kind) {
    case kElementTag: {
      bool closing = false, self = false;
      const uint32_t tag = reader.GetTag(&closing, &self);
      const char* name = tag == kMarkupHtml ? "HTML" : tag == kMarkupBody ? "BODY" : tag == kMarkupBr ? "BR" : "?";
      return std::string(closing ? "</" : "<") + name + (self ? "/>" : ">");
    }
    case kElementText: return "t:" + Narrow(reader.GetText());
    case kElementSpace: return "_";
    case kElementEnd: return "end";
    default: return "kind " + std::to_string(kind);
  }
}

std::vector<std::string> ReadAll(PlainTextTokenReader& reader, size_t limit = 1000) {
  std::vector<std::string> out;
  while (out.size() < limit) {
    const int32_t kind = reader.Next();
    out.push_back(Describe(reader, kind));
    if (kind == kElementEnd) break;
  }
  return out;
}

struct Reading {
  explicit Reading(std::u16string text, uint32_t blockSize = 7) {
    document.Adopt(new FakeDocument(std::move(text), blockSize));
    reader.AttachSource(document.Get(), 0);
    reader.Restart(0, false);
  }
  RefPtr<FakeDocument> document;
  PlainTextTokenReader reader;
};

using Seq = std::vector<std::string>;

Seq Framed(Seq body) {
  Seq out{"<HTML>", "<BODY>"};
  out.insert(out.end(), body.begin(), body.end());
  for (const char* s : {"</BODY>", "</HTML>", "end"}) out.push_back(s);
  return out;
}

TEST(PlainTextReader, GivesTheElementsOfEachKindOfText) {
  const std::string w30(30, 'w');
  struct Case {
    const char* name;
    std::u16string text;
    Seq body;
  };
  const Case cases[] = {
      {"empty", u"", {}},
      {"words, a space, CR LF", u"a b\r\n", {"t:a", "_", "t:b", "<BR/>"}},
      {"a blank line", u"\n\n", {"<BR/>", "<BR/>"}},
      {"LF CR is one break, CR CR two", u"a\n\rb\r\rc", {"t:a", "<BR/>", "t:b", "<BR/>", "<BR/>", "t:c"}},
      {"three spaces", u"a   b", {"t:a", "t:  ", "_", "t:b"}},
      {"two tabs after a letter", u"a\t\tb", {"t:a", "t:" + std::string(14, ' '), "_", "t:b"}},
      {"a tab at a tab stop less one", u"abcdefg\tb", {"t:abcdefg", "_", "t:b"}},
      {"a long word in pieces", u"wwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwwww", {"t:" + w30, "t:wwwwwwwwww"}},
      {"control characters passed over", u"a\x01\x02" u"b", {"t:a", "t:b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Reading r(c.text);
    EXPECT_EQ(ReadAll(r.reader), Framed(c.body));
    EXPECT_EQ(ReadAll(r.reader, 2), (Seq{"end"}));  // and it stays ended
  }
}

TEST(PlainTextReader, CountsColumnsForTabsAcrossWords) {
  Reading r(u"a\t\tb\tc\nd\te");
  Seq seq = ReadAll(r.reader);
  // a at 0, tabs to 16, b at 16, a tab to 24, c at 24; after the break d
  // at 0 and a tab to 8.
  EXPECT_EQ(seq, Framed({"t:a", "t:" + std::string(14, ' '), "_", "t:b", "t:" + std::string(6, ' '), "_", "t:c",
                         "<BR/>", "t:d", "t:" + std::string(6, ' '), "_", "t:e"}));
}

TEST(PlainTextReader, RestartsInsideTheTextAndCarriesItsState) {
  Reading r(u"one two\tthree\nfour five six seven");
  // Restarting inside "two" goes on to the element after it; columns
  // count from the restart ("wo" at 0, the tab to 8).
  ASSERT_TRUE(r.reader.Restart(5, true));
  Seq rest = ReadAll(r.reader);
  ASSERT_FALSE(rest.empty());
  EXPECT_EQ(rest.front(), "t:     ");

  // The state saved after "four" resumes there in another reader.
  r.reader.Restart(0, false);
  Seq all = ReadAll(r.reader);
  r.reader.Restart(0, false);
  ByteStream saved;
  size_t read = 0;
  for (; read < all.size(); ++read) {
    r.reader.Next();
    if (r.reader.GetKind() == kElementText && Narrow(r.reader.GetText()) == "four") break;
  }
  ASSERT_TRUE(r.reader.SaveState(&saved));
  PlainTextTokenReader other;
  other.AttachSource(r.document.Get(), 0);
  saved.readPos = 0;
  ASSERT_TRUE(other.LoadState(&saved));
  EXPECT_EQ(other.Column(), 4u);
  EXPECT_EQ(ReadAll(other), Seq(all.begin() + static_cast<long>(read) + 1, all.end()));

  ByteStream shortState;
  const uint32_t two[2] = {1, 5};
  ASSERT_TRUE(shortState.WriteU32BE(two, 2));
  EXPECT_FALSE(other.LoadState(&shortState));
}

}  // namespace
