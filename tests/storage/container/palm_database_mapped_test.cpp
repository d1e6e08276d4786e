// The mapped Palm database: a sound file read in place (head fields, record
// bounds, entries, searches, shared forms), every write refused, and a file
// cut short behind the mapping failing calls instead of faulting.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/testing/files.h"
#include "storage/container/palm_database_mapped.h"
#include "storage/container/stream_factory.h"
#include "storage/container/storage_errors.h"
#include "tests/support/palm_database_builder.h"

using testbuild::FourCC;
using testbuild::PalmDatabaseBuilder;

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

std::string Text(const RecordBuffer* buffer) {
  return std::string(reinterpret_cast<const char*>(buffer->GetData()), buffer->GetSize());
}

// Records "alpha", "" (between equal offsets), "charlie", "delta" (last).
PalmDatabaseBuilder SampleBuilder() {
  PalmDatabaseBuilder builder;
  auto& head = builder.Head();
  head.name = "Sample book";
  head.attributes = 0x0008;
  head.version = 3;
  head.creationDate = 1000000000;
  head.modificationDate = 1100000000;
  head.backupDate = 1200000000;
  head.modificationNumber = 77;
  head.appInfoOffset = 0;
  head.sortInfoOffset = 0;
  head.type = FourCC("BOOK");
  head.creator = FourCC("CORV");
  head.uniqueIdSeed = 40;
  head.nextRecordList = 0xDEADBEEF;  // skipped by readers
  builder.AddRecord(Bytes("alpha"), 0x40, 10);
  builder.AddRecord(Bytes(""), 0x00, 11);
  builder.AddRecord(Bytes("charlie"), 0x20, 0xABCDEF);
  builder.AddRecord(Bytes("delta"), 0x00, 13);
  return builder;
}

std::unique_ptr<PalmDatabase> OpenMapped(const std::vector<uint8_t>& file, int32_t* error = nullptr) {
  EXPECT_TRUE(testbuild::WriteDeviceFile(u"\\book.pdb", file));
  int32_t code = -1;
  std::unique_ptr<PalmDatabase> db(OpenRecordDatabase(u"\\book.pdb", 41, 0, 0, &code));
  if (error) *error = code;
  return db;
}

int CompareByFirstByte(const RecordView* record, const void* key, void*) {
  uint8_t first = record->size ? record->data[0] : 0;
  uint8_t wanted = *static_cast<const uint8_t*>(key);
  return first < wanted ? -1 : first > wanted ? 1 : 0;
}

// Reads every byte, so that every page of the range is mapped.
uint32_t Touch(const RecordBuffer* buffer) {
  uint32_t sum = 0;
  for (uint32_t i = 0; i < buffer->GetSize(); ++i) sum += buffer->GetData()[i];
  return sum;
}

// How many pages of [data, data + size) this process has mapped in (the
// present bit of /proc/self/pagemap); -1 when the kernel does not tell.
int PresentPages(const uint8_t* data, uint32_t size) {
  const uintptr_t page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
  std::unique_ptr<FILE, int (*)(FILE*)> map(std::fopen("/proc/self/pagemap", "rb"), &std::fclose);
  if (!map) return -1;
  int present = 0;
  const uintptr_t first = reinterpret_cast<uintptr_t>(data) / page;
  const uintptr_t last = (reinterpret_cast<uintptr_t>(data) + size - 1) / page;
  for (uintptr_t p = first; p <= last; ++p) {
    uint64_t entry = 0;
    if (std::fseek(map.get(), static_cast<long>(p * sizeof(entry)), SEEK_SET) != 0 ||
        std::fread(&entry, sizeof(entry), 1, map.get()) != 1)
      return -1;
    present += static_cast<int>(entry >> 63);
  }
  return present;
}

// How many pages [data, data + size) lies on.
int PagesSpanned(const uint8_t* data, uint32_t size) {
  const uintptr_t page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
  const uintptr_t at = reinterpret_cast<uintptr_t>(data);
  return static_cast<int>((at + size - 1) / page - at / page + 1);
}

// `count` records of `size` bytes, each filled from its number.
PalmDatabaseBuilder LargeRecords(int count, uint32_t size) {
  PalmDatabaseBuilder builder;
  builder.Head().type = FourCC("BOOK");
  builder.Head().creator = FourCC("CORV");
  for (int r = 0; r < count; ++r) {
    std::string record(size, '\0');
    for (size_t i = 0; i < record.size(); ++i) record[i] = static_cast<char>(r * 31 + i);
    builder.AddRecord(Bytes(record), 0, static_cast<uint32_t>(r + 1));
  }
  return builder;
}

}  // namespace

TEST(MappedPalmDatabase, ReadsHeadFieldsAndRecordsInPlace) {
  int32_t error = -1;
  auto db = OpenMapped(SampleBuilder().Build(), &error);
  ASSERT_TRUE(db);
  EXPECT_EQ(error, kStorageOk);
  EXPECT_TRUE(db->IsMapped());
  EXPECT_FALSE(db->IsStreamBacked());
  EXPECT_FALSE(db->IsSlowStore());
  EXPECT_STREQ(db->GetName(), "Sample book");

  uint16_t attributes = 0, version = 0;
  uint32_t modificationNumber = 0, type = 0, creator = 0;
  ASSERT_TRUE(db->GetHeaderWords(&attributes, &version, &modificationNumber, &type, &creator));
  EXPECT_EQ(attributes, 0x0008);
  EXPECT_EQ(version, 3);
  EXPECT_EQ(modificationNumber, 77u);
  EXPECT_EQ(type, MakeFourCC("BOOK"));
  EXPECT_EQ(creator, MakeFourCC("CORV"));
  uint32_t created = 0, modified = 0, backup = 0;
  ASSERT_TRUE(db->GetDates(&created, &modified, &backup));
  EXPECT_EQ(created, 1000000000u);
  EXPECT_EQ(modified, 1100000000u);
  EXPECT_EQ(backup, 1200000000u);
  EXPECT_EQ(db->Header().uniqueIdSeed, 40u);

  ASSERT_EQ(db->GetRecordCount(), 4);
  const char* expected[] = {"alpha", "", "charlie", "delta"};
  for (uint16_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    RecordBuffer* record = db->LockRecordDefault(i);
    ASSERT_TRUE(record);
    EXPECT_EQ(Text(record), expected[i]);
    EXPECT_EQ(record->GetRecordIndex(), i);
    EXPECT_EQ(record->GetWritableData(), nullptr);
    EXPECT_FALSE(record->Write(0, "x", 1));
    uint32_t size = 99;
    EXPECT_TRUE(db->GetRecordSize(i, &size));
    EXPECT_EQ(size, std::strlen(expected[i]));
    uint32_t pointerSize = 0;
    EXPECT_EQ(db->RecordPointer(i, &pointerSize), record->GetData());
    db->ReleaseRecord(record, false);
  }
  EXPECT_EQ(db->LockRecord(4, false), nullptr);

  uint8_t attr = 0;
  uint32_t id = 0;
  ASSERT_TRUE(db->GetRecordInfo(2, &attr, &id));
  EXPECT_EQ(attr, 0x20);
  EXPECT_EQ(id, 0xABCDEFu);
  uint16_t index = 0;
  EXPECT_TRUE(db->FindByUniqueId(0xABCDEF, &index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(db->FindByUniqueId(12, &index));
}

TEST(MappedPalmDatabase, SharedFormsReadAcrossRecordsAndSumSizes) {
  auto db = OpenMapped(SampleBuilder().Build());
  ASSERT_TRUE(db);
  char out[16] = {};
  // "alpha" "" "charlie" "delta": skip 3 bytes, take 9.
  ASSERT_TRUE(db->ReadBytes(0, 3, 9, out));
  EXPECT_EQ(std::string(out, 9), "hacharlie");
  EXPECT_FALSE(db->ReadBytes(2, 0, 13, out));  // only 12 bytes left
  uint32_t sizes[4] = {};
  ASSERT_TRUE(db->GetRecordSizes(0, 4, sizes));
  EXPECT_EQ(sizes[0], 5u);
  EXPECT_EQ(sizes[1], 0u);
  EXPECT_EQ(sizes[3], 5u);
  uint32_t total = 0;
  ASSERT_TRUE(db->GetTotalSize(1, 3, &total));
  EXPECT_EQ(total, 12u);
  EXPECT_FALSE(db->GetTotalSize(2, 3, &total));

  RecordBuffer* buffers[4] = {};
  ASSERT_TRUE(db->LockRange(0, 4, false, buffers));
  for (auto* buffer : buffers) db->ReleaseRecord(buffer, false);
  EXPECT_FALSE(db->LockRange(2, 3, false, buffers));
  EXPECT_EQ(buffers[0], nullptr);
  EXPECT_EQ(buffers[1], nullptr);
}

TEST(MappedPalmDatabase, BinarySearchFindsRecordsOrTheirInsertionPoint) {
  PalmDatabaseBuilder builder;
  for (const char* text : {"b", "d", "f", "h"}) builder.AddRecord(std::string(text));
  auto db = OpenMapped(builder.Build());
  ASSERT_TRUE(db);
  struct Case {
    char key;
    bool found;
    uint16_t index;
  } cases[] = {{'a', false, 0}, {'b', true, 0}, {'e', false, 2}, {'h', true, 3}, {'z', false, 4}};
  for (const auto& c : cases) {
    uint16_t index = 99;
    uint8_t key = static_cast<uint8_t>(c.key);
    EXPECT_EQ(db->BinarySearchRecords(&CompareByFirstByte, nullptr, &key, &index), c.found) << c.key;
    EXPECT_EQ(index, c.index) << c.key;
  }
}

TEST(MappedPalmDatabase, EveryChangeIsRefused) {
  auto db = OpenMapped(SampleBuilder().Build());
  ASSERT_TRUE(db);
  EXPECT_FALSE(db->Save());
  EXPECT_EQ(db->InsertRecord(0, 4), nullptr);
  EXPECT_FALSE(db->DeleteRecord(0));
  EXPECT_FALSE(db->ResizeRecord(0, 2));
  uint8_t attr = 1;
  EXPECT_FALSE(db->SetRecordInfo(0, &attr, nullptr));
  uint16_t version = 9;
  EXPECT_FALSE(db->SetHeaderWords(nullptr, &version, nullptr, nullptr, nullptr));
  uint32_t date = 5;
  EXPECT_FALSE(db->SetDates(&date, nullptr, nullptr));
  db->SetName("other");
  EXPECT_STREQ(db->GetName(), "Sample book");
  EXPECT_FALSE(db->InsertionSortRecords([](const RecordView*, const RecordView*, void*) { return 0; }, nullptr));
  EXPECT_EQ(db->GetRecordCount(), 4);
}

TEST(MappedPalmDatabase, OpenIsRefusedForWriteAccess) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\book.pdb", SampleBuilder().Build()));
  int32_t error = -1;
  EXPECT_EQ(MappedPalmDatabase::Open(u"\\book.pdb", 11, &error), nullptr);
  EXPECT_EQ(error, kStorageOk);
  EXPECT_EQ(MappedPalmDatabase::Open(u"\\missing.pdb", 41, &error), nullptr);
  EXPECT_EQ(error, kStorageCannotOpen);
}

TEST(MappedPalmDatabase, AFileCutBehindTheMappingFailsInsteadOfFaulting) {
  PalmDatabaseBuilder builder;
  builder.AddRecord(std::vector<uint8_t>(100, 1));
  builder.AddRecord(std::vector<uint8_t>(20000, 2));
  builder.AddRecord(std::vector<uint8_t>(20000, 3));
  auto db = OpenMapped(builder.Build());
  ASSERT_TRUE(db);
  std::filesystem::resize_file(devtest::HostPath(u"\\book.pdb"), builder.RecordOffset(1) + 10);
  RecordBuffer* first = db->LockRecord(0, false);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->GetData()[99], 1);
  db->ReleaseRecord(first, false);
  EXPECT_EQ(db->LockRecord(1, false), nullptr);
  EXPECT_EQ(db->LockRecord(2, false), nullptr);
  char out[8];
  EXPECT_FALSE(db->ReadBytes(1, 0, 8, out));
  // Mapped again, the cut file is no longer a sound database.
  EXPECT_TRUE(db->IsStoreValid());
  EXPECT_FALSE(db->ReopenStore());
  EXPECT_EQ(db->GetRecordCount(), 0);
}

TEST(MappedPalmDatabase, ReopenStoreMapsAReplacedFile) {
  auto db = OpenMapped(SampleBuilder().Build());
  ASSERT_TRUE(db);
  PalmDatabaseBuilder other;
  other.AddRecord(std::string("replaced"));
  // Another program replaces the file behind the mapping (the platform
  // itself refuses to replace an open file).
  auto host = devtest::HostPath(u"\\book.pdb");
  auto bytes = other.Build();
  auto side = host;
  side += ".other";
  std::ofstream(side, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<std::streamsize>(bytes.size()));
  std::filesystem::rename(side, host);
  EXPECT_EQ(db->GetRecordCount(), 4);  // still the old mapping
  ASSERT_TRUE(db->ReopenStore());
  ASSERT_EQ(db->GetRecordCount(), 1);
  RecordBuffer* record = db->LockRecord(0, false);
  ASSERT_TRUE(record);
  EXPECT_EQ(Text(record), "replaced");
  db->ReleaseRecord(record, false);
}

// Reading a long database through lets the pages of the records passed go;
// every record reads the same afterwards, in any order, and so does one
// held locked the whole time.
TEST(MappedPalmDatabase, RecordsReadThroughStayReadableAfterTheirPagesGo) {
  PalmDatabaseBuilder builder;
  builder.Head().type = FourCC("BOOK");
  builder.Head().creator = FourCC("CORV");
  std::vector<std::string> records;
  for (int r = 0; r < 160; ++r) {
    std::string record(4000 + r, '\0');
    for (size_t i = 0; i < record.size(); ++i) record[i] = static_cast<char>(r * 31 + i);
    records.push_back(record);
    builder.AddRecord(Bytes(record), 0, static_cast<uint32_t>(r + 1));
  }
  auto db = OpenMapped(builder.Build());
  ASSERT_NE(db, nullptr);
  RecordBuffer* held = db->LockRecord(3, false);
  ASSERT_NE(held, nullptr);
  for (int pass = 0; pass < 2; ++pass) {
    for (int k = 0; k < 160; ++k) {
      const int r = pass == 0 ? k : 159 - k;
      RecordBuffer* buffer = db->LockRecord(static_cast<uint16_t>(r), false);
      ASSERT_NE(buffer, nullptr);
      ASSERT_EQ(Text(buffer), records[r]) << "pass " << pass << " record " << r;
      db->ReleaseRecord(buffer, false);
    }
  }
  EXPECT_EQ(Text(held), records[3]);
  db->ReleaseRecord(held, false);
}

// Records read again and again far apart in the file, as look-ups in index
// tables read them, keep their pages between reads, while a read through
// the whole file once still lets most of it go.
TEST(MappedPalmDatabase, RecordsUsedLastKeepTheirPagesAndOldOnesGo) {
  constexpr int kRecords = 100;
  constexpr uint32_t kSize = 60000;
  auto db = OpenMapped(LargeRecords(kRecords, kSize).Build());
  ASSERT_NE(db, nullptr);
  const uint8_t* first = db->RecordPointer(0, nullptr);
  const uint8_t* lastRecord = db->RecordPointer(kRecords - 1, nullptr);
  ASSERT_TRUE(first && lastRecord);
  if (PresentPages(first, 1) < 0) GTEST_SKIP() << "the kernel does not show which pages are mapped";
  const uint32_t viewBytes = static_cast<uint32_t>(lastRecord + kSize - first);

  // Records far apart, more than the latest ones released hold, each read
  // in turn many times over.
  const uint16_t used[] = {2, 97, 50, 5, 90, 30, 70, 12};
  for (int round = 0; round < 4; ++round) {
    for (uint16_t r : used) {
      RecordBuffer* buffer = db->LockRecord(r, false);
      ASSERT_NE(buffer, nullptr);
      Touch(buffer);
      db->ReleaseRecord(buffer, false);
    }
  }
  for (uint16_t r : used) {
    const uint8_t* data = db->RecordPointer(r, nullptr);
    EXPECT_EQ(PresentPages(data, kSize), PagesSpanned(data, kSize)) << "record " << r;
  }

  // Read through, every record once: what stays mapped is about the
  // records kept and the stretch not yet let go, far less than the file.
  for (int r = 0; r < kRecords; ++r) {
    RecordBuffer* buffer = db->LockRecord(static_cast<uint16_t>(r), false);
    ASSERT_NE(buffer, nullptr);
    Touch(buffer);
    db->ReleaseRecord(buffer, false);
  }
  const int resident = PresentPages(first, viewBytes);
  const int all = PagesSpanned(first, viewBytes);
  EXPECT_LT(resident, all / 3) << resident << " of " << all << " pages stay mapped";
}
