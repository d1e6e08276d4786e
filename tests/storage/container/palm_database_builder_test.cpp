// The test container builder against its own parser: every head field and
// record survives a round trip, the broken kinds are broken by the
// builder's own rules, and a shortened record stays a sound container.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/palm_database_builder.h"

using namespace testbuild;

TEST(PalmDatabaseBuilder, EveryFieldSurvivesARoundTrip) {
  PalmDatabaseBuilder builder;
  PalmHeadFields& h = builder.Head();
  h.name = "exactly thirty-two bytes of name";
  h.attributes = 0x1234;
  h.version = 0x5678;
  h.creationDate = 1;
  h.modificationDate = 2;
  h.backupDate = 3;
  h.modificationNumber = 4;
  h.appInfoOffset = 5;
  h.sortInfoOffset = 6;
  h.type = FourCC("DUMP");
  h.creator = FourCC("LogF");
  h.uniqueIdSeed = 0xABCDEF;
  h.nextRecordList = 9;
  builder.AddRecord({1, 2, 3}, 0x40, 0x010203);
  builder.AddRecord({}, 0x80, 0xFFFFFF);
  builder.AddRecord(std::string("tail"));
  auto file = builder.Build();
  ASSERT_EQ(file.size(), builder.RecordOffset(3));
  EXPECT_EQ(builder.RecordOffset(0), 78u + 3 * 8 + 2);

  auto parsed = ParsePalmDatabase(file);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->head.name, h.name);
  EXPECT_EQ(parsed->head.attributes, h.attributes);
  EXPECT_EQ(parsed->head.version, h.version);
  EXPECT_EQ(parsed->head.backupDate, 3u);
  EXPECT_EQ(parsed->head.sortInfoOffset, 6u);
  EXPECT_EQ(parsed->head.type, FourCC("DUMP"));
  EXPECT_EQ(parsed->head.creator, FourCC("LogF"));
  EXPECT_EQ(parsed->head.uniqueIdSeed, 0xABCDEFu);
  EXPECT_EQ(parsed->head.nextRecordList, 9u);
  ASSERT_EQ(parsed->records.size(), 3u);
  EXPECT_EQ(parsed->records[0].uniqueId, 0x010203u);
  EXPECT_EQ(parsed->records[1].attributes, 0x80);
  EXPECT_EQ(parsed->records[2].uniqueId, 0x102u);
  EXPECT_EQ(BuilderFrom(*parsed).Build(), file);
}

TEST(PalmDatabaseBuilder, BrokenKindsBreakAndShortRecordsStaySound) {
  PalmDatabaseBuilder builder;
  for (int i = 0; i < 3; ++i) builder.AddRecord(std::string(10, static_cast<char>('a' + i)));
  auto file = builder.Build();
  for (PalmCorruption kind : kAllPalmCorruptions) {
    EXPECT_FALSE(ParsePalmDatabase(CorruptPalmDatabase(file, kind, 2))) << PalmCorruptionName(kind);
  }
  auto shortened = ShortenRecord(file, 1, 4);
  auto parsed = ParsePalmDatabase(shortened);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->records[1].data, std::vector<uint8_t>(4, 'b'));
  EXPECT_EQ(parsed->records[2].data, std::vector<uint8_t>(10, 'c'));
  EXPECT_EQ(shortened.size(), file.size() - 6);
}
