// The tokenizer's block cache under a book cut into very many tiny blocks,
// read as the pager reads it: the text of a page's tokens kept (as its
// items keep it) until the page is done, so that hundreds of blocks are out
// at once. Finding a block, taking a free record and giving back the blocks
// a token passed must not cost work that grows with the blocks held (the
// tokenizer's work counter, not a clock), and every block still goes back
// once nothing holds it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/wide_string/shared_wide_string.h"
#include "layout/markup/markup_scanner_table.h"
#include "layout/markup/markup_tokenizer.h"
#include "tests/support/fake_document.h"

namespace {

constexpr uint32_t kTinyBlock = 16;
constexpr int kTokensPerPage = 1000;

std::string ManyParagraphs() {
  std::string text = "<html><body>";
  for (int i = 0; text.size() < 200000; ++i) {
    text += "<p class=x>word" + std::to_string(i) + " and some more words to fill a line</p>\n";
  }
  return text;
}

TEST(MarkupBlockCache, TinyBlocksHeldByAPageCostWorkInProportionToTheText) {
  const std::string text = ManyParagraphs();
  auto document = FakeDocument::FromUtf8(text, kTinyBlock);
  size_t mostHeldByAPage = 0;
  {
    MarkupTokenizer tokenizer;
    tokenizer.Scanner().SetTable(GetMarkupScannerTable());
    tokenizer.Attach(document.get(), 0);
    tokenizer.Seek(0);
    std::vector<SharedWideString> page;
    int tokens = 0;
    for (;;) {
      int32_t number = -1;
      const bool textMode = tokenizer.Scanner().Mode() == kModeText;
      const int32_t answer = tokenizer.NextToken(&number, textMode ? 30 : -1);
      if (answer == kTokenEnd) break;
      ASSERT_NE(answer, kTokenNoMemory);
      if (answer == kTokenFound) {
        int32_t code = 0;
        bool isText = false;
        tokenizer.GetTokenInfo(number, &code, &isText);
      } else {
        tokenizer.Scanner().SelectMode(kModeSkipToEnd);
      }
      // The token's text shares its blocks' characters, as an item's does.
      for (uint32_t i = 0; i < tokenizer.PieceCount(); ++i) page.push_back(tokenizer.Piece(i));
      if (++tokens % kTokensPerPage == 0) {
        mostHeldByAPage = std::max<size_t>(mostHeldByAPage, tokenizer.HeldBlockCount());
        page.clear();
        tokenizer.ReleaseChunks(tokenizer.CurrentBlock());
        // Only the block being read and the last token's may stay once
        // the page lets go.
        EXPECT_LE(tokenizer.HeldBlockCount(), 2u);
      }
    }
    // The pages really held many blocks at once.
    EXPECT_GE(mostHeldByAPage, 100u);
    EXPECT_LE(document->maxOutstanding, 2 * mostHeldByAPage + 16);
    EXPECT_LE(tokenizer.WorkDone(), 4 * document->text().size());
  }
  EXPECT_EQ(document->Outstanding(), 0u);
  EXPECT_EQ(document->releaseErrors, 0u);
}

}  // namespace
