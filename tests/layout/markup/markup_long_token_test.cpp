// Markup of a hostile size: a comment, a script, an attribute value, CDATA
// or a declaration a megabyte long, closed or left open to the end of the
// book, a megabyte of tags that are all dropped, a megabyte without a tag
// to resynchronise on. The parse must cost work in proportion to the length
// (the tokenizer's work counter, not a clock) and hold only a few of the
// document's blocks at a time, and still deliver what a short one gives.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "layout/markup/markup_parser.h"
#include "tests/support/fake_document.h"
#include "tests/support/fake_document_markup.h"

namespace {

constexpr size_t kLong = size_t{1} << 20;
// Small blocks make many of them: a per-block cost that grows with the
// blocks already read shows as work far beyond the bound.
constexpr uint32_t kBlockSize = 256;

// Every run of more than 16 'x' written as x{N}, so that streams holding a
// megabyte of text compare and print briefly.
std::string Shorten(const std::string& text) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    size_t run = 0;
    while (i + run < text.size() && text[i + run] == 'x') ++run;
    if (run > 16) {
      out += "x{" + std::to_string(run) + "}";
    } else {
      out.append(text, i, run == 0 ? 1 : run);
    }
    i += run == 0 ? 1 : run;
  }
  return out;
}

struct Case {
  const char* name;
  const char* before;  // markup in front of the long run
  const char* after;   // markup behind it ("" leaves it open to the end)
  std::vector<std::string> expected;  // the elements after <HTML> and <BODY>, shortened
  const char* unit = "x";  // the long run repeats it to kLong characters
};

// The work and the blocks held while a document is read must stay within a
// small multiple of its length and a handful.
void ExpectLinear(const FakeDocument& document, MarkupParser& parser) {
  EXPECT_LE(parser.GetTokenizer()->WorkDone(), 8 * document.text().size());
  EXPECT_LE(document.maxOutstanding, 8u);
}

TEST(MarkupLongToken, WorkAndHeldBlocksGrowWithTheLengthOnly) {
  const std::string n = std::to_string(kLong);
  const std::string xs = "x{" + n + "}";
  const std::vector<Case> cases = {
      {"open comment", "<p>a<!--", "", {"<P>", "text \"a\""}},
      {"closed comment", "<p>a<!--", "-->b", {"<P>", "text \"a\"", "text \"b\""}},
      {"open script", "<script>", "", {"<SCRIPT>", "text \"" + xs + "\""}},
      {"closed script", "<script>", "</script>b",
       {"<SCRIPT>", "text \"" + xs + "\"", "</SCRIPT>", "text \"b\""}},
      {"open quoted value", "<p>a<a href=\"", "", {"<P>", "text \"a\""}},
      {"closed quoted value", "<a href=\"", "\">b", {"<A HREF=\"" + xs + "\">", "text \"b\""}},
      {"unquoted value", "<a href=", ">b", {"<A HREF=\"" + xs + "\">", "text \"b\""}},
      {"unknown attribute's value", "<p foo=\"", "\">b", {"<P>", "text \"b\""}},
      {"open cdata", "<![CDATA[", "", {"text \"" + xs + "\""}},
      {"declaration", "<!DOCTYPE ", ">b", {"text \"b\""}},
      {"tag name", "<p", ">b", {"text \"b\""}},
      {"dropped tags", "<p>a", "b", {"<P>", "text \"a\"", "text \"b\""}, "<zz>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string run;
    while (run.size() < kLong) run += c.unit;
    const std::string text = std::string("<html><body>") + c.before + run + c.after;
    auto document = FakeDocument::FromUtf8(text, kBlockSize);
    std::vector<std::string> elements;
    {
      MarkupParser parser;
      parser.AttachSource(document.get(), 0);
      ASSERT_TRUE(parser.Restart(0, false));
      for (;;) {
        int32_t kind = parser.Next();
        if (kind == kElementEnd) break;
        if (kind == kElementAgain || kind == kElementSpace) continue;
        elements.push_back(Shorten(DescribeElement(parser, kind, false)));
        parser.ReleaseChunks();
      }
      ExpectLinear(*document, parser);
    }
    ASSERT_GE(elements.size(), 2u);
    elements.erase(elements.begin(), elements.begin() + 2);
    EXPECT_EQ(elements, c.expected);
    EXPECT_EQ(document->Outstanding(), 0u);
    EXPECT_EQ(document->releaseErrors, 0u);
  }
}

TEST(MarkupLongToken, ResynchronisingOverALongStretchHoldsFewBlocks) {
  // A restart in a megabyte without a tag walks to the "<" at its end.
  const std::string text = std::string(kLong, 'x') + "<p>b";
  auto document = FakeDocument::FromUtf8(text, kBlockSize);
  {
    MarkupParser parser;
    parser.AttachSource(document.get(), 0);
    ASSERT_TRUE(parser.Restart(2, true));
    EXPECT_EQ(parser.GetPosition(), kLong);
    ExpectLinear(*document, parser);
  }
  EXPECT_EQ(document->Outstanding(), 0u);
}

}  // namespace
