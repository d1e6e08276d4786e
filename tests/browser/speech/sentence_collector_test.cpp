// Cutting a page's markup into spoken sentences: sentence ends, block and
// line-break tags, pieces of text without a sentence end, the
// text-to-speech element's pronunciation, saving and resuming the parser
// between sentences, and the page-end unit counted in words.
#include "browser/speech/sentence_collector.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/streams/byte_stream.h"
#include "layout/markup/markup_parser.h"
#include "tests/support/fake_document.h"

namespace {

std::string Narrow(const SharedWideString& s) {
  std::string out;
  for (uint32_t i = 0; i < s.length; ++i) out.push_back(s.Chars()[i] < 0x80 ? static_cast<char>(s.Chars()[i]) : '?');
  return out;
}

class SentenceTest : public ::testing::Test {
 protected:
  void Load(const std::string& body) {
    markup = "<html><body>" + body + "</body></html>";
    // The parser holds a reference to its document: it lets the old one go
    // before the old one is deleted.
    std::unique_ptr<FakeDocument> next = FakeDocument::FromUtf8(markup, 64);
    parser.AttachSource(next.get(), 0);
    document = std::move(next);
    ASSERT_TRUE(parser.Restart(0, false));
  }
  // Every sentence to the end, resuming each from the saved parser state
  // as the view does between sentences.
  std::vector<std::string> All(uint32_t pageEnd = 0xFFFFFFFFu, std::vector<int32_t>* units = nullptr) {
    std::vector<std::string> sentences;
    ByteStream saved;
    for (int guard = 0; guard < 1000; ++guard) {
      SpokenSentence sentence;
      EXPECT_TRUE(SentenceCollector::Collect(&parser, pageEnd, &sentence));
      if (!sentence.text.IsEmpty()) {
        sentences.push_back(Narrow(sentence.text));
        if (units) units->push_back(sentence.pageEndUnit);
      }
      if (sentence.documentEnded) break;
      saved.Clear();
      saved.readPos = 0;
      EXPECT_TRUE(parser.SaveState(&saved));
      EXPECT_TRUE(parser.Restart(0, false));  // another reader moved the parser
      EXPECT_TRUE(parser.LoadState(&saved));
    }
    return sentences;
  }
  uint32_t PositionOf(const std::string& word) { return static_cast<uint32_t>(markup.find(word)); }

  std::string markup;
  std::unique_ptr<FakeDocument> document;
  MarkupParser parser;
};

TEST_F(SentenceTest, SentencesEndAtPunctuationBlocksAndLineBreaks) {
  struct Case {
    const char* body;
    std::vector<std::string> sentences;
  } cases[] = {
      {"<p>One two. Three four! Five?</p>", {"One two.", "Three four!", "Five?"}},
      {"<p>No end here</p><p>Next block</p>", {"No end here", "Next block"}},
      {"<p>Line one<br>Line two</p>", {"Line one", "Line two"}},
      {"<ul><li>first</li><li>second</li></ul>", {"first", "second"}},
      {"<p>A <b>bold</b> <i>and</i> plain word.</p>", {"A bold and plain word."}},
      {"<p>Spaced    out \n  text.</p>", {"Spaced out text."}},
      {"<p></p><p>  </p><br><br><p>Only.</p>", {"Only."}},
      {"<p>The <qvr:tts phon=\"toh may toh\">tomato</qvr:tts> soup.</p>", {"The toh may toh soup."}},
      {"<p>Say <qvr:tts phon=\"hi\"/> now.</p>", {"Say hi now."}},
      {"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    Load(c.body);
    EXPECT_EQ(All(), c.sentences);
  }
}

TEST_F(SentenceTest, TextWithoutSentenceEndsIsCutAtWholeWords) {
  std::string words;
  for (int i = 0; i < 120; ++i) words += (i ? " " : "") + std::string(i % 7 == 3 ? "extraordinarily" : "word") + std::to_string(i);
  Load("<p>" + words + "</p>");
  std::vector<std::string> pieces = All();
  ASSERT_GT(pieces.size(), 3u);
  std::string joined;
  for (size_t i = 0; i < pieces.size(); ++i) {
    SCOPED_TRACE(pieces[i]);
    // Each piece but the last ends with the word that reached 129 characters.
    if (i + 1 < pieces.size()) {
      EXPECT_GE(pieces[i].size(), SentenceCollector::kPieceLimit);
      size_t lastWord = pieces[i].rfind(' ');
      EXPECT_LT(lastWord, SentenceCollector::kPieceLimit);
    }
    EXPECT_NE(pieces[i].front(), ' ');
    EXPECT_NE(pieces[i].back(), ' ');
    joined += (i ? " " : "") + pieces[i];
  }
  EXPECT_EQ(joined, words);

  // Text without any space is cut all the same, into long runs.
  Load("<p>" + std::string(2500, 'z') + "</p>");
  pieces = All();
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_GE(pieces[0].size(), SentenceCollector::kRunLimit);
  EXPECT_LT(pieces[0].size(), SentenceCollector::kRunLimit + 31);
  EXPECT_EQ(pieces[0].size() + pieces[1].size() + pieces[2].size(), 2500u);
}

TEST_F(SentenceTest, PageEndUnitCountsTheWordsBeforeTheFirstWordOnTheNextPage) {
  Load("<p>Alpha beta gamma delta. Epsilon zeta.</p>");
  struct Case {
    uint32_t pageEnd;
    std::vector<int32_t> units;
  } cases[] = {
      {PositionOf("gamma"), {2, 0}},       // gamma starts the next page
      {PositionOf("gamma") + 2, {3, 0}},   // gamma starts before it: delta is the first
      {PositionOf("zeta"), {-1, 1}},       // the first sentence ends on the page
      {PositionOf("Alpha"), {0, 0}},
      {0xFFFFFFFFu, {-1, -1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pageEnd);
    ASSERT_TRUE(parser.Restart(0, false));
    std::vector<int32_t> units;
    EXPECT_EQ(All(c.pageEnd, &units), (std::vector<std::string>{"Alpha beta gamma delta.", "Epsilon zeta."}));
    EXPECT_EQ(units, c.units);
  }
}

TEST_F(SentenceTest, WordsSplitIntoSeveralTextItemsCountOnce) {
  // The parser hands long words over in several text items.
  std::string longWord(40, 'x');
  Load("<p>a " + longWord + " b " + longWord + "y c.</p>");
  std::vector<int32_t> units;
  // Inside the second long word, before the item that continues it.
  uint32_t inSecond = PositionOf(longWord + "y") + 20;
  EXPECT_EQ(All(inSecond, &units).size(), 1u);
  EXPECT_EQ(units, (std::vector<int32_t>{4}));  // "a", long, "b", long: "c" is the first word beyond
}

}  // namespace
