// The PalmDOC decoder: every token kind, the refusals a file can provoke,
// the output bound, and round trips through the builder's encoder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/container/record_buffer.h"
#include "storage/compression/palmdoc.h"
#include "tests/support/book_builder.h"
#include "tests/support/palmdoc_encoder.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Decoded {
  PalmDocResult result;
  std::string text;
};

Decoded Decode(const Bytes& input, uint32_t capacity = 4096) {
  // Exactly sized buffers, so the sanitizer sees any overrun.
  Bytes in(input);
  std::vector<uint8_t> out(capacity);
  uint32_t produced = 0;
  PalmDocResult r = DecodePalmDoc(in.empty() ? nullptr : in.data(), static_cast<uint32_t>(in.size()),
                                  out.data(), capacity, &produced);
  EXPECT_LE(produced, capacity);
  return {r, std::string(out.begin(), out.begin() + produced)};
}

TEST(PalmDocDecode, TokensOfEveryKind) {
  struct Case {
    const char* name;
    Bytes input;
    std::string text;
  } cases[] = {
      {"plain bytes", {'a', 'b', 0x00, 0x09, 0x7F}, std::string("ab\0\x09\x7F", 5)},
      {"literal run of 1", {0x01, 0xE9}, "\xE9"},
      {"literal run of 8 at the end", {'x', 0x08, 1, 2, 3, 4, 5, 6, 7, 8}, "x\x01\x02\x03\x04\x05\x06\x07\x08"},
      {"space pair", {'a', 0xC1 ^ 0x00}, "a A"},
      {"space pair high", {0xFF}, " \x7F"},
      // distance 1, length 10: the previous byte ten times.
      {"overlapping copy", {'z', 0x80, (1 << 3) | 7}, std::string(11, 'z')},
      {"copy of three", {'a', 'b', 'c', 0x80, (3 << 3) | 0}, "abcabc"},
      {"longest distance", {}, ""},
      {"empty input", {}, ""},
  };
  // 2047 bytes then a copy from the very start.
  for (int i = 0; i < 2047; ++i) cases[7].input.push_back(static_cast<uint8_t>('a' + i % 26));
  cases[7].input.push_back(0x80 | (2047 >> 5));
  cases[7].input.push_back(static_cast<uint8_t>(((2047 << 3) & 0xF8) | 0));
  for (int i = 0; i < 2047; ++i) cases[7].text.push_back(static_cast<char>('a' + i % 26));
  cases[7].text += "abc";

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Decoded d = Decode(c.input);
    EXPECT_EQ(d.result, PalmDocResult::kOk);
    EXPECT_EQ(d.text, c.text);
    EXPECT_EQ(PalmDocDecodedLength(c.input.empty() ? nullptr : c.input.data(), static_cast<uint32_t>(c.input.size())),
              c.text.size());
  }
}

TEST(PalmDocDecode, RefusesWhatAFileCanBreak) {
  struct Case {
    const char* name;
    Bytes input;
    PalmDocResult result;
    size_t producedBefore;
  } cases[] = {
      {"back-reference before the output", {'a', 0x80, (2 << 3) | 0}, PalmDocResult::kCorrupt, 1},
      {"back-reference with nothing produced", {0x80, (1 << 3)}, PalmDocResult::kCorrupt, 0},
      {"distance 0", {'a', 'b', 0x80, 0x00}, PalmDocResult::kCorrupt, 2},
      {"literal run past the input", {'a', 0x05, 1, 2}, PalmDocResult::kCorrupt, 1},
      {"back-reference token as last byte", {'a', 'b', 0x85}, PalmDocResult::kCorrupt, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Decoded d = Decode(c.input);
    EXPECT_EQ(d.result, c.result);
    EXPECT_EQ(d.text.size(), c.producedBefore);
  }
}

TEST(PalmDocDecode, OutputLimitIsNeverPassed) {
  // Every token kind meeting a limit one byte short of what it needs.
  struct Case {
    const char* name;
    Bytes input;
    uint32_t capacity;
  } cases[] = {
      {"plain byte", {'a', 'b', 'c'}, 2},
      {"literal run", {'a', 0x03, 1, 2, 3}, 3},
      {"space pair", {'a', 0xC1}, 2},
      {"copy", {'a', 'b', 0x80, (2 << 3) | 7}, 11},
      {"zero capacity", {'a'}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Decoded d = Decode(c.input, c.capacity);
    EXPECT_EQ(d.result, PalmDocResult::kOutputFull);
  }
}

TEST(PalmDocDecode, DecompressIntoRecordBufferHonoursTheLimit) {
  Bytes text(300, 'q');
  Bytes packed = testbuild::EncodePalmDoc(text);
  std::vector<uint8_t> block(1000, 0xEE);
  MemoryRecordBuffer buffer(block.data(), static_cast<uint32_t>(block.size()));
  uint32_t length = 0;
  EXPECT_TRUE(DecompressPalmDoc(packed.data(), static_cast<uint32_t>(packed.size()), &buffer, 300, &length));
  EXPECT_EQ(length, 300u);
  EXPECT_FALSE(DecompressPalmDoc(packed.data(), static_cast<uint32_t>(packed.size()), &buffer, 299, &length));
  EXPECT_LE(length, 299u);
  EXPECT_EQ(block[299], 'q');
  EXPECT_EQ(block[300], 0xEE);  // nothing past the limit
}

TEST(PalmDocEncoder, RoundTripsThroughTheSystemDecoder) {
  const std::string samples[] = {
      testbuild::SampleText(4096, 7, 0),
      testbuild::SampleText(4096, 8, 2),
      std::string(4096, ' '),
      std::string("\x01\x02\x80\xFF \x41 \x7F\x00\x08", 11),
  };
  for (size_t i = 0; i < std::size(samples); ++i) {
    SCOPED_TRACE(i);
    Bytes text(samples[i].begin(), samples[i].end());
    Bytes packed = testbuild::EncodePalmDoc(text);
    if (text.size() > 100) {
      EXPECT_LT(packed.size(), text.size());
    }
    Decoded d = Decode(packed, static_cast<uint32_t>(text.size()));
    ASSERT_EQ(d.result, PalmDocResult::kOk);
    EXPECT_EQ(d.text, samples[i]);
    EXPECT_EQ(PalmDocDecodedLength(packed.data(), static_cast<uint32_t>(packed.size())), text.size());
  }
}

}  // namespace
