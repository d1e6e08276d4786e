// Trailing entries of a text record and the entry header, as tables of
// records built here; sizes that exceed the record must be reported corrupt
// and never move the end before the record's start.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "foundation/streams/trailing_entries.h"

namespace {

using Bytes = std::vector<uint8_t>;

// An entry: its payload followed by the backward varint of the whole size.
Bytes Entry(const Bytes& payload) {
  uint32_t size = static_cast<uint32_t>(payload.size()) + 1;
  if (size >= 128) ++size;  // two size bytes cover every size used here
  Bytes out = payload;
  if (size < 128) {
    out.push_back(static_cast<uint8_t>(0x80 | size));
  } else {
    out.push_back(static_cast<uint8_t>(0x80 | (size >> 7)));
    out.push_back(static_cast<uint8_t>(size & 0x7F));
  }
  return out;
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

const Bytes kText = {'h', 'e', 'l', 'l', 'o'};

TEST(TrailingEntries, SizesTotalsAndCorruptRecords) {
  struct Case {
    const char* name;
    Bytes record;
    uint32_t flags, codePage;
    uint32_t size, total;
    bool corrupt;
  } cases[] = {
      {"no flags", kText, 0, 1252, 0, 0, false},
      {"bit 0 alone walks nothing", kText, 1, 1252, 0, 0, false},
      {"one entry", Join({kText, Entry({9, 9})}), 0x2, 1252, 3, 3, false},
      {"two entries", Join({kText, Entry({0xA, 0xB}), Entry({0xC})}), 0x6, 1252, 5, 5, false},
      {"gap in the flags", Join({kText, Entry({1}), Entry({2, 3})}), 0x12, 1252, 5, 5, false},
      {"two-byte size", Join({kText, Entry(Bytes(198, 7))}), 0x2, 1252, 200, 200, false},
      {"utf-8 carry before entries", Join({kText, {0xE2, 0x82, 0x02}, Entry({4})}), 0x3, 65001, 2, 5, false},
      {"utf-8 carry without entries", Join({kText, {0x80, 0x01}}), 0x1, 65001, 0, 2, false},
      {"utf-8 without bit 0 keeps its last byte", Join({kText, {0x80, 0x01}}), 0, 65001, 0, 0, false},
      {"utf-8 entries without bit 0", Join({kText, {0x0F}, Entry({4})}), 0x2, 65001, 2, 2, false},
      {"1252 ignores the last byte", Join({kText, {0x0F}}), 0x1, 1252, 0, 0, false},
      {"size beyond record", Bytes{1, 2, 0x90}, 0x2, 1252, 0, 0, true},
      {"second size beyond what is left", Join({Bytes{0x90}, Entry({5})}), 0x6, 1252, 2, 2, true},
      {"size smaller than its varint", Join({kText, Bytes{0x80}}), 0x2, 1252, 0, 0, true},
      {"empty record with flags", Bytes{}, 0x2, 65001, 0, 0, true},
      {"carry beyond record", Bytes{0x0F}, 0x1, 65001, 0, 1, true},
      {"carry beyond what entries leave", Join({Bytes{0x05}, Entry({})}), 0x3, 65001, 1, 2, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const uint8_t* start = c.record.data();
    const uint8_t* end = start + c.record.size();
    bool corrupt = !c.corrupt;
    uint32_t size = TrailingEntriesSize(start, end, c.flags, &corrupt);
    EXPECT_EQ(size, c.size);
    bool totalCorrupt = !c.corrupt;
    uint32_t total = TrailingEntriesTotal(start, end, c.flags, c.codePage, &totalCorrupt);
    EXPECT_EQ(total, c.total);
    EXPECT_EQ(totalCorrupt, c.corrupt);
    EXPECT_LE(total, c.record.size());
  }
}

TEST(TrailingEntries, FindSelectsEntryByFlag) {
  Bytes record = Join({kText, Entry({0xA, 0xB}), Entry({0xC})});
  const uint8_t* start = record.data();
  const uint8_t* end = start + record.size();
  struct Case {
    uint32_t selector;
    long offset;  // -1: null
    uint32_t payload;
  } cases[] = {
      {0x2, 8, 1}, {0x4, 5, 2}, {0x8, -1, 0}, {0x1, -1, 0}, {0x6, -1, 0}, {0, -1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.selector);
    uint32_t payload = 77;
    bool corrupt = true;
    const uint8_t* entry = FindTrailingEntry(start, end, 0x7, c.selector, &payload, &corrupt);
    EXPECT_FALSE(corrupt);
    if (c.offset < 0) {
      EXPECT_EQ(entry, nullptr);
    } else {
      EXPECT_EQ(entry, start + c.offset);
      EXPECT_EQ(payload, c.payload);
    }
  }
  Bytes bad = {0x90, 0x05, 0x82};  // the bit-1 entry is fine, the bit-2 size is not
  bool corrupt = false;
  uint32_t payload = 0;
  EXPECT_EQ(FindTrailingEntry(bad.data(), bad.data() + 3, 0x6, 0x4, &payload, &corrupt), nullptr);
  EXPECT_TRUE(corrupt);
  EXPECT_EQ(FindTrailingEntry(bad.data(), bad.data() + 3, 0x6, 0x2, &payload, &corrupt), bad.data() + 1);
  EXPECT_FALSE(corrupt);
}

TEST(EntryHeader, ParsesFlagDrivenFields) {
  struct Case {
    const char* name;
    Bytes data;
    uint32_t consumed;
    int32_t first, second, third, fourth, fifth;
  } cases[] = {
      {"flags only", {0x80}, 1, -1, 0, -1, 1, -1},
      {"step forward", {0xB0}, 1, -1, 3, -1, 1, -1},
      {"step backward", {0xB8}, 1, -1, -3, -1, 1, -1},
      {"entry number and second varint", {0x8A, 0x85}, 2, 1, 0, 5, 1, -1},
      {"byte", {0x84, 0x07}, 2, -1, 0, -1, 7, -1},
      {"final varint", {0x81, 0x01, 0x80}, 3, -1, 0, -1, 1, 128},
      {"everything", {0x01, 0xBF, 0x83, 0x09, 0x02, 0x80}, 6, 23, 0, 3, 9, 256},
      {"cut after flags", {0x87}, 1, 0, 0, -1, 1, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    int32_t f[5] = {100, 100, 100, 100, 100};
    uint32_t used = ParseEntryHeader(c.data.data(), static_cast<uint32_t>(c.data.size()), &f[0],
                                     &f[1], &f[2], &f[3], &f[4]);
    EXPECT_EQ(used, c.consumed);
    EXPECT_EQ(f[0], c.first);
    EXPECT_EQ(f[1], c.second);
    EXPECT_EQ(f[2], c.third);
    EXPECT_EQ(f[3], c.fourth);
    EXPECT_EQ(f[4], c.fifth);
  }
  int32_t f[5] = {100, 100, 100, 100, 100};
  const uint8_t none = 0;
  EXPECT_EQ(ParseEntryHeader(&none, 0, &f[0], &f[1], &f[2], &f[3], &f[4]), 1u);
  for (int32_t v : f) EXPECT_EQ(v, 100) << "length 0 sets nothing";
}

}  // namespace
