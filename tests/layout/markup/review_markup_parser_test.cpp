// The open-element stack against hostile nesting. Every tag is matched
// against the open elements (a closing tag searches them for its element,
// TABLE looks for an open table), so a stack as deep as the book is long
// made each tag cost the whole stack: 100,000 nested lists followed by
// 100,000 stray closing tags (1.8 MB) took minutes. The stack now stops
// growing at MarkupParser::kMaxOpenElements, and a saved state cannot
// bring a deeper one back.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/streams/byte_stream.h"
#include "layout/markup/keyword_ids.h"
#include "layout/markup/markup_parser.h"
#include "tests/support/fake_document.h"

namespace {

std::string Repeat(const std::string& text, uint32_t n) {
  std::string out;
  for (uint32_t i = 0; i < n; ++i) out += text;
  return out;
}

struct Counts {
  uint32_t deepest = 0;
  uint32_t opened = 0;  // opening tags of `id` delivered
  uint32_t texts = 0;
};

Counts Parse(const std::string& markup, uint32_t id) {
  auto document = FakeDocument::FromUtf8(markup);
  MarkupParser parser;
  parser.AttachSource(document.get(), 0);
  EXPECT_TRUE(parser.Restart(0, false));
  Counts counts;
  for (;;) {
    int32_t kind = parser.Next();
    if (kind == kElementEnd) break;
    if (parser.StackDepth() > counts.deepest) counts.deepest = parser.StackDepth();
    bool closing = false;
    if (kind == kElementTag && parser.GetTag(&closing, nullptr) == id && !closing) ++counts.opened;
    if (kind == kElementText) ++counts.texts;
    parser.ReleaseChunks();
  }
  return counts;
}

}  // namespace

TEST(ReviewMarkupParser, OpenElementsStopAtTheLimit) {
  const uint32_t limit = MarkupParser::kMaxOpenElements;
  const uint32_t nested = limit + 100;
  Counts lists = Parse("<html><body>" + Repeat("<ul>", nested) + "x" + Repeat("</ol>", nested), kMarkupUl);
  EXPECT_EQ(lists.deepest, limit);
  EXPECT_EQ(lists.opened, limit - 2);  // HTML and BODY hold the first two places
  EXPECT_EQ(lists.texts, 1u);

  // At the limit a new element is dropped like one that cannot stand where
  // it is: here the table, and the tables that follow it.
  Counts tables = Parse("<html><body>" + Repeat("<div>", nested) + "<table><tr><td><div>" + Repeat("<table>", 50),
                        kMarkupTable);
  EXPECT_LE(tables.deepest, limit);
  EXPECT_EQ(tables.opened, 0u);
}

TEST(ReviewMarkupParser, SavedStateDeeperThanTheLimitIsRefused) {
  auto document = FakeDocument::FromUtf8("<html><body><div>text</div>");
  for (uint32_t depth : {MarkupParser::kMaxOpenElements, MarkupParser::kMaxOpenElements + 1}) {
    ByteStream chunk;
    uint32_t head[3] = {12, depth, 0};
    chunk.WriteU32BE(head, 3);
    for (uint32_t i = 0; i < depth; ++i) {
      uint8_t id = static_cast<uint8_t>(kMarkupDiv);
      chunk.WriteBytes(&id, 1);
    }
    chunk.PadWrite(4);
    chunk.readPos = 0;
    MarkupParser parser;
    parser.AttachSource(document.get(), 0);
    EXPECT_EQ(parser.LoadState(&chunk), depth <= MarkupParser::kMaxOpenElements) << depth;
  }
}
