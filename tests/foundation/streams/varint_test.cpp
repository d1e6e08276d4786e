// The book format's forward and backward varints and the big-endian read:
// encodings as tables, and the bounds the readers must keep.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "foundation/streams/varint.h"

namespace {

TEST(ForwardVarint, Encodings) {
  struct Case {
    uint32_t value;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {0, {0x80}},
      {127, {0xFF}},
      {128, {0x01, 0x80}},
      {300, {0x02, 0xAC}},
      {(1u << 21) - 1, {0x7F, 0x7F, 0xFF}},
      {1u << 28, {0x01, 0x00, 0x00, 0x00, 0x80}},
      {0xFFFFFFFFu, {0x0F, 0x7F, 0x7F, 0x7F, 0xFF}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    uint8_t out[8] = {};
    ASSERT_EQ(WriteForwardVarint(out, c.value, sizeof out), c.bytes.size());
    EXPECT_EQ(std::vector<uint8_t>(out, out + c.bytes.size()), c.bytes);
    EXPECT_EQ(WriteForwardVarint(out, c.value, static_cast<uint32_t>(c.bytes.size()) - 1), 0u);
    uint32_t back = 0;
    EXPECT_EQ(ReadForwardVarint(c.bytes.data(), &back, static_cast<uint32_t>(c.bytes.size())),
              c.bytes.size());
    EXPECT_EQ(back, c.value);
  }
}

TEST(ForwardVarint, WriteThatDoesNotFitTouchesNothing) {
  uint8_t one = 0x55;
  EXPECT_EQ(WriteForwardVarint(&one, 128, 1), 0u);
  EXPECT_EQ(one, 0x55);
}

TEST(ForwardVarint, ReaderStopsAtItsLimit) {
  const uint8_t noStop[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  uint32_t value = 99;
  EXPECT_EQ(ReadForwardVarint(noStop, &value, 0), 0u);
  EXPECT_EQ(ReadForwardVarint(noStop, &value, 2), 2u);
  EXPECT_EQ(value, (1u << 7) | 2);
  EXPECT_EQ(ReadForwardVarint(noStop, &value, 10), 8u) << "never more than eight bytes";
  const uint8_t early[3] = {0x03, 0x81, 0x7F};
  EXPECT_EQ(ReadForwardVarint(early, &value, 3), 2u);
  EXPECT_EQ(value, (3u << 7) | 1);
}

TEST(BackwardVarint, ReadsFromTheEnd) {
  struct Case {
    std::vector<uint8_t> bytes;  // the varint ends at the end of the buffer
    uint32_t value, length;
  } cases[] = {
      {{0x11, 0x85}, 5, 1},
      {{0x81, 0x48}, 200, 2},
      {{0x00, 0x83, 0x01, 0x02}, (3u << 14) | (1u << 7) | 2, 3},
      {{0x01, 0x02, 0x03, 0x04, 0x05}, (2u << 21) | (3u << 14) | (4u << 7) | 5, 4},
      {{0x03, 0x04}, (3u << 7) | 4, 2},  // stops at the buffer start
      {{}, 0, 0},
  };
  for (const auto& c : cases) {
    uint32_t length = 99;
    const uint8_t* start = c.bytes.data();
    uint32_t value = ReadBackwardVarint(start, start + c.bytes.size(), &length);
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(length, c.length);
  }
}

TEST(BigEndian, MostSignificantFirst) {
  const uint8_t bytes[4] = {0xCA, 0xFE, 0x00, 0x01};
  EXPECT_EQ(ReadBigEndianU32(bytes), 0xCAFE0001u);
}

}  // namespace
