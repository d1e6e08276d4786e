// The CRC-32 table: the system's checksum starts from 0 and is not inverted.
// Expected values were computed independently from the common CRC-32 (for n
// bytes, ours = crc32(data) ^ crc32(n zero bytes)).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/streams/crc32_table.h"
#include "platform/testing/allocation.h"

namespace {

std::vector<uint8_t> AllBytes() {
  std::vector<uint8_t> v(256);
  for (int i = 0; i < 256; ++i) v[i] = static_cast<uint8_t>(i);
  return v;
}

}  // namespace

TEST(Crc32Table, ComputesUninvertedChecksumFromZero) {
  struct Case {
    std::vector<uint8_t> data;
    uint32_t expected;
  };
  const std::string abc = "abc";
  const std::string digits = "123456789";
  const Case cases[] = {
      {{}, 0},
      {{'a'}, 0x3AB551CEu},
      {{abc.begin(), abc.end()}, 0xCA6598D0u},
      {{digits.begin(), digits.end()}, 0x2DFD2D88u},
      {{0x00}, 0},  // zeros leave a zero register unchanged
      {{0xFF, 0xFF, 0xFF, 0xFF}, 0xDEBB20E3u},
      {AllBytes(), 0x2493092Bu},
  };
  Crc32Table table;
  ASSERT_TRUE(table.IsValid());
  for (const Case& c : cases) {
    uint32_t out = 0xDEADBEEFu;
    EXPECT_TRUE(table.Compute(c.data.data(), c.data.size(), &out));
    EXPECT_EQ(out, c.expected) << "length " << c.data.size();
  }
}

TEST(Crc32Table, TableHoldsReflectedPolynomialEntries) {
  Crc32Table table;
  ASSERT_TRUE(table.IsValid());
  EXPECT_EQ(table.Entries()[0], 0u);
  EXPECT_EQ(table.Entries()[1], 0x77073096u);
  EXPECT_EQ(table.Entries()[128], 0xEDB88320u);
  EXPECT_EQ(table.Entries()[255], 0x2D02EF8Du);
}

TEST(Crc32Table, UpdateContinuesAcrossPiecesAndKeepsCrcForNoBytes) {
  Crc32Table table;
  ASSERT_TRUE(table.IsValid());
  const std::vector<uint8_t> data = AllBytes();
  uint32_t whole = 0;
  ASSERT_TRUE(table.Compute(data.data(), data.size(), &whole));
  for (size_t cut : {size_t{0}, size_t{1}, size_t{100}, size_t{255}, size_t{256}}) {
    uint32_t crc = Crc32Update(table.Entries(), 0, data.data(), cut);
    crc = Crc32Update(table.Entries(), crc, data.data() + cut, data.size() - cut);
    EXPECT_EQ(crc, whole) << "cut at " << cut;
  }
  EXPECT_EQ(Crc32Update(table.Entries(), 0x12345678u, nullptr, 0), 0x12345678u);
}

TEST(Crc32Table, MissingTableRefusesAndLeavesOutputAlone) {
  devtest::FailNthAllocation(1);
  Crc32Table table;
  devtest::StopFailingAllocations();
  EXPECT_FALSE(table.IsValid());
  uint32_t out = 0x55AA55AAu;
  EXPECT_FALSE(table.Compute("abc", 3, &out));
  EXPECT_EQ(out, 0x55AA55AAu);

  ASSERT_TRUE(table.Create());
  EXPECT_TRUE(table.Compute("abc", 3, &out));
  EXPECT_EQ(out, 0xCA6598D0u);
}
