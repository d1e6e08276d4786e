// The "EBVS" chunk: every version read, a round trip, stamps, and hostile
// chunks refused without reading past their bytes.
#include <gtest/gtest.h>

#include <vector>

#include "layout/position/page_state_chunk.h"
#include "layout/styles/element_style.h"

namespace {

constexpr uint32_t kStamp = 0x11223344u;

void Words(ByteStream* stream, const std::vector<uint32_t>& words) {
  EXPECT_TRUE(stream->WriteU32BE(words.data(), static_cast<uint32_t>(words.size())));
  stream->readPos = 0;
}

// An empty stream state and an empty record stack, as a chunk carries them.
void AppendEmptyState(ByteStream* stream) {
  ByteStream empty;
  ASSERT_TRUE(stream->WriteBlob(empty));
  ElementRecordStack records;
  ASSERT_TRUE(records.Write(stream));
  stream->readPos = 0;
}

struct Loaded {
  bool ok = false;
  bool noState = true;
  int32_t link = -2;
  uint32_t scrolls = 0;
  uint32_t left = 0;  // bytes the load left unread
};

Loaded Load(ByteStream& stream, uint32_t stamp = kStamp) {
  PageFrame frame;
  DefaultStyle defaults;
  ElementStyle base;
  Loaded out;
  out.ok = LoadPageChunk(&frame, &stream, defaults, base, stamp, &out.noState);
  out.link = frame.linkIndex;
  out.scrolls = frame.tableScrolls.count;
  out.left = stream.Remaining();
  return out;
}

constexpr uint32_t kEbvs = 0x45425653u;

TEST(PageStateChunk, RoundTrip) {
  PageFrame frame;
  frame.linkIndex = 3;
  const uint8_t state[] = {1, 2, 3, 4, 5};
  ASSERT_TRUE(frame.parserState.WriteBytes(state, sizeof(state)));
  TableScrollState* first = frame.EnsureTableScroll(77);
  ASSERT_NE(first, nullptr);
  first->offsetX = 5;
  first->offsetY = -6;
  first->selected = 1;  // not saved
  TableScrollState* second = frame.EnsureTableScroll(99);
  ASSERT_NE(second, nullptr);
  second->offsetY = 12;
  ByteStream stream;
  ASSERT_TRUE(SavePageChunk(frame, kStamp, false, &stream));
  PageFrame back;
  DefaultStyle defaults;
  ElementStyle base;
  bool noState = true;
  ASSERT_TRUE(LoadPageChunk(&back, &stream, defaults, base, kStamp, &noState));
  EXPECT_FALSE(noState);
  EXPECT_EQ(back.linkIndex, 3);
  ASSERT_EQ(back.tableScrolls.count, 2u);
  EXPECT_EQ(back.tableScrolls.At(0)->position, 77u);
  EXPECT_EQ(back.tableScrolls.At(0)->offsetX, 5);
  EXPECT_EQ(back.tableScrolls.At(0)->offsetY, -6);
  EXPECT_EQ(back.tableScrolls.At(0)->selected, 0);
  EXPECT_EQ(back.tableScrolls.At(1)->offsetY, 12);
  // The drag starts from the restored offsets.
  EXPECT_EQ(back.tableScrolls.At(0)->dragBaseX, 5);
  EXPECT_EQ(back.parserState.Size(), sizeof(state));
  EXPECT_EQ(stream.Remaining(), 0u);

  // A plain document's chunk carries no stream state.
  ByteStream plain;
  ASSERT_TRUE(SavePageChunk(frame, kStamp, true, &plain));
  const Loaded loaded = Load(plain);
  EXPECT_TRUE(loaded.ok);
  EXPECT_TRUE(loaded.noState);
  EXPECT_EQ(loaded.link, 3);
}

TEST(PageStateChunk, EveryVersionIsRead) {
  struct Case {
    const char* name;
    std::vector<uint32_t> head;
    int32_t link;
    uint32_t scrolls;
  };
  const std::vector<Case> cases = {
      {"1: the state right after the stamp", {kEbvs, 1, kStamp}, -1, 0},
      {"2: link only; extra block bytes skipped", {kEbvs, 2, kStamp, 12, 4, 0xAAAAAAAA, 0xBBBBBBBB}, 4, 0},
      {"3: one table record", {kEbvs, 3, kStamp, 20, 2, 1, 500, 7, 8}, 2, 1},
      {"4: follows", {kEbvs, 4, kStamp, 1, 8, 0xFFFFFFFF, 0}, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ByteStream stream;
    Words(&stream, c.head);
    stream.readPos = stream.Size();
    AppendEmptyState(&stream);
    const Loaded loaded = Load(stream);
    EXPECT_TRUE(loaded.ok);
    EXPECT_FALSE(loaded.noState);
    EXPECT_EQ(loaded.link, c.link);
    EXPECT_EQ(loaded.scrolls, c.scrolls);
    EXPECT_EQ(loaded.left, 0u);
  }
}

TEST(PageStateChunk, StampsOfOtherDocumentsAreRefused) {
  const uint32_t swapped = 0x44332211u;
  for (uint32_t stamp : {kStamp, swapped}) {
    ByteStream stream;
    Words(&stream, {kEbvs, 4, stamp, 0, 8, 1, 0});
    EXPECT_TRUE(Load(stream).ok) << stamp;
  }
  ByteStream other;
  Words(&other, {kEbvs, 4, 0x11223345u, 0, 8, 1, 0});
  EXPECT_FALSE(Load(other).ok);
}

TEST(PageStateChunk, HostileChunksAreRefused) {
  const std::vector<std::pair<const char*, std::vector<uint32_t>>> cases = {
      {"short", {kEbvs, 4}},
      {"tag", {0x45425654u, 4, kStamp, 0, 8, 0, 0}},
      {"version 0", {kEbvs, 0, kStamp}},
      {"version 5", {kEbvs, 5, kStamp, 0, 8, 0, 0}},
      {"follows 2", {kEbvs, 4, kStamp, 2, 8, 0, 0}},
      {"block longer than the chunk", {kEbvs, 4, kStamp, 0, 4000, 0, 0}},
      {"block too short for its link", {kEbvs, 4, kStamp, 0, 2, 0, 0}},
      {"count needs more than the block", {kEbvs, 4, kStamp, 0, 8, 0, 1}},
      {"count needs less than the block", {kEbvs, 3, kStamp, 20, 0, 0, 1, 2, 3}},
      {"12 x n wraps 32 bits", {kEbvs, 4, kStamp, 0, 8, 0, 0x15555556u}},
      {"count beyond the bytes", {kEbvs, 4, kStamp, 0, 8 + 12 * 1000, 0, 1000}},
      {"state promised but cut", {kEbvs, 4, kStamp, 1, 8, 0, 0, 100}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first);
    ByteStream stream;
    Words(&stream, c.second);
    EXPECT_FALSE(Load(stream).ok);
  }
}

}  // namespace
