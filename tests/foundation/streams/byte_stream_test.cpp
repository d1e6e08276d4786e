// ByteStream: the VarUInt and blob formats, byte orders, the ok-flag rules,
// and reads past the end that must copy nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "foundation/streams/byte_stream.h"
#include "platform/testing/allocation.h"

namespace {

std::vector<uint8_t> Bytes(const ByteStream& s) {
  std::vector<uint8_t> out(s.Size());
  for (uint32_t i = 0; i < s.Size(); ++i) out[i] = s.ByteAt(i);
  return out;
}

void Fill(ByteStream& s, const std::vector<uint8_t>& bytes) {
  s.Clear();
  ASSERT_TRUE(s.WriteBytes(bytes.data(), static_cast<uint32_t>(bytes.size())));
  s.readPos = 0;
}

TEST(ByteStream, VarUIntExamples) {
  struct Case {
    uint32_t value;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {0, {0x80}},
      {127, {0xFF}},
      {128, {0x00, 0x81}},
      {300, {0x2C, 0x82}},
      {(1u << 14) - 1, {0x7F, 0xFF}},
      {1u << 14, {0x00, 0x00, 0x81}},
      {(1u << 21) - 1, {0x7F, 0x7F, 0xFF}},
      {(1u << 28) - 1, {0x7F, 0x7F, 0x7F, 0xFF}},
      {1u << 28, {0x00, 0x00, 0x00, 0x00, 0x81}},
      {0xFFFFFFFFu, {0x7F, 0x7F, 0x7F, 0x7F, 0x8F}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    ByteStream s;
    ASSERT_TRUE(s.WriteVarUInt(c.value));
    EXPECT_EQ(Bytes(s), c.bytes);
    uint32_t back = 0;
    ASSERT_TRUE(s.ReadVarUInt(&back));
    EXPECT_EQ(back, c.value);
    EXPECT_EQ(s.readPos, c.bytes.size());
  }
}

TEST(ByteStream, VarUIntReaderDropsHighGroupsAndFailsWithoutStopByte) {
  ByteStream s;
  Fill(s, {0x01, 0x00, 0x00, 0x00, 0x70, 0x55, 0x80, 0x7F});
  uint32_t value = 0;
  ASSERT_TRUE(s.ReadVarUInt(&value));
  EXPECT_EQ(value, 1u) << "bits of groups at 28 and above that pass bit 31 are dropped";
  EXPECT_EQ(s.readPos, 7u);
  EXPECT_FALSE(s.ReadVarUInt(&value));
  EXPECT_FALSE(s.ok);
  EXPECT_EQ(s.readPos, 7u);
}

TEST(ByteStream, BlobIsLengthBytesAndPadding) {
  ByteStream s;
  const uint8_t five[5] = {1, 2, 3, 4, 5};
  ASSERT_TRUE(s.WriteBlob(five, 5));
  EXPECT_EQ(Bytes(s), (std::vector<uint8_t>{0, 0, 0, 5, 1, 2, 3, 4, 5, 0, 0, 0}));
  ByteStream target;
  target.readPos = 3;
  ASSERT_TRUE(s.ReadBlob(target));
  EXPECT_EQ(s.readPos, 12u);
  EXPECT_EQ(Bytes(target), (std::vector<uint8_t>{1, 2, 3, 4, 5}));
  EXPECT_TRUE(s.ok);

  // A stream written as a blob of itself, and an empty blob.
  ByteStream self;
  Fill(self, {9, 8});
  ASSERT_TRUE(self.WriteBlob(self));
  EXPECT_EQ(Bytes(self), (std::vector<uint8_t>{9, 8, 0, 0, 0, 2, 9, 8, 0, 0}));
  ByteStream empty;
  ASSERT_TRUE(s.WriteBlob(empty));
  ASSERT_TRUE(s.ReadBlob(target));
  EXPECT_EQ(target.Size(), 0u);
  EXPECT_EQ(s.readPos, 16u);
}

TEST(ByteStream, BlobLongerThanStreamClearsOkAndLeavesTargetEmpty) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"one byte short", {0, 0, 0, 5, 1, 2, 3, 4, 5, 0, 0}},
      {"padding wraps in 32 bits", {0xFF, 0xFF, 0xFF, 0xFD, 1, 2, 3, 4}},
      {"all ones", {0xFF, 0xFF, 0xFF, 0xFF}},
      {"length word cut", {0, 0, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ByteStream s;
    Fill(s, c.bytes);
    ByteStream target;
    Fill(target, {7, 7, 7});
    EXPECT_FALSE(s.ReadBlob(target));
    EXPECT_FALSE(s.ok);
    EXPECT_EQ(s.readPos, 0u);
    EXPECT_EQ(target.Size(), 0u);
  }
}

TEST(ByteStream, BigEndianAndMachineOrders) {
  ByteStream s;
  uint32_t word = 0x01020304;
  uint16_t half = 0x0A0B;
  ASSERT_TRUE(s.WriteU32BE(&word, 1));
  s.WriteU16BEUnchecked(&half, 1);
  s.AppendRaw16(&half, 1);
  s.AppendRaw32(&word, 1);
  ASSERT_TRUE(s.WriteU32Native(&word, 1));
  EXPECT_EQ(Bytes(s), (std::vector<uint8_t>{1, 2, 3, 4, 0x0A, 0x0B, 0x0B, 0x0A, 4, 3, 2, 1, 4, 3,
                                            2, 1}));
  uint32_t w[3] = {};
  uint16_t h[2] = {};
  ASSERT_TRUE(s.ReadU32BEUnchecked(w, 1));
  ASSERT_TRUE(s.ReadU16BE(h, 1));
  ASSERT_TRUE(s.ReadRaw16(h + 1, 1));
  ASSERT_TRUE(s.ReadRaw32(w + 1, 1));
  ASSERT_TRUE(s.ReadU32Native(w + 2, 1));
  EXPECT_EQ(w[0], word);
  EXPECT_EQ(w[1], word);
  EXPECT_EQ(w[2], word);
  EXPECT_EQ(h[0], half);
  EXPECT_EQ(h[1], half);
  EXPECT_TRUE(s.ok);
}

TEST(ByteStream, WordsRoundTripAcrossBlockBoundaries) {
  ByteStream s;
  const uint8_t odd = 0x33;
  ASSERT_TRUE(s.WriteBytes(&odd, 1));
  std::vector<uint32_t> words(100), back(100);
  for (uint32_t i = 0; i < words.size(); ++i) words[i] = 0x01010101u * i + 0x80402010u;
  ASSERT_TRUE(s.WriteU32BE(words.data(), 100));
  s.readPos = 1;
  ASSERT_TRUE(s.ReadU32BE(back.data(), 100));
  EXPECT_EQ(back, words);
  EXPECT_EQ(s.ByteAt(1 + 4 * 7), 0x87) << "word 7 starts at offset 29, across the first block end";
}

TEST(ByteStream, FailedReadClearsOkAndWritesDoNotSetItAgain) {
  ByteStream s;
  Fill(s, {1, 2, 3});
  uint32_t value = 0xDEADBEEF;
  EXPECT_FALSE(s.ReadU32BE(&value, 1));
  EXPECT_FALSE(s.ok);
  EXPECT_EQ(s.readPos, 0u);
  EXPECT_EQ(value, 0xDEADBEEFu);
  ASSERT_TRUE(s.WriteBytes(&value, 4));
  EXPECT_FALSE(s.ok);
  uint8_t first = 0;
  EXPECT_TRUE(s.ReadBytes(&first, 1)) << "reads still work; the flag stays clear";
  EXPECT_FALSE(s.ok);

  ByteStream copy;
  ASSERT_TRUE(copy.Assign(s));
  EXPECT_FALSE(copy.ok);
  EXPECT_EQ(copy.readPos, 1u);
  EXPECT_EQ(Bytes(copy), Bytes(s));

  ByteStream moved;
  moved.MoveFrom(s);
  EXPECT_FALSE(moved.ok);
  EXPECT_EQ(moved.Size(), 7u);
  EXPECT_TRUE(s.ok);
  EXPECT_EQ(s.readPos, 0u);
  EXPECT_EQ(s.Size(), 0u);

  moved.readPos = 5;
  moved.Clear();
  EXPECT_TRUE(moved.ok);
  EXPECT_EQ(moved.Size(), 0u);
  EXPECT_EQ(moved.readPos, 5u) << "Clear leaves the read position to the caller";
}

TEST(ByteStream, EveryReaderPastTheEndCopiesNothing) {
  using Reader = std::function<bool(ByteStream&, uint8_t*)>;
  struct Case {
    const char* name;
    Reader read;
  } cases[] = {
      {"ReadBytes", [](ByteStream& s, uint8_t* o) { return s.ReadBytes(o, 8); }},
      {"ReadRaw", [](ByteStream& s, uint8_t* o) { return s.ReadRaw(o, 8); }},
      {"ReadU32Native", [](ByteStream& s, uint8_t* o) { return s.ReadU32Native(reinterpret_cast<uint32_t*>(o), 2); }},
      {"ReadRaw32", [](ByteStream& s, uint8_t* o) { return s.ReadRaw32(reinterpret_cast<uint32_t*>(o), 2); }},
      {"ReadU32BE", [](ByteStream& s, uint8_t* o) { return s.ReadU32BE(reinterpret_cast<uint32_t*>(o), 2); }},
      {"ReadU32BEUnchecked", [](ByteStream& s, uint8_t* o) { return s.ReadU32BEUnchecked(reinterpret_cast<uint32_t*>(o), 2); }},
      {"ReadU16BE", [](ByteStream& s, uint8_t* o) { return s.ReadU16BE(reinterpret_cast<uint16_t*>(o), 4); }},
      {"ReadU16BEUnchecked", [](ByteStream& s, uint8_t* o) { return s.ReadU16BEUnchecked(reinterpret_cast<uint16_t*>(o), 4); }},
      {"ReadRaw16", [](ByteStream& s, uint8_t* o) { return s.ReadRaw16(reinterpret_cast<uint16_t*>(o), 4); }},
      {"huge count", [](ByteStream& s, uint8_t* o) { return s.ReadU32BE(reinterpret_cast<uint32_t*>(o), 0x40000001u); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ByteStream s;
    Fill(s, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    s.readPos = 2;  // seven bytes left, eight wanted
    alignas(4) uint8_t out[8];
    std::fill(out, out + 8, 0xEE);
    EXPECT_FALSE(c.read(s, out));
    EXPECT_FALSE(s.ok);
    EXPECT_EQ(s.readPos, 2u);
    for (uint8_t b : out) ASSERT_EQ(b, 0xEE);
    // A read position beyond the size (set by a caller) reads nothing either.
    s.readPos = 40;
    EXPECT_FALSE(c.read(s, out));
    for (uint8_t b : out) ASSERT_EQ(b, 0xEE);
  }
}

TEST(ByteStream, PositioningRules) {
  ByteStream s;
  Fill(s, {1, 2, 3, 4, 5, 6});
  s.readPos = 5;
  s.AlignRead(4);
  EXPECT_EQ(s.readPos, 6u) << "clamped to the size";
  s.AlignRead(4);
  EXPECT_EQ(s.readPos, 6u);
  s.readPos = 1;
  s.AlignRead(4);
  EXPECT_EQ(s.readPos, 4u);

  EXPECT_FALSE(s.Skip(3));
  EXPECT_EQ(s.readPos, 4u);
  EXPECT_TRUE(s.ok) << "Skip leaves the flag alone";
  EXPECT_TRUE(s.Skip(2));

  ASSERT_TRUE(s.PadWrite(4));
  EXPECT_EQ(s.Size(), 8u);
  ASSERT_TRUE(s.PadWrite(4));
  EXPECT_EQ(s.Size(), 8u) << "already aligned: nothing written";
  EXPECT_EQ(Bytes(s), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 0, 0}));

  ASSERT_TRUE(s.Resize(3));
  EXPECT_EQ(Bytes(s), (std::vector<uint8_t>{1, 2, 3}));
  ASSERT_TRUE(s.Resize(64));
  EXPECT_EQ(s.Size(), 64u);
  EXPECT_EQ(*static_cast<uint8_t*>(s.bytes.At(64)), 0) << "a zero byte just past the end";
  EXPECT_FALSE(s.Resize(0xFFFFFFFFu));
  EXPECT_TRUE(s.ok);
}

TEST(ByteStream, FailedGrowthWritesNothingAndClearsOk) {
  ByteStream s;
  Fill(s, std::vector<uint8_t>(32, 1));
  devtest::AllocationFailure fail(1, true);
  uint32_t words[2] = {1, 2};
  const uint8_t blob[40] = {};
  EXPECT_FALSE(s.WriteU32BE(words, 2));
  EXPECT_FALSE(s.ok);
  EXPECT_FALSE(s.WriteBlob(blob, 40));
  EXPECT_FALSE(s.WriteVarUInt(5));
  s.AppendRaw32(words, 2);
  EXPECT_EQ(s.Size(), 32u);
  EXPECT_FALSE(s.Resize(100));
}

TEST(ByteStream, LargeBytesRoundTrip) {
  ByteStream s;
  std::vector<uint8_t> data(5000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7 + 3);
  for (size_t i = 0; i < data.size(); i += 333)
    ASSERT_TRUE(s.WriteBytes(data.data() + i, static_cast<uint32_t>(std::min<size_t>(333, data.size() - i))));
  std::vector<uint8_t> back(5000);
  ASSERT_TRUE(s.ReadBytes(back.data(), 17));
  ASSERT_TRUE(s.ReadBytes(back.data() + 17, 4983));
  EXPECT_EQ(back, data);
}

struct RecordingSink : ByteStreamSink {
  std::vector<uint8_t> data;
  std::vector<std::pair<uint32_t, uint32_t>> runs;
  void Write(uint32_t offset, const uint8_t* bytes, uint32_t length) override {
    runs.emplace_back(offset, length);
    data.insert(data.end(), bytes, bytes + length);
  }
};

TEST(ByteStream, CopyToSinkHandsBlockBoundedRuns) {
  ByteStream s;
  std::vector<uint8_t> data(70);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i);
  Fill(s, data);
  s.readPos = 10;
  RecordingSink sink;
  EXPECT_EQ(s.CopyToSink(sink, 8, 50), 50u);
  EXPECT_EQ(sink.runs, (std::vector<std::pair<uint32_t, uint32_t>>{{8, 22}, {30, 28}}));
  EXPECT_EQ(s.readPos, 60u);
  EXPECT_EQ(s.CopyToSink(sink, 58, 100), 10u) << "stops when the bytes run out";
  EXPECT_EQ(sink.data, std::vector<uint8_t>(data.begin() + 10, data.end()));
}

}  // namespace
