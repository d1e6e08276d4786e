// The tokenizer's quick reads (a run of text or white space, a plain tag)
// against the general scan they stand in for: on random markup cut into
// blocks of every size, one tokenizer takes the quick reads wherever they
// answer and another reads the same tokens one by one as the parser would;
// the texts, the kinds and the positions after each token must agree.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>

#include "layout/markup/markup_scanner_table.h"
#include "layout/markup/markup_tokenizer.h"
#include "tests/support/fake_document.h"

namespace {

std::u16string TokenText(const MarkupTokenizer& tokenizer) {
  SharedWideString text;
  EXPECT_TRUE(tokenizer.AppendTokenText(&text));
  return text.length == 0 ? std::u16string() : std::u16string(text.Chars(), text.length);
}

struct Tokenizers {
  std::unique_ptr<FakeDocument> quickDocument, generalDocument;
  MarkupTokenizer quick, general;

  Tokenizers(const std::string& markup, uint32_t blockSize)
      : quickDocument(FakeDocument::FromUtf8(markup, blockSize)),
        generalDocument(FakeDocument::FromUtf8(markup, blockSize)) {
    for (MarkupTokenizer* t : {&quick, &general}) t->Scanner().SetTable(GetMarkupScannerTable());
    quick.Attach(quickDocument.get(), 0);
    general.Attach(generalDocument.get(), 0);
    quick.Seek(0);
    general.Seek(0);
  }

  // The next token of the general tokenizer in its current mode, as the
  // parser reads it: text mode limited to 30 characters, anything not
  // accepted skipped to the next ">". Answers the token's code (-1 for an
  // ignored or refused token, -2 at the end).
  int32_t GeneralStep(bool keepText = true) {
    const bool textMode = general.Scanner().Mode() == kModeText;
    int32_t token = -1;
    const int32_t answer = general.NextToken(&token, textMode ? 30 : -1, keepText);
    if (answer == kTokenEnd || answer == kTokenNoMemory) return -2;
    if (answer == kTokenNotAccepted) {
      general.Scanner().SelectMode(kModeSkipToEnd);
      return -1;
    }
    int32_t code = -1;
    bool isText = false;
    return general.GetTokenInfo(token, &code, &isText) ? code : -1;
  }
};

// Pieces the random markup is made of: words and runs longer than the
// text limit, every kind of white space, characters on both sides of the
// ranges the quick reads test (":", ";", "<", "=", DEL, 128 and up, CJK,
// U+200C, combining marks, pairs), references, and tags plain and not.
const char* const kPieces[] = {
    "a", "word", "Ab9", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", " ", "  ", "\t", "\n", "\r\n",
    "                                        ", ":", ";", "=", "?", "!", "-", "/", ">", "<", "\x7f", "\x01",
    "\xc3\xa9", "\xc2\x80", "\xe4\xb8\xad", "\xe4\xb8\xad\xe6\x96\x87", "\xe2\x80\x8c", "e\xcc\x81",
    "\xf0\x9f\x98\x80", "\xe1\x84\x80", "&amp;", "&#x4e2d;", "&zwnj;", "&", "<p>", "</p>", "<P>", "<p/>",
    "</p/>", "<h1>", "</H1>", "<x-y>", "<a:b>", "<_x>", "<1>", "< p>", "<p >", "<p\n>", "</ p>", "<br/>",
    "<br />", "<unknown>", "</unknown>", "<script>", "</script>", "<!-- c -->", "<?x?>", "<!DOCTYPE html>",
    "<![CDATA[c]]>", "<p class=\"x\">", "<i title='a>b'>", "<b", "</", "<p/x>", "<\xc3\xa9>", "<p\xc3\xa9>",
};

std::string RandomMarkup(std::mt19937& random, size_t pieces) {
  std::uniform_int_distribution<size_t> pick(0, std::size(kPieces) - 1);
  std::string markup;
  for (size_t i = 0; i < pieces; ++i) markup += kPieces[pick(random)];
  return markup;
}

void CompareQuickReads(const std::string& markup, uint32_t blockSize) {
  Tokenizers t(markup, blockSize);
  const uint8_t* flags = kMarkupQuickTokenFlags.data();
  for (int steps = 0;; ++steps) {
    ASSERT_LT(steps, 1000000);
    const bool textMode = t.general.Scanner().Mode() == kModeText;
    t.quick.Scanner().SelectMode(t.general.Scanner().Mode());
    const int32_t run = textMode ? t.quick.NextRunToken(flags, 30) : kRunTokenNone;
    bool closing = false;
    bool empty = false;
    if (run != kRunTokenNone) {
      const int32_t code = t.GeneralStep();
      ASSERT_EQ(code, run == kRunTokenText ? kCodeText : kCodeSpace) << "at " << t.general.GetPosition();
      ASSERT_EQ(TokenText(t.quick), TokenText(t.general));
    } else if (textMode && t.quick.NextPlainTag(flags, &closing, &empty)) {
      const uint32_t at = t.general.GetPosition();
      ASSERT_EQ(t.GeneralStep(), closing ? kCodeEndTagStart : kCodeTagStart) << "at " << at;
      ASSERT_EQ(t.GeneralStep(), kCodeName) << "at " << at;
      ASSERT_EQ(TokenText(t.quick), TokenText(t.general));
      if (closing) {
        // The parser skips what follows a closing tag's name: it is never
        // empty.
        ASSERT_FALSE(empty) << "at " << at;
        t.general.Scanner().SelectMode(kModeSkipToEnd);
        ASSERT_EQ(t.GeneralStep(false), kCodeTagEnd) << "at " << at;
      } else {
        ASSERT_EQ(t.GeneralStep(), empty ? kCodeEmptyTagEnd : kCodeTagEnd) << "at " << at;
      }
      ASSERT_EQ(t.general.Scanner().Mode(), kModeText);
    } else {
      // Anything else: both read it the general way.
      if (t.GeneralStep() == -2) break;
      int32_t token = -1;
      t.quick.NextToken(&token, textMode ? 30 : -1);
    }
    ASSERT_EQ(t.quick.GetPosition(), t.general.GetPosition());
    t.quick.ReleaseChunks(t.quick.CurrentBlock());
    t.general.ReleaseChunks(t.general.CurrentBlock());
  }
  int32_t token = -1;
  EXPECT_EQ(t.quick.NextToken(&token, 30), kTokenEnd);
}

TEST(MarkupQuickTokens, AgreeWithTheGeneralScanAtEveryBlockSize) {
  std::mt19937 random(20261211);
  for (int document = 0; document < 40; ++document) {
    const std::string markup = RandomMarkup(random, 300);
    for (uint32_t blockSize : {1u, 2u, 3u, 5u, 8u, 31u, 4096u}) {
      SCOPED_TRACE("document " + std::to_string(document) + ", blocks of " + std::to_string(blockSize));
      CompareQuickReads(markup, blockSize);
      if (HasFatalFailure()) return;
    }
  }
}

TEST(MarkupQuickTokens, TakeOnlyWhatEndsInsideTheBlock) {
  const uint8_t* flags = kMarkupQuickTokenFlags.data();
  struct Case {
    const char* markup;
    uint32_t blockSize;
    int32_t run;      // NextRunToken's answer at the start
    bool tag;         // NextPlainTag's answer when no run is read
    uint32_t length;  // characters taken
  };
  const Case cases[] = {
      {"word x", 4096, kRunTokenText, false, 4},
      {"word", 4096, kRunTokenNone, false, 0},         // may go on in the next block
      {"word x", 4, kRunTokenNone, false, 0},          // reaches the block's end
      {"  \t\nx", 4096, kRunTokenSpace, false, 4},
      {"\xe4\xb8\xad" "ab", 4096, kRunTokenNone, false, 0},  // a break character stands alone
      {"ab\xe4\xb8\xad", 4096, kRunTokenText, false, 2},
      {"&amp;x", 4096, kRunTokenNone, false, 0},
      {"<p>x", 4096, kRunTokenNone, true, 3},
      {"</p>x", 4096, kRunTokenNone, true, 4},
      {"<br/>x", 4096, kRunTokenNone, true, 5},
      {"<p>", 4096, kRunTokenNone, false, 0},          // nothing after the ">"
      {"<p>x", 3, kRunTokenNone, false, 0},
      {"<p class=x>y", 4096, kRunTokenNone, false, 0},
      {"</p/>x", 4096, kRunTokenNone, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.markup);
    auto document = FakeDocument::FromUtf8(c.markup, c.blockSize);
    MarkupTokenizer tokenizer;
    tokenizer.Scanner().SetTable(GetMarkupScannerTable());
    tokenizer.Attach(document.get(), 0);
    tokenizer.Seek(0);
    tokenizer.Peek();  // the first block read, as after any earlier token
    EXPECT_EQ(tokenizer.NextRunToken(flags, 30), c.run);
    bool closing = false;
    bool empty = false;
    if (c.run == kRunTokenNone) {
      EXPECT_EQ(tokenizer.NextPlainTag(flags, &closing, &empty), c.tag);
    }
    EXPECT_EQ(tokenizer.GetPosition(), c.length);
  }
}

}  // namespace
