// Broken containers: every kind the builder makes, opened in every way the
// system opens files. A read-only or open-existing open fails with 8; an
// open that may create sets the file aside as "<name>.bad" (writable) or
// answers an empty database without touching it (read-only); both loaders
// report the file as invalid. A record over 24 bits is refused the same
// way, never truncated.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/files/files.h"
#include "platform/testing/files.h"
#include "storage/container/palm_database_stream.h"
#include "storage/container/stream_factory.h"
#include "storage/container/storage_errors.h"
#include "tests/support/palm_database_builder.h"

using testbuild::PalmCorruption;
using testbuild::PalmDatabaseBuilder;

namespace {

constexpr const char16_t* kPath = u"\\broken.pdb";
constexpr const char16_t* kBadPath = u"\\broken.pdb.bad";

std::vector<uint8_t> SoundFile() {
  PalmDatabaseBuilder builder;
  builder.AddRecord(std::string(300, 'a'));
  builder.AddRecord(std::string(500, 'b'));
  builder.AddRecord(std::string(200, 'c'));
  builder.AddRecord(std::string(100, 'd'));
  return builder.Build();
}

struct Opened {
  std::unique_ptr<PalmDatabase> db;
  int32_t error = -1;
};

Opened Open(uint32_t mode) {
  Opened out;
  out.db.reset(OpenRecordDatabase(kPath, mode, MakeFourCC("CORV"), MakeFourCC("TEST"), &out.error));
  return out;
}

std::vector<uint8_t> FileAt(const char16_t* path) {
  return testbuild::PeekDeviceFile(path).value_or(std::vector<uint8_t>{'<', 'n', 'o', 'n', 'e', '>'});
}

PalmLoadResult LoadDirectly(int32_t mode) {
  auto* stream = new FileStream;
  if (!stream->Open(kPath, 41, 128)) {
    delete stream;
    return PalmLoadResult::kReadFailed;
  }
  StreamPalmDatabase db(stream, mode);
  PalmLoadResult result = db.Load();
  EXPECT_EQ(db.GetRecordCount(), 0);
  EXPECT_TRUE(db.IsDiscarded());
  return result;
}

// Every way of opening a broken file, and what must come of it.
void ExpectRefusedEverywhere(const std::vector<uint8_t>& broken) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, broken));
  EXPECT_EQ(LoadDirectly(StreamPalmDatabase::kModeInMemory), PalmLoadResult::kInvalid);
  EXPECT_EQ(LoadDirectly(StreamPalmDatabase::kModeOnDemand), PalmLoadResult::kInvalid);

  for (uint32_t mode : {9u, 41u, 297u, 11u}) {
    SCOPED_TRACE(mode);
    Opened o = Open(mode);
    EXPECT_FALSE(o.db);
    EXPECT_EQ(o.error, kStorageCorrupt);
  }
  EXPECT_TRUE(FileAt(kPath) == broken);
  EXPECT_FALSE(testbuild::PeekDeviceFile(kBadPath));

  // Read-only but allowed to create: an empty database, the file untouched.
  {
    Opened o = Open(13);
    ASSERT_TRUE(o.db);
    EXPECT_EQ(o.db->GetRecordCount(), 0);
    EXPECT_EQ(o.db->LockRecord(0, false), nullptr);
  }
  EXPECT_TRUE(FileAt(kPath) == broken);
  EXPECT_FALSE(testbuild::PeekDeviceFile(kBadPath));

  // Writable and allowed to create: the file goes aside, a fresh one comes.
  {
    Opened o = Open(15);
    ASSERT_TRUE(o.db);
    EXPECT_EQ(o.error, kStorageOk);
    EXPECT_EQ(o.db->GetRecordCount(), 0);
  }
  EXPECT_TRUE(FileAt(kBadPath) == broken);
  auto fresh = testbuild::ParsePalmDatabase(FileAt(kPath));
  ASSERT_TRUE(fresh);
  EXPECT_EQ(fresh->recordCount, 0);
  EXPECT_EQ(fresh->head.type, testbuild::FourCC("TEST"));
  DeleteFileW(kBadPath);
}

}  // namespace

TEST(PalmDatabaseCorruption, EveryBrokenContainerIsRefused) {
  for (PalmCorruption kind : testbuild::kAllPalmCorruptions) {
    for (size_t record : {1, 3}) {
      SCOPED_TRACE(testbuild::PalmCorruptionName(kind) + std::string(" at record ") + std::to_string(record));
      ExpectRefusedEverywhere(testbuild::CorruptPalmDatabase(SoundFile(), kind, record));
    }
  }
}

TEST(PalmDatabaseCorruption, SmallBrokenHeadsAreRefused) {
  PalmDatabaseBuilder empty;
  auto file = empty.Build();  // 80 bytes, no records
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"one byte", {0x42}},
      {"77 bytes", std::vector<uint8_t>(file.begin(), file.begin() + 77)},
      {"count 1 without its entry", [&] {
         auto b = std::vector<uint8_t>(file.begin(), file.begin() + 78);
         testbuild::SetRecordCountField(b, 1);
         return b;
       }()},
      {"count 65535", [&] {
         auto b = file;
         testbuild::SetRecordCountField(b, 0xFFFF);
         return b;
       }()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectRefusedEverywhere(c.bytes);
  }
}

TEST(PalmDatabaseCorruption, SoundEdgeFilesOpen) {
  // 78 bytes without the gap; a record of length 0 at the very end; equal offsets.
  PalmDatabaseBuilder noGap;
  noGap.OmitGap(true);
  PalmDatabaseBuilder zeroAtEnd;
  zeroAtEnd.AddRecord(std::string("x"));
  zeroAtEnd.AddRecord(std::string(""));
  zeroAtEnd.AddRecord(std::string(""));
  for (auto* builder : {&noGap, &zeroAtEnd}) {
    ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, builder->Build()));
    for (uint32_t mode : {41u, 11u}) {
      SCOPED_TRACE(mode);
      Opened o = Open(mode);
      ASSERT_TRUE(o.db);
      ASSERT_EQ(o.db->GetRecordCount(), builder->RecordCount());
      for (uint16_t i = 0; i < o.db->GetRecordCount(); ++i) {
        RecordBuffer* record = o.db->LockRecord(i, false);
        ASSERT_TRUE(record);
        EXPECT_EQ(record->GetSize(), builder->Records()[i].data.size());
        o.db->ReleaseRecord(record, false);
      }
      o.db->Discard();
    }
  }
}

TEST(PalmDatabaseCorruption, ARecordOverTwentyFourBitsIsRefusedNotTruncated) {
  ExpectRefusedEverywhere(testbuild::BuildOversizedRecordDatabase(2));
}
