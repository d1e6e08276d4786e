// The byte-order words: each width and order read from and written to a
// known pattern, with the high bit set (no sign extension), values wider
// than the word (only the low bytes are stored) and the bytes around a
// written word left alone.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "foundation/streams/byte_order.h"

namespace {

struct WordCase {
  const char* what;
  uint32_t (*load)(const uint8_t*);
  void (*store)(uint8_t*, uint32_t);
  size_t width;
  std::vector<uint8_t> bytes;  // the stored form of `value`
  uint32_t value;
};

uint32_t Load16BE(const uint8_t* p) { return LoadU16BE(p); }
uint32_t Load16LE(const uint8_t* p) { return LoadU16LE(p); }

const WordCase kCases[] = {
    {"16 BE", Load16BE, StoreU16BE, 2, {0x12, 0x34}, 0x1234},
    {"16 BE high bit", Load16BE, StoreU16BE, 2, {0xFF, 0xFE}, 0xFFFE},
    {"24 BE", LoadU24BE, StoreU24BE, 3, {0x12, 0x34, 0x56}, 0x123456},
    {"24 BE high bit", LoadU24BE, StoreU24BE, 3, {0x80, 0x00, 0x01}, 0x800001},
    {"32 BE", LoadU32BE, StoreU32BE, 4, {0x12, 0x34, 0x56, 0x78}, 0x12345678},
    {"32 BE high bit", LoadU32BE, StoreU32BE, 4, {0xFF, 0x00, 0x00, 0x80}, 0xFF000080},
    {"16 LE", Load16LE, StoreU16LE, 2, {0x34, 0x12}, 0x1234},
    {"16 LE high bit", Load16LE, StoreU16LE, 2, {0xFE, 0xFF}, 0xFFFE},
    {"32 LE", LoadU32LE, StoreU32LE, 4, {0x78, 0x56, 0x34, 0x12}, 0x12345678},
    {"32 LE high bit", LoadU32LE, StoreU32LE, 4, {0x80, 0x00, 0x00, 0xFF}, 0xFF000080},
};

TEST(ByteOrder, LoadsAndStoresEachWidthAndOrder) {
  for (const WordCase& c : kCases) {
    SCOPED_TRACE(c.what);
    // The word sits between guard bytes, away from the start of the buffer.
    std::array<uint8_t, 8> buffer;
    buffer.fill(0xA5);
    c.store(buffer.data() + 2, c.value);
    EXPECT_EQ(std::vector<uint8_t>(buffer.begin() + 2, buffer.begin() + 2 + c.width), c.bytes);
    EXPECT_EQ(buffer[1], 0xA5);
    EXPECT_EQ(buffer[2 + c.width], 0xA5);
    EXPECT_EQ(c.load(buffer.data() + 2), c.value);
  }
}

TEST(ByteOrder, StoringKeepsOnlyTheLowBytesOfAWiderValue) {
  for (const WordCase& c : kCases) {
    if (c.width == 4) continue;
    SCOPED_TRACE(c.what);
    std::array<uint8_t, 4> buffer{};
    c.store(buffer.data(), c.value | 0xAB000000u | (c.width == 2 ? 0x00CD0000u : 0u));
    EXPECT_EQ(c.load(buffer.data()), c.value);
    EXPECT_EQ(buffer[c.width], 0);
  }
}

}  // namespace
