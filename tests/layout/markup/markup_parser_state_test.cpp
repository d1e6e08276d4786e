// The parser's saved state: saved after every hundredth element of a
// generated 1 MB book and after the first element of each kind, loaded into
// a fresh parser, the next 10,000 elements must be those of the unbroken
// stream; hostile chunks are refused with bounded memory; tags with
// hundreds of attributes pass without harm.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "foundation/streams/byte_stream.h"
#include "layout/markup/element_record_stack.h"
#include "layout/markup/keyword_ids.h"
#include "layout/markup/markup_parser.h"
#include "platform/testing/allocation.h"
#include "tests/support/fake_document.h"
#include "tests/support/fake_document_markup.h"

namespace {

constexpr uint32_t kCompared = 10000;
constexpr uint32_t kShards = 8;

std::vector<uint8_t> Bytes(const ByteStream& stream) {
  std::vector<uint8_t> out(stream.Size());
  for (uint32_t i = 0; i < stream.Size(); ++i) out[i] = stream.ByteAt(i);
  return out;
}

void Fill(ByteStream* stream, const std::vector<uint8_t>& bytes) {
  stream->Clear();
  if (!bytes.empty()) stream->WriteBytes(bytes.data(), static_cast<uint32_t>(bytes.size()));
  stream->readPos = 0;
}

// The unbroken stream of a generated book, with a saved state after every
// hundredth element and after the first element of each kind (text, space,
// break, and each tag id opening or closing).
struct Reference {
  std::unique_ptr<FakeDocument> document;
  std::vector<size_t> hashes;  // one per delivered element
  std::vector<std::string> texts;
  std::vector<std::pair<uint32_t, std::vector<uint8_t>>> snapshots;  // element index -> chunk
};

const Reference& BuildReference() {
  static Reference* reference = [] {
    auto* r = new Reference;
    r->document = FakeDocument::FromUtf8(GenerateMarkupBook(2024, 1u << 20), 4096);
    MarkupParser parser;
    parser.AttachSource(r->document.get(), 0);
    EXPECT_TRUE(parser.Restart(0, false));
    std::map<std::tuple<int32_t, uint32_t, bool>, bool> seen;
    for (;;) {
      int32_t kind = parser.Next();
      if (kind == kElementAgain) continue;
      std::string text = DescribeElement(parser, kind, true);
      uint32_t index = static_cast<uint32_t>(r->hashes.size());
      r->hashes.push_back(std::hash<std::string>()(text));
      r->texts.push_back(text);
      if (kind == kElementEnd) break;
      parser.ReleaseChunks();
      bool closing = false;
      uint32_t tag = kind == kElementTag ? parser.GetTag(&closing, nullptr) : 0;
      bool first = !seen[{kind, tag, closing}];
      seen[{kind, tag, closing}] = true;
      if (index % 100 == 0 || first) {
        ByteStream chunk;
        EXPECT_TRUE(parser.SaveState(&chunk));
        r->snapshots.push_back({index, Bytes(chunk)});
      }
    }
    return r;
  }();
  return *reference;
}

class MarkupParserSavedState : public ::testing::TestWithParam<uint32_t> {};

TEST_P(MarkupParserSavedState, ContinuesWithTheSameStream) {
  const Reference& reference = BuildReference();
  ASSERT_GT(reference.hashes.size(), 100000u);
  ASSERT_GT(reference.snapshots.size(), 1000u);
  for (size_t s = GetParam(); s < reference.snapshots.size(); s += kShards) {
    const auto& [index, bytes] = reference.snapshots[s];
    MarkupParser parser;
    parser.AttachSource(reference.document.get(), 0);
    ByteStream chunk;
    Fill(&chunk, bytes);
    ASSERT_TRUE(parser.LoadState(&chunk)) << "element " << index;
    uint32_t compared = 0;
    for (uint32_t next = index + 1; next < reference.hashes.size() && compared < kCompared; ++compared) {
      int32_t kind = parser.Next();
      if (kind == kElementAgain) continue;
      std::string text = DescribeElement(parser, kind, true);
      if (std::hash<std::string>()(text) != reference.hashes[next]) {
        FAIL() << "saved after element " << index << " (" << reference.texts[index] << "), element " << next
               << ": got " << text << ", expected " << reference.texts[next];
      }
      parser.ReleaseChunks();
      ++next;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Shards, MarkupParserSavedState, ::testing::Range(0u, kShards));

TEST(MarkupParserState, ChunkLayout) {
  std::string text = "<html><body><ul><li>a<li>b</ul>";
  auto document = FakeDocument::FromUtf8(text, 4096);
  MarkupParser parser;
  parser.AttachSource(document.get(), 0);
  ASSERT_TRUE(parser.Restart(0, false));
  // Up to the first closing LI, queued by the second LI.
  while (!(parser.Next() == kElementTag && DescribeElement(parser, kElementTag, false) == "</LI>")) {
  }
  ByteStream chunk;
  ASSERT_TRUE(parser.SaveState(&chunk));
  uint32_t liAt = static_cast<uint32_t>(text.find("<li>b"));
  // Restart at the LI that caused the closing; stack HTML BODY UL (the LI
  // was popped by its closing); no closing left, the pending LI marked by
  // a queued 0, and its position.
  EXPECT_EQ(Bytes(chunk), (std::vector<uint8_t>{0, 0, 0, static_cast<uint8_t>(liAt), 0, 0, 0, 3, 0, 0, 0, 1,
                                                kMarkupHtml, kMarkupBody, kMarkupUl, 0, 0, 0, 0,
                                                static_cast<uint8_t>(liAt)}));
  EXPECT_EQ(parser.GetPosition(), liAt);

  // With closings still queued, their cause's position follows.
  text = "<html><body><div><b><i>x</div>";
  auto second = FakeDocument::FromUtf8(text, 4096);
  MarkupParser queued;
  queued.AttachSource(second.get(), 0);
  ASSERT_TRUE(queued.Restart(0, false));
  while (!(queued.Next() == kElementTag && DescribeElement(queued, kElementTag, false) == "</I>")) {
  }
  chunk.Clear();
  ASSERT_TRUE(queued.SaveState(&chunk));
  uint32_t divAt = static_cast<uint32_t>(text.find("</div>"));
  EXPECT_EQ(Bytes(chunk), (std::vector<uint8_t>{0, 0, 0, static_cast<uint8_t>(divAt), 0, 0, 0, 4, 0, 0, 0, 1,
                                                kMarkupHtml, kMarkupBody, kMarkupDiv, kMarkupB, kMarkupB, 0, 0, 0,
                                                0, 0, 0, static_cast<uint8_t>(divAt)}));
  MarkupParser restored;
  restored.AttachSource(second.get(), 0);
  chunk.readPos = 0;
  ASSERT_TRUE(restored.LoadState(&chunk));
  EXPECT_EQ(restored.GetPosition(), divAt);
  EXPECT_EQ(restored.Next(), kElementTag);
  EXPECT_EQ(DescribeElement(restored, kElementTag, false), "</B>");
  EXPECT_EQ(restored.Next(), kElementTag);
  EXPECT_EQ(DescribeElement(restored, kElementTag, false), "</DIV>");
}

// The position of a tag that queues closings is worked out after the tag is
// read, from where its element began: it must be the tag's start however
// the blocks cut the text and however positions count characters.
TEST(MarkupParserState, QueuedClosingsKeepTheirCausePositionAcrossBlocks) {
  struct Case {
    const char* text;
    const char* closing;  // the first closing the cause queues
    const char* cause;
  };
  const Case cases[] = {
      {"<html><body><ul><li>a<li>b</ul>", "</LI>", "<li>b"},
      {"<html><body><div><b><i>x</div>", "</I>", "</div>"},
      {"<html><body><p>one  two<p>three", "</P>", "<p>three"},
  };
  for (const Case& c : cases) {
    for (uint32_t blockSize : {1u, 2u, 3u, 5u, 7u, 4096u}) {
      for (uint32_t scale : {1u, 2u}) {
        SCOPED_TRACE(std::string(c.text) + " block " + std::to_string(blockSize) + " scale " +
                     std::to_string(scale));
        const std::string text = c.text;
        auto document = FakeDocument::FromUtf8(text, blockSize, scale);
        MarkupParser parser;
        parser.AttachSource(document.get(), 0);
        ASSERT_TRUE(parser.Restart(0, false));
        bool found = false;
        for (int i = 0; i < 64 && !found; ++i) {
          int32_t kind = parser.Next();
          ASSERT_NE(kind, kElementEnd);
          found = kind == kElementTag && DescribeElement(parser, kElementTag, false) == c.closing;
          parser.ReleaseChunks();
        }
        ASSERT_TRUE(found);
        EXPECT_EQ(parser.GetPosition(), static_cast<uint32_t>(text.find(c.cause)) * scale);
      }
    }
  }
}

TEST(MarkupParserState, ScriptBodiesSurviveARestore) {
  std::string text = "<html><body><script>a<b</p>c</script>d";
  auto document = FakeDocument::FromUtf8(text, 3);
  for (int stop = 1; stop <= 4; ++stop) {
    MarkupParser parser;
    parser.AttachSource(document.get(), 0);
    ASSERT_TRUE(parser.Restart(0, false));
    std::vector<std::string> all;
    ByteStream chunk;
    for (int delivered = 0;;) {
      int32_t kind = parser.Next();
      if (kind == kElementAgain) continue;
      all.push_back(DescribeElement(parser, kind, false));
      if (kind == kElementEnd) break;
      if (++delivered == 2 + stop) {
        ASSERT_TRUE(parser.SaveState(&chunk));
      }
    }
    MarkupParser restored;
    restored.AttachSource(document.get(), 0);
    ASSERT_TRUE(restored.LoadState(&chunk));
    std::vector<std::string> rest;
    for (;;) {
      int32_t kind = restored.Next();
      if (kind == kElementAgain) continue;
      rest.push_back(DescribeElement(restored, kind, false));
      if (kind == kElementEnd) break;
    }
    EXPECT_EQ(rest, std::vector<std::string>(all.begin() + 2 + stop, all.end())) << "after " << stop;
  }
}

TEST(MarkupParserState, HostileChunksAreRefused) {
  auto document = FakeDocument::FromUtf8("<html><body><p>text</p>", 4096);
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {"short", {0, 0, 0, 1, 0, 0, 0, 0}},
      {"huge depth", {0, 0, 0, 5, 0x7F, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 2}},
      {"depth past the bytes", {0, 0, 0, 5, 0, 0, 0, 3, 0, 0, 0, 0, 1, 2}},
      {"huge queue", {0, 0, 0, 5, 0, 0, 0, 1, 0xFF, 0xFF, 0xFF, 0xFF, 1}},
      {"both overflowing", {0, 0, 0, 5, 0xFF, 0xFF, 0xFF, 0xF0, 0, 0, 0, 0x20, 1, 2, 3, 4}},
      {"stack id 206", {0, 0, 0, 5, 0, 0, 0, 2, 0, 0, 0, 0, 1, 206, 0, 0}},
      {"queued id 255", {0, 0, 0, 5, 0, 0, 0, 1, 0, 0, 0, 1, 1, 255, 0, 0}},
  };
  for (const Case& c : cases) {
    MarkupParser parser;
    parser.AttachSource(document.get(), 0);
    ByteStream chunk;
    Fill(&chunk, c.bytes);
    long before = devtest::AllocationCount();
    EXPECT_FALSE(parser.LoadState(&chunk)) << c.what;
    EXPECT_LE(devtest::AllocationCount() - before, 1) << c.what;
  }
  // A good chunk without its trailing pending position still loads.
  MarkupParser parser;
  parser.AttachSource(document.get(), 0);
  ByteStream chunk;
  Fill(&chunk, {0, 0, 0, 12, 0, 0, 0, 2, 0, 0, 0, 1, kMarkupHtml, kMarkupBody, kMarkupBody, 0});
  ASSERT_TRUE(parser.LoadState(&chunk));
  EXPECT_EQ(parser.Next(), kElementTag);
  EXPECT_EQ(parser.StackDepth(), 1u);
}

TEST(MarkupParserState, RandomChunksNeverCrash) {
  std::string text = GenerateMarkupBook(9, 20000);
  auto document = FakeDocument::FromUtf8(text, 64);
  std::mt19937 random(77);
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> bytes(random() % 40);
    for (auto& b : bytes) b = static_cast<uint8_t>(random());
    if (bytes.size() >= 12 && round % 2 == 0) {
      // Plausible heads: small counts, a position inside the text.
      uint32_t position = random() % (text.size() + 10);
      bytes[0] = static_cast<uint8_t>(position >> 24);
      bytes[1] = static_cast<uint8_t>(position >> 16);
      bytes[2] = static_cast<uint8_t>(position >> 8);
      bytes[3] = static_cast<uint8_t>(position);
      std::memset(&bytes[4], 0, 6);
      bytes[7] = static_cast<uint8_t>(random() % 8);
      bytes[11] = static_cast<uint8_t>(random() % 4);
      for (size_t i = 12; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(random() % 210);
    }
    MarkupParser parser;
    parser.AttachSource(document.get(), 0);
    ByteStream chunk;
    Fill(&chunk, bytes);
    if (!parser.LoadState(&chunk)) continue;
    for (int i = 0; i < 200 && parser.Next() != kElementEnd; ++i) parser.ReleaseChunks();
  }
  EXPECT_EQ(document->releaseErrors, 0u);
}

TEST(MarkupParserState, LoadingUnderMemoryFailureFailsCleanly) {
  auto document = FakeDocument::FromUtf8("<html><body><p>text</p>", 4096);
  std::vector<uint8_t> good = {0, 0, 0, 12, 0, 0, 0, 3, 0, 0, 0, 0, kMarkupHtml, kMarkupBody, kMarkupP, 0};
  for (long n = 1; n < 8; ++n) {
    MarkupParser parser;
    parser.AttachSource(document.get(), 0);
    ByteStream chunk;
    Fill(&chunk, good);
    bool loaded;
    {
      devtest::AllocationFailure failure(n);
      loaded = parser.LoadState(&chunk);
    }
    if (loaded) {
      EXPECT_EQ(parser.StackDepth(), 3u);
    }
    while (parser.Next() != kElementEnd) {
    }
  }
}

TEST(MarkupParserState, TagsWithHundredsOfAttributes) {
  std::string tag = "<html><body><p";
  for (int i = 0; i < 600; ++i) {
    tag += i % 3 == 0 ? " align=left" : (i % 3 == 1 ? " href=\"x\"" : " bogus=1");
  }
  tag += ">text</p>";
  auto document = FakeDocument::FromUtf8(tag, 17);
  MarkupParser parser;
  parser.AttachSource(document.get(), 0);
  ASSERT_TRUE(parser.Restart(0, false));
  ElementRecordStack stack;
  bool sawP = false;
  for (;;) {
    int32_t kind = parser.Next();
    if (kind == kElementEnd) break;
    if (kind != kElementTag) continue;
    bool closing = false;
    if (parser.GetTag(&closing, nullptr) == kMarkupP && !closing) {
      sawP = true;
      EXPECT_EQ(parser.GetAttributeCount(), 400u);  // the unknown ones are skipped
      ASSERT_TRUE(stack.Push(parser));
      uint32_t top = stack.RecordAt(0);
      EXPECT_EQ(stack.Tag(top), static_cast<uint32_t>(kMarkupP));
      // The first attributes that fit in 255 words: header, position and
      // trailer, then alternately two words (ALIGN) and one (HREF).
      EXPECT_EQ(stack.AttributeCount(top), 168u);
      uint32_t value = 0;
      EXPECT_TRUE(stack.AttributeValue(top, kMarkupAlign, &value));
      EXPECT_EQ(value, 1u);
    } else {
      ASSERT_TRUE(stack.Push(parser));
    }
  }
  EXPECT_TRUE(sawP);
}

}  // namespace
