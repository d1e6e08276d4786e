// The streamed Palm database: records locked, released, inserted, resized,
// deleted, sorted and found by identifier in memory; the unique-id seed and
// the limits of the count and the ids; what Save writes (read back by the
// builder's own parser); records read on demand in mode 1; and the shared
// LockRange rolling back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/testing/allocation.h"
#include "platform/testing/files.h"
#include "storage/container/palm_database_stream.h"
#include "storage/container/stream_factory.h"
#include "storage/container/storage_errors.h"
#include "tests/support/palm_database_builder.h"

using testbuild::FourCC;
using testbuild::PalmDatabaseBuilder;

namespace {

constexpr const char16_t* kPath = u"\\data.qvr";

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

std::string Text(const RecordBuffer* buffer) {
  return std::string(reinterpret_cast<const char*>(buffer->GetData()), buffer->GetSize());
}

std::unique_ptr<PalmDatabase> Open(uint32_t mode, int32_t* error = nullptr) {
  int32_t code = -1;
  std::unique_ptr<PalmDatabase> db(OpenRecordDatabase(kPath, mode, MakeFourCC("CORV"), MakeFourCC("BPAR"), &code));
  if (error) *error = code;
  return db;
}

std::string RecordText(PalmDatabase* db, uint16_t index) {
  RecordBuffer* record = db->LockRecord(index, false);
  if (!record) return "<none>";
  std::string text = Text(record);
  db->ReleaseRecord(record, false);
  return text;
}

std::vector<std::string> AllTexts(PalmDatabase* db) {
  std::vector<std::string> out;
  for (uint16_t i = 0; i < db->GetRecordCount(); ++i) out.push_back(RecordText(db, i));
  return out;
}

void Insert(PalmDatabase* db, uint16_t index, const std::string& text) {
  RecordBuffer* record = db->InsertRecord(index, static_cast<uint32_t>(text.size()));
  ASSERT_TRUE(record);
  ASSERT_TRUE(record->Write(0, text.data(), static_cast<uint32_t>(text.size())));
  db->ReleaseRecord(record, true);
}

int CompareText(const RecordView* a, const RecordView* b, void*) {
  std::string x(reinterpret_cast<const char*>(a->data), a->size), y(reinterpret_cast<const char*>(b->data), b->size);
  return x.compare(y);
}

int CompareTextKey(const RecordView* record, const void* key, void*) {
  return std::string(reinterpret_cast<const char*>(record->data), record->size).compare(static_cast<const char*>(key));
}

// Compares by the first byte only, to see that insertion sort is stable.
int CompareFirstByte(const RecordView* a, const RecordView* b, void*) { return int(a->data[0]) - int(b->data[0]); }

std::vector<uint8_t> FileBytes() { return testbuild::PeekDeviceFile(kPath).value_or(std::vector<uint8_t>{}); }

}  // namespace

TEST(StreamPalmDatabase, RecordsAreInsertedLockedResizedAndDeletedInMemory) {
  auto db = Open(23);  // read/write, create always
  ASSERT_TRUE(db);
  EXPECT_FALSE(db->IsMapped());
  EXPECT_TRUE(db->IsStreamBacked());
  EXPECT_TRUE(db->IsSlowStore());
  Insert(db.get(), 0, "one");
  Insert(db.get(), 1, "three");
  Insert(db.get(), 1, "two");
  Insert(db.get(), 500, "four");  // past the end: appended
  EXPECT_EQ(AllTexts(db.get()), (std::vector<std::string>{"one", "two", "three", "four"}));

  // A locked record is the database's own block: writes are in at once.
  RecordBuffer* record = db->LockRecordDefault(1);
  ASSERT_TRUE(record);
  EXPECT_TRUE(record->Write(0, "T", 1));
  EXPECT_FALSE(record->Write(2, "xy", 2));  // would pass the end
  EXPECT_FALSE(record->Write(4, "", 0));
  db->ReleaseRecord(record, true);
  EXPECT_EQ(RecordText(db.get(), 1), "Two");

  ASSERT_TRUE(db->ResizeRecord(2, 7));
  record = db->LockRecord(2, true);
  ASSERT_TRUE(record);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(record->GetData()), 5), "three");
  EXPECT_TRUE(record->Write(5, "!!", 2));
  db->ReleaseRecord(record, true);
  EXPECT_EQ(RecordText(db.get(), 2), "three!!");
  ASSERT_TRUE(db->ResizeRecord(2, 2));
  EXPECT_EQ(RecordText(db.get(), 2), "th");
  EXPECT_TRUE(db->ResizeRecord(2, 2));
  EXPECT_FALSE(db->ResizeRecord(2, 0x1000000));
  EXPECT_FALSE(db->ResizeRecord(9, 1));

  ASSERT_TRUE(db->DeleteRecord(0));
  EXPECT_FALSE(db->DeleteRecord(3));
  EXPECT_EQ(AllTexts(db.get()), (std::vector<std::string>{"Two", "th", "four"}));
  uint32_t size = 0;
  EXPECT_TRUE(db->GetRecordSize(2, &size));
  EXPECT_EQ(size, 4u);
  EXPECT_FALSE(db->GetRecordSize(3, &size));
  db->Discard();
}

TEST(StreamPalmDatabase, UniqueIdsComeFromTheSeedAndAreFoundAgain) {
  PalmDatabaseBuilder builder;
  builder.Head().uniqueIdSeed = 5;
  builder.AddRecord(Bytes("a"), 0, 3);
  builder.AddRecord(Bytes("b"), 0, 90);  // the seed must rise above it
  builder.AddRecord(Bytes("c"), 0, 7);
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, builder.Build()));
  auto db = Open(11);
  ASSERT_TRUE(db);
  EXPECT_EQ(db->Header().uniqueIdSeed, 91u);
  Insert(db.get(), 0, "new");
  uint32_t id = 0;
  uint8_t attributes = 9;
  ASSERT_TRUE(db->GetRecordInfo(0, &attributes, &id));
  EXPECT_EQ(id, 91u);
  EXPECT_EQ(attributes, 0);
  EXPECT_EQ(db->Header().uniqueIdSeed, 92u);
  uint16_t index = 0;
  ASSERT_TRUE(db->FindByUniqueId(90, &index));
  EXPECT_EQ(index, 2);
  ASSERT_TRUE(db->FindByUniqueId(91, &index));
  EXPECT_EQ(index, 0);
  EXPECT_FALSE(db->FindByUniqueId(92, &index));

  uint8_t newAttributes = 0x40;
  uint32_t newId = 0x123456;
  ASSERT_TRUE(db->SetRecordInfo(1, &newAttributes, nullptr));
  ASSERT_TRUE(db->SetRecordInfo(1, nullptr, &newId));
  uint32_t tooBig = 0x1000000;
  EXPECT_FALSE(db->SetRecordInfo(1, nullptr, &tooBig));
  ASSERT_TRUE(db->GetRecordInfo(1, &attributes, &id));
  EXPECT_EQ(attributes, 0x40);
  EXPECT_EQ(id, 0x123456u);
  db->Discard();
}

TEST(StreamPalmDatabase, InsertRefusesTheLastCountAndAWrappedSeed) {
  uint32_t lastId = 0xFFFFFF;
  // Seed 0xFFFFFF is the last id: one insert, then none.
  PalmDatabaseBuilder builder;
  builder.Head().uniqueIdSeed = 0xFFFFFF;
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, builder.Build()));
  auto db = Open(11);
  ASSERT_TRUE(db);
  RecordBuffer* record = db->InsertRecord(0, 1);
  ASSERT_TRUE(record);
  db->ReleaseRecord(record, true);
  uint32_t id = 0;
  ASSERT_TRUE(db->GetRecordInfo(0, nullptr, &id));
  EXPECT_EQ(id, lastId);
  EXPECT_EQ(db->InsertRecord(0, 1), nullptr);
  EXPECT_EQ(db->GetRecordCount(), 1);
  db->Discard();

  // 65,535 records fill the u16 count.
  db.reset();
  db = Open(23);
  ASSERT_TRUE(db);
  for (uint32_t i = 0; i < 0xFFFF; ++i) {
    RecordBuffer* r = db->InsertRecord(0xFFFF, 0);
    ASSERT_TRUE(r) << i;
    db->ReleaseRecord(r, true);
  }
  EXPECT_EQ(db->GetRecordCount(), 0xFFFF);
  EXPECT_EQ(db->InsertRecord(0, 1), nullptr);
  EXPECT_EQ(db->GetRecordCount(), 0xFFFF);
  EXPECT_EQ(db->InsertRecord(0, 0x1000000), nullptr);
  db->Discard();
}

TEST(StreamPalmDatabase, RecordsSortAndAreSearched) {
  auto db = Open(23);
  ASSERT_TRUE(db);
  for (const char* text : {"pear", "apple", "fig", "plum", "apricot", "kiwi"}) Insert(db.get(), 0xFFFF, text);
  ASSERT_TRUE(db->QuickSortRecords(&CompareText, nullptr));
  EXPECT_EQ(AllTexts(db.get()), (std::vector<std::string>{"apple", "apricot", "fig", "kiwi", "pear", "plum"}));
  uint16_t index = 0;
  EXPECT_TRUE(db->BinarySearchRecords(&CompareTextKey, nullptr, "kiwi", &index));
  EXPECT_EQ(index, 3);
  EXPECT_FALSE(db->BinarySearchRecords(&CompareTextKey, nullptr, "grape", &index));
  EXPECT_EQ(index, 3);
  EXPECT_FALSE(db->BinarySearchRecords(&CompareTextKey, nullptr, "zucchini", &index));
  EXPECT_EQ(index, 6);

  // Unique ids travel with their records; insertion sort keeps equal keys in order.
  uint16_t kiwi = 0;
  ASSERT_TRUE(db->BinarySearchRecords(&CompareTextKey, nullptr, "kiwi", &kiwi));
  uint32_t kiwiId = 0;
  ASSERT_TRUE(db->GetRecordInfo(kiwi, nullptr, &kiwiId));
  ASSERT_TRUE(db->InsertionSortRecords(&CompareFirstByte, nullptr));
  EXPECT_EQ(AllTexts(db.get()), (std::vector<std::string>{"apple", "apricot", "fig", "kiwi", "pear", "plum"}));
  ASSERT_TRUE(db->FindByUniqueId(kiwiId, &index));
  EXPECT_EQ(index, 3);
  db->Discard();
}

TEST(StreamPalmDatabase, SaveWritesEveryFieldAndRecordBack) {
  auto db = Open(23);
  ASSERT_TRUE(db);
  db->SetName("A name that is far longer than thirty-one bytes");
  uint16_t attributes = 0x18, version = 4;
  uint32_t modificationNumber = 12, type = MakeFourCC("GPAR"), creator = MakeFourCC("CORV");
  ASSERT_TRUE(db->SetHeaderWords(&attributes, &version, &modificationNumber, &type, &creator));
  uint32_t created = 1234567, backup = 7654321;
  ASSERT_TRUE(db->SetDates(&created, nullptr, &backup));
  Insert(db.get(), 0, "first");
  Insert(db.get(), 1, "");
  Insert(db.get(), 2, std::string(70000, 'z'));
  uint8_t attr = 0x60;
  ASSERT_TRUE(db->SetRecordInfo(0, &attr, nullptr));
  ASSERT_TRUE(db->Save());

  auto parsed = testbuild::ParsePalmDatabase(FileBytes());
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->head.name, std::string("A name that is far longer than thirty-one bytes").substr(0, 31));
  EXPECT_EQ(parsed->head.attributes, 0x18);
  EXPECT_EQ(parsed->head.version, 4);
  EXPECT_EQ(parsed->head.modificationNumber, 12u);
  EXPECT_EQ(parsed->head.type, FourCC("GPAR"));
  EXPECT_EQ(parsed->head.creator, FourCC("CORV"));
  EXPECT_EQ(parsed->head.creationDate, 1234567u);
  EXPECT_EQ(parsed->head.backupDate, 7654321u);
  EXPECT_EQ(parsed->head.nextRecordList, 0u);
  uint32_t modified = 0;
  db->GetDates(nullptr, &modified, nullptr);
  EXPECT_EQ(parsed->head.modificationDate, modified);
  EXPECT_NE(modified, 0u);
  EXPECT_EQ(parsed->head.uniqueIdSeed, 3u);
  ASSERT_EQ(parsed->records.size(), 3u);
  EXPECT_EQ(parsed->records[0].data, Bytes("first"));
  EXPECT_EQ(parsed->records[0].attributes, 0x60);
  EXPECT_EQ(parsed->records[1].data.size(), 0u);
  EXPECT_EQ(parsed->records[2].data, std::vector<uint8_t>(70000, 'z'));
  EXPECT_EQ(parsed->offsets[0], 78u + 3 * 8 + 2);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(parsed->records[i].uniqueId, i);

  // The database goes on working on the new file and saves again.
  Insert(db.get(), 3, "after");
  ASSERT_TRUE(db->Save());
  db.reset();
  db = Open(41);
  ASSERT_TRUE(db);
  EXPECT_EQ(db->GetRecordCount(), 4);
  EXPECT_EQ(RecordText(db.get(), 3), "after");
}

TEST(StreamPalmDatabase, AnEmptyDatabaseSavesAsEightyBytes) {
  auto db = Open(23);
  ASSERT_TRUE(db);
  ASSERT_TRUE(db->Save());
  EXPECT_EQ(FileBytes().size(), 80u);
  uint32_t type = 0, creator = 0;
  db->GetHeaderWords(nullptr, nullptr, nullptr, &type, &creator);
  EXPECT_EQ(type, MakeFourCC("BPAR"));
  EXPECT_EQ(creator, MakeFourCC("CORV"));
}

TEST(StreamPalmDatabase, DestructionSavesAWritableDatabaseOnly) {
  PalmDatabaseBuilder builder;
  builder.AddRecord(std::string("kept"));
  auto original = builder.Build();
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, original));
  {
    auto db = Open(15);
    ASSERT_TRUE(db);
    Insert(db.get(), 1, "added");
  }
  auto parsed = testbuild::ParsePalmDatabase(FileBytes());
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->records.size(), 2u);

  // Without write access nothing is ever written, whatever the buffers did.
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, original));
  {
    auto db = Open(13);  // read, open always: mapped
    ASSERT_TRUE(db);
    RecordBuffer* record = db->LockRecordDefault(0);
    ASSERT_TRUE(record);
    db->ReleaseRecord(record, true);
  }
  EXPECT_EQ(FileBytes(), original);
  // A discarded writable database is not saved either.
  {
    auto db = Open(15);
    ASSERT_TRUE(db);
    Insert(db.get(), 0, "lost");
    db->Discard();
  }
  EXPECT_EQ(FileBytes(), original);
}

TEST(StreamPalmDatabase, ModeOneReadsRecordsFromTheFileOnDemand) {
  PalmDatabaseBuilder builder;
  builder.AddRecord(Bytes("alpha"), 1, 21);
  builder.AddRecord(Bytes(""), 2, 22);
  builder.AddRecord(Bytes("gamma"), 3, 23);
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, builder.Build()));
  auto* stream = new FileStream;
  ASSERT_TRUE(stream->Open(kPath, 41, 128));
  StreamPalmDatabase db(stream, StreamPalmDatabase::kModeOnDemand);
  ASSERT_EQ(db.Load(), PalmLoadResult::kLoaded);
  ASSERT_EQ(db.GetRecordCount(), 3);
  EXPECT_EQ(AllTexts(&db), (std::vector<std::string>{"alpha", "", "gamma"}));
  // A private copy: changes are lost.
  RecordBuffer* record = db.LockRecord(0, true);
  ASSERT_TRUE(record);
  record->Write(0, "A", 1);
  db.ReleaseRecord(record, true);
  EXPECT_EQ(RecordText(&db, 0), "alpha");
  uint32_t sizes[3] = {};
  ASSERT_TRUE(db.GetRecordSizes(0, 3, sizes));
  EXPECT_EQ(sizes[0], 5u);
  EXPECT_EQ(sizes[1], 0u);
  EXPECT_EQ(sizes[2], 5u);
  ASSERT_TRUE(db.GetRecordSizes(1, 1, sizes));
  EXPECT_EQ(sizes[0], 0u);
  uint32_t total = 0;
  ASSERT_TRUE(db.GetTotalSize(0, 3, &total));
  EXPECT_EQ(total, 10u);
  char out[8] = {};
  ASSERT_TRUE(db.ReadBytes(0, 3, 4, out));
  EXPECT_EQ(std::string(out, 4), "haga");
  EXPECT_FALSE(db.ReadBytes(2, 1, 5, out));
  uint16_t index = 0;
  ASSERT_TRUE(db.FindByUniqueId(23, &index));
  EXPECT_EQ(index, 2);
  uint8_t attributes = 0;
  ASSERT_TRUE(db.GetRecordInfo(1, &attributes, nullptr));
  EXPECT_EQ(attributes, 2);
  EXPECT_EQ(db.InsertRecord(0, 1), nullptr);
  EXPECT_FALSE(db.DeleteRecord(0));
  EXPECT_FALSE(db.Save());
  EXPECT_EQ(db.LockRecord(3, false), nullptr);
}

TEST(StreamPalmDatabase, AFailedLockReleasesTheRangeLockedSoFar) {
  // A database whose third lock fails and which counts what is locked.
  class CountingDatabase : public StreamPalmDatabase {
   public:
    CountingDatabase() : StreamPalmDatabase(nullptr, kModeInMemory) {}
    RecordBuffer* LockRecord(uint16_t index, bool writable) override {
      if (++locks == 3) return nullptr;
      RecordBuffer* buffer = StreamPalmDatabase::LockRecord(index, writable);
      if (buffer) ++held;
      return buffer;
    }
    void ReleaseRecord(RecordBuffer* buffer, bool dirty) override {
      --held;
      StreamPalmDatabase::ReleaseRecord(buffer, dirty);
    }
    int locks = 0;
    int held = 0;
  } db;
  for (int i = 0; i < 5; ++i) {
    RecordBuffer* r = db.InsertRecord(0xFFFF, 1);
    ASSERT_TRUE(r);
    db.StreamPalmDatabase::ReleaseRecord(r, true);
  }
  db.locks = 0;
  db.held = 0;
  RecordBuffer* buffers[5] = {};
  EXPECT_FALSE(db.LockRange(0, 5, false, buffers));
  EXPECT_EQ(db.held, 0);
  EXPECT_TRUE(db.LockRange(0, 0, false, buffers));
}

TEST(StreamPalmDatabase, AMemoryOnlyDatabaseNeverSaves) {
  auto db = std::unique_ptr<PalmDatabase>(OpenRecordDatabase(u"\\mem.pdb", 151, MakeFourCC("CORV"), MakeFourCC("TEMP"), nullptr));
  ASSERT_TRUE(db);
  Insert(db.get(), 0, "temporary");
  EXPECT_EQ(RecordText(db.get(), 0), "temporary");
  EXPECT_FALSE(db->Save());
  db.reset();
  EXPECT_FALSE(testbuild::PeekDeviceFile(u"\\mem.pdb"));
}

TEST(StreamPalmDatabase, OperationsRollBackWhenMemoryRunsOut) {
  auto db = Open(23);
  ASSERT_TRUE(db);
  Insert(db.get(), 0, "base");
  for (long n = 1;; ++n) {
    uint32_t seed = db->Header().uniqueIdSeed;
    devtest::AllocationFailure failure(n);
    RecordBuffer* record = db->InsertRecord(0, 8);
    if (record) {
      db->ReleaseRecord(record, true);
      ASSERT_TRUE(db->DeleteRecord(0));
      break;
    }
    EXPECT_EQ(db->GetRecordCount(), 1) << n;
    EXPECT_EQ(db->Header().uniqueIdSeed, seed) << n;
  }
  {
    devtest::AllocationFailure failure(1);
    EXPECT_FALSE(db->ResizeRecord(0, 100));
  }
  EXPECT_EQ(RecordText(db.get(), 0), "base");
  db->Discard();
}
