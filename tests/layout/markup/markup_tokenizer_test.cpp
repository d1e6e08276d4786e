// The markup tokenizer: token streams that do not depend on how the
// document cuts its text into blocks, the 30-character text limit with CJK
// and U+200C tokens of their own, token texts with quotes stripped and
// references decoded (hostile numeric references included), blocks given
// back to the document, and resynchronisation after a seek.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/wide_string/shared_wide_string.h"
#include "layout/markup/markup_character_reference.h"
#include "layout/markup/markup_scanner_table.h"
#include "layout/markup/markup_tokenizer.h"
#include "tests/support/fake_document.h"
#include "tests/support/fake_document_markup.h"

namespace {

std::u16string Text(const SharedWideString& s) {
  return s.length == 0 ? std::u16string() : std::u16string(s.Chars(), s.length);
}

struct Token {
  int32_t number;
  std::u16string text;
  uint32_t position;  // after the token
  bool operator==(const Token& o) const {
    return number == o.number && text == o.text && position == o.position;
  }
};

// Tokenizes a whole document as the parser drives the scanner: text tokens
// limited to 30 characters in text mode, a token that is not accepted
// skipped to the next ">".
std::vector<Token> Tokenize(Document& document) {
  MarkupTokenizer tokenizer;
  tokenizer.Scanner().SetTable(GetMarkupScannerTable());
  tokenizer.Attach(&document, 0);
  tokenizer.Seek(0);
  std::vector<Token> tokens;
  for (;;) {
    int32_t number = -1;
    bool textMode = tokenizer.Scanner().Mode() == kModeText;
    int32_t answer = tokenizer.NextToken(&number, textMode ? 30 : -1);
    if (answer == kTokenEnd) break;
    EXPECT_NE(answer, kTokenNoMemory);
    if (answer == kTokenNoMemory) break;
    SharedWideString text;
    EXPECT_TRUE(tokenizer.AppendTokenText(&text));
    if (answer == kTokenNotAccepted) {
      number = -1;
      tokenizer.Scanner().SelectMode(kModeSkipToEnd);
    } else {
      int32_t code = 0;
      bool isText = false;
      tokenizer.GetTokenInfo(number, &code, &isText);
    }
    tokens.push_back({number, Text(text), tokenizer.GetPosition()});
    tokenizer.ReleaseChunks(tokenizer.CurrentBlock());
  }
  return tokens;
}

std::vector<Token> TokenizeUtf8(const std::string& text, uint32_t blockSize, uint32_t scale = 1) {
  auto document = FakeDocument::FromUtf8(text, blockSize, scale);
  std::vector<Token> tokens = Tokenize(*document);
  EXPECT_EQ(document->releaseErrors, 0u);
  return tokens;
}

TEST(MarkupTokenizer, StreamsDoNotDependOnBlockSizes) {
  std::vector<std::string> documents = MarkupCorpus();
  documents.push_back(GenerateMarkupBook(7, 60000));
  for (size_t d = 0; d < documents.size(); ++d) {
    SCOPED_TRACE("document " + std::to_string(d));
    std::vector<Token> reference = TokenizeUtf8(documents[d], 1u << 20);
    ASSERT_FALSE(reference.empty());
    for (uint32_t blockSize : {1u, 2u, 3u, 5u, 64u, 4096u}) {
      for (uint32_t scale : {1u, 2u}) {
        SCOPED_TRACE("block size " + std::to_string(blockSize) + " scale " + std::to_string(scale));
        std::vector<Token> tokens = TokenizeUtf8(documents[d], blockSize, scale);
        ASSERT_EQ(tokens.size(), reference.size());
        for (size_t i = 0; i < tokens.size(); ++i) {
          Token expected = reference[i];
          expected.position *= scale;
          ASSERT_EQ(tokens[i], expected) << "token " << i;
        }
      }
    }
  }
}

TEST(MarkupTokenizer, TextTokensStopAtThirtyCharactersAndBeforeCjk) {
  std::string run(75, 'x');
  std::vector<Token> tokens = TokenizeUtf8(run, 7);
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[0].text.size(), 30u);
  EXPECT_EQ(tokens[1].text.size(), 30u);
  EXPECT_EQ(tokens[2].text.size(), 15u);

  // Two ideographs, a joiner and text: each ideograph and the U+200C alone.
  tokens = TokenizeUtf8("ab\xe4\xb8\xad\xe6\x96\x87\xe2\x80\x8c" "cd", 3);
  ASSERT_EQ(tokens.size(), 5u);
  EXPECT_EQ(tokens[0].text, u"ab");
  EXPECT_EQ(tokens[1].text, u"\u4E2D");
  EXPECT_EQ(tokens[2].text, u"\u6587");
  EXPECT_EQ(tokens[3].text, u"\u200C");
  EXPECT_EQ(tokens[4].text, u"cd");
}

TEST(MarkupTokenizer, TokensOfTextTagsCommentsAndCdata) {
  std::vector<Token> tokens = TokenizeUtf8("abc&amp;def", 4096);
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[0].number, kTokenText);
  EXPECT_EQ(tokens[1].number, kTokenReference);
  EXPECT_EQ(tokens[1].text, u"&amp;");
  EXPECT_EQ(tokens[2].text, u"def");

  tokens = TokenizeUtf8("<!-- a > b -->x", 4096);
  ASSERT_EQ(tokens.size(), 3u);  // "<!--", "-->" (both ignored by the parser), text
  EXPECT_EQ(tokens[0].number, kTokenCommentStart);
  EXPECT_EQ(tokens[1].number, kTokenCommentEnd);
  EXPECT_EQ(tokens[2].text, u"x");

  tokens = TokenizeUtf8("<![CDATA[ a <b> ]]>", 4096);
  ASSERT_EQ(tokens.size(), 2u);
  EXPECT_EQ(tokens[0].number, kTokenCdataStart);
  EXPECT_EQ(tokens[1].number, kTokenCdataText);
  EXPECT_EQ(tokens[1].text, u" a <b> ]]>");

  tokens = TokenizeUtf8("<a href='x' b=\"y\" c=z/>", 4096);
  std::vector<int32_t> numbers;
  for (const Token& t : tokens) numbers.push_back(t.number);
  EXPECT_EQ(numbers, (std::vector<int32_t>{kTokenTagStart, kTokenName, kTokenTagSpace, kTokenName, kTokenEquals,
                                           kTokenQuotedValue, kTokenTagSpace, kTokenName, kTokenEquals,
                                           kTokenQuotedValue, kTokenTagSpace, kTokenName, kTokenEquals,
                                           kTokenUnquotedValue, kTokenTagEnd}));
  EXPECT_EQ(tokens.back().text, u">");
  EXPECT_EQ(tokens[13].text, u"z/");

  // A quote that meets ">" gives no token.
  tokens = TokenizeUtf8("<p a=\"x>y", 4096);
  ASSERT_GE(tokens.size(), 6u);
  EXPECT_EQ(tokens[4].number, kTokenEquals);
  EXPECT_EQ(tokens[5].number, -1);
}

// The decoded text of a document's only token, as an attribute value.
std::u16string ValueText(const std::string& quoted) {
  auto document = FakeDocument::FromUtf8("<p a=" + quoted, 2);
  MarkupTokenizer tokenizer;
  tokenizer.Scanner().SetTable(GetMarkupScannerTable());
  tokenizer.Attach(document.get(), 0);
  tokenizer.Seek(0);
  int32_t token = -1;
  bool afterEquals = false;
  for (;;) {
    int32_t answer = tokenizer.NextToken(&token, -1);
    if (answer != kTokenFound) return u"<none>";
    int32_t code = 0;
    bool isText = false;
    if (!tokenizer.GetTokenInfo(token, &code, &isText)) continue;
    if (afterEquals) break;  // the value, whatever its form
    afterEquals = token == kTokenEquals;
  }
  SharedWideString text;
  EXPECT_TRUE(tokenizer.GetTokenText(&text, true, true, false));
  return Text(text);
}

TEST(MarkupTokenizer, AttributeValuesStripQuotesAndDecodeReferences) {
  struct Case {
    const char* value;
    std::u16string expected;
  };
  const Case cases[] = {
      {"\"&amp;\"", u"&"},
      {"'&#x41;'", u"A"},
      {"\"&#150;\"", u"\u2013"},
      {"\"a&b=c\"", u"a&b=c"},
      {"\"x&amp\"", u"x&"},            // unterminated at the end: decoded
      {"\"&ampx;\"", u"&ampx;"},        // no such entity
      {"\"&amp x\"", u"&amp x"},        // unterminated, followed by more: as it stands
      {"\"&#;&#x;&#12a;\"", u"&#;&#x;&#12a;"},
      {"\"&#0;\"", u"\uFFFD"},
      {"\"&#xD800;&#xDFFF;\"", u"\uFFFD\uFFFD"},
      {"\"&#x110000;\"", u"\uFFFD"},
      {"\"&#4294967361;\"", u"\uFFFD"},  // 2^32 + 65 must not wrap to "A"
      {"\"&#99999999999999999999999;\"", u"\uFFFD"},
      {"\"&#9;&#13;&#32;\"", u"   "},
      {"\"&#x1F600;\"", u"\U0001F600"},
      {"\"&#8194;\"", u"\u00A0"},  // ensp shows as a no-break space
      {"\"&Amp;\"", u"&Amp;"},      // entity names are exact
      {"plain", u"plain"},
      {"'", u"<none>"},
      {"\"\"", u""},
  };
  for (const Case& c : cases) EXPECT_EQ(ValueText(c.value), c.expected) << c.value;
}

TEST(MarkupTokenizer, ReferenceTokensAndZwnj) {
  auto decode = [](const std::string& text, int32_t* answer) {
    auto document = FakeDocument::FromUtf8(text, 3);
    MarkupTokenizer tokenizer;
    tokenizer.Scanner().SetTable(GetMarkupScannerTable());
    tokenizer.Attach(document.get(), 0);
    tokenizer.Seek(0);
    int32_t token = -1;
    EXPECT_EQ(tokenizer.NextToken(&token, 30), kTokenFound);
    EXPECT_EQ(token, kTokenReference);
    SharedWideString out(u"keep");
    *answer = tokenizer.DecodeReferenceToken(&out, true);
    return Text(out);
  };
  int32_t answer = 0;
  EXPECT_EQ(decode("&zwnj;", &answer), u"keep");
  EXPECT_EQ(answer, kReferenceZwnj);
  EXPECT_EQ(decode("&#8204;", &answer), u"keep");
  EXPECT_EQ(answer, kReferenceZwnj);
  EXPECT_EQ(decode("&lt;", &answer), u"keep<");
  EXPECT_EQ(answer, 1);
  EXPECT_EQ(decode("&gt x", &answer), u"keep>");
  EXPECT_EQ(decode("&nosuch;", &answer), u"keep&nosuch;");
  EXPECT_EQ(decode("&", &answer), u"keep&");
  EXPECT_EQ(decode("&#x80;&#159;", &answer), u"keep\u20AC");
}

TEST(MarkupTokenizer, BlocksGoBackToTheDocument) {
  std::string text = GenerateMarkupBook(3, 20000);
  auto document = FakeDocument::FromUtf8(text, 64);
  {
    std::vector<Token> tokens = Tokenize(*document);
    EXPECT_FALSE(tokens.empty());
    EXPECT_LE(document->maxOutstanding, 4u);
  }
  EXPECT_EQ(document->Outstanding(), 0u);
  EXPECT_EQ(document->releaseErrors, 0u);
}

TEST(MarkupTokenizer, SetUpAndTearDown) {
  // Never attached: destroying touches no document.
  alignas(MarkupTokenizer) unsigned char storage[sizeof(MarkupTokenizer)];
  MarkupTokenizer* tokenizer = MarkupTokenizer::ConstructInPlace(storage);
  ASSERT_EQ(static_cast<void*>(tokenizer), static_cast<void*>(storage));
  EXPECT_EQ(tokenizer->HeldBlockCount(), 0u);
  MarkupTokenizer::DestroyInPlace(tokenizer);

  // A block whose characters a string outside still holds is not handed
  // back; the others are.
  auto document = FakeDocument::FromUtf8("first block|second block|third", 12);
  SharedWideString outside;
  tokenizer = MarkupTokenizer::ConstructInPlace(storage);
  tokenizer->Scanner().SetTable(GetMarkupScannerTable());
  tokenizer->Attach(document.get(), 0);
  tokenizer->Seek(0);
  int32_t token = -1;
  ASSERT_EQ(tokenizer->NextToken(&token, 30), kTokenFound);
  outside = tokenizer->Piece(0);
  while (tokenizer->GetPosition() < 14 && tokenizer->NextToken(&token, 30) == kTokenFound) {
  }
  EXPECT_EQ(document->Outstanding(), 2u);
  MarkupTokenizer::DestroyInPlace(tokenizer);
  EXPECT_EQ(document->Outstanding(), 1u);
  EXPECT_EQ(Text(outside), u"first");
}

TEST(MarkupTokenizer, UnreadableBlockEndsTheDocument) {
  auto document = FakeDocument::FromUtf8("<p>one two three four</p>", 4);
  document->failReadFrom = 3;
  std::vector<Token> tokens = Tokenize(*document);
  EXPECT_FALSE(tokens.empty());
  EXPECT_LT(tokens.size(), 8u);
  EXPECT_EQ(document->Outstanding(), 0u);
}

TEST(MarkupTokenizer, ResynchroniseMovesToATagBoundary) {
  struct Case {
    const char* text;
    uint32_t seek;
    uint32_t expected;
  };
  const Case cases[] = {
      {"abc<p>def", 3, 3},       // on "<": stays
      {"<b>text", 3, 3},         // just after ">": stays
      {"<b class=x>text", 5, 11},  // inside a tag: past its ">"
      {"one two<p>", 1, 3},      // in text: back at the first blank before "<"
      {"onetwo<p>", 1, 6},       // no blank: at the "<"
      {"no tags at all", 2, 14},  // the end
  };
  for (const Case& c : cases) {
    for (uint32_t blockSize : {1u, 2u, 5u, 64u}) {
      auto document = FakeDocument::FromUtf8(c.text, blockSize, 2);
      MarkupTokenizer tokenizer;
      tokenizer.Scanner().SetTable(GetMarkupScannerTable());
      tokenizer.Attach(document.get(), 0);
      tokenizer.Seek(c.seek * 2);
      EXPECT_TRUE(tokenizer.Resynchronise());
      EXPECT_EQ(tokenizer.GetPosition(), c.expected * 2) << c.text << " block " << blockSize;
    }
  }
}

}  // namespace
