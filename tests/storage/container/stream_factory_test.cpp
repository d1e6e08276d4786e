// The stream factory: which implementation serves which mode word, the
// error codes, files created and left alone, the hidden bit, databases in
// memory, and lack of memory at every step answering 10 without touching
// the file.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/files/files.h"
#include "platform/memory/allocator.h"
#include "platform/testing/allocation.h"
#include "platform/testing/files.h"
#include "storage/container/palm_database_stream.h"
#include "storage/container/stream_factory.h"
#include "storage/container/storage_errors.h"
#include "tests/support/palm_database_builder.h"

using testbuild::PalmDatabaseBuilder;

namespace {

std::vector<uint8_t> FileBytesAt(const char16_t* path) {
  return testbuild::PeekDeviceFile(path).value_or(std::vector<uint8_t>{'?'});
}

constexpr const char16_t* kPath = u"\\eBooks\\book.pdb";

std::vector<uint8_t> SampleFile() {
  PalmDatabaseBuilder builder;
  builder.Head().type = testbuild::FourCC("BOOK");
  builder.AddRecord(std::string("record zero"));
  builder.AddRecord(std::string("record one"));
  return builder.Build();
}

struct Opened {
  std::unique_ptr<PalmDatabase> db;
  int32_t error = -1;
};

Opened Open(uint32_t mode, const char16_t* path = kPath) {
  Opened out;
  out.db.reset(OpenRecordDatabase(path, mode, MakeFourCC("CORV"), MakeFourCC("TEST"), &out.error));
  return out;
}

bool Exists(const char16_t* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

class StreamFactory : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(CreateDirectoryW(u"\\eBooks", nullptr)); }
};

}  // namespace

TEST_F(StreamFactory, ReadOnlyOpensAreMappedAndWritableOnesStreamed) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, SampleFile()));
  struct Case {
    uint32_t mode;
    bool mapped;
    int32_t streamMode;
  } cases[] = {{9, true, -1}, {41, true, -1}, {297, true, -1}, {11, false, 0}, {15, false, 0}, {783, false, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    Opened o = Open(c.mode);
    ASSERT_TRUE(o.db);
    EXPECT_EQ(o.error, kStorageOk);
    EXPECT_EQ(o.db->IsMapped(), c.mapped);
    EXPECT_EQ(o.db->GetRecordCount(), 2);
    if (!c.mapped) {
      EXPECT_EQ(static_cast<StreamPalmDatabase*>(o.db.get())->Mode(), c.streamMode);
    }
    o.db->Discard();
  }
}

TEST_F(StreamFactory, MissingFilesAreCreatedOnlyWhereTheDispositionSaysSo) {
  EXPECT_EQ(Open(41).error, kStorageCannotOpen);
  EXPECT_EQ(Open(11).error, kStorageCannotOpen);
  EXPECT_FALSE(Exists(kPath));
  EXPECT_EQ(Open(41, u"\\nowhere\\book.pdb").error, kStorageCannotOpen);

  Opened created = Open(23);
  ASSERT_TRUE(created.db);
  EXPECT_EQ(created.db->GetRecordCount(), 0);
  uint32_t type = 0, creator = 0, made = 0;
  created.db->GetHeaderWords(nullptr, nullptr, nullptr, &type, &creator);
  created.db->GetDates(&made, nullptr, nullptr);
  EXPECT_EQ(type, MakeFourCC("TEST"));
  EXPECT_EQ(creator, MakeFourCC("CORV"));
  EXPECT_NE(made, 0u);
  created.db.reset();
  auto saved = testbuild::ParsePalmDatabase(FileBytesAt(kPath));
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->head.type, testbuild::FourCC("TEST"));

  // Create new refuses an existing file.
  EXPECT_EQ(Open(7).error, kStorageCannotOpen);
}

TEST_F(StreamFactory, AnOpenForReadingWithCreationOfABadFileGivesAnEmptyDatabaseAndTouchesNothing) {
  std::vector<uint8_t> junk(40, 'j');
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, junk));
  EXPECT_EQ(Open(41).error, kStorageCorrupt);
  Opened o = Open(13);  // read, open always
  ASSERT_TRUE(o.db);
  EXPECT_FALSE(o.db->IsMapped());
  EXPECT_EQ(o.db->GetRecordCount(), 0);
  EXPECT_FALSE(o.db->Save());
  o.db.reset();
  EXPECT_EQ(FileBytesAt(kPath), junk);
  EXPECT_FALSE(Exists(u"\\eBooks\\book.pdb.bad"));
}

TEST_F(StreamFactory, AShortFileOpenedToWriteIsSetAsideAndReplacedOnTheFirstSave) {
  std::vector<uint8_t> junk(77, 'j');
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, junk));
  ASSERT_TRUE(testbuild::WriteDeviceFile(u"\\eBooks\\book.pdb.bad", {1, 2, 3}));  // an older one
  Opened o = Open(15);
  ASSERT_TRUE(o.db);
  EXPECT_EQ(o.error, kStorageOk);
  EXPECT_EQ(o.db->GetRecordCount(), 0);
  EXPECT_EQ(FileBytesAt(u"\\eBooks\\book.pdb.bad"), junk);
  RecordBuffer* record = o.db->InsertRecord(0, 3);
  ASSERT_TRUE(record);
  record->Write(0, "new", 3);
  o.db->ReleaseRecord(record, true);
  ASSERT_TRUE(o.db->Save());
  auto saved = testbuild::ParsePalmDatabase(FileBytesAt(kPath));
  ASSERT_TRUE(saved);
  ASSERT_EQ(saved->records.size(), 1u);
  EXPECT_EQ(saved->head.creator, testbuild::FourCC("CORV"));
}

TEST_F(StreamFactory, AnEmptyFileIsNoFile) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, {}));
  EXPECT_EQ(Open(41).error, kStorageCorrupt);
  EXPECT_EQ(Open(11).error, kStorageCorrupt);
  Opened o = Open(15);
  ASSERT_TRUE(o.db);
  EXPECT_EQ(o.db->GetRecordCount(), 0);
  EXPECT_FALSE(Exists(u"\\eBooks\\book.pdb.bad"));
}

TEST_F(StreamFactory, AFailedReadNeverBecomesAnEmptyDatabase) {
  // Write-only access: the head cannot be read from a sound file.
  auto file = SampleFile();
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, file));
  Opened o = Open(14);  // write, open always
  EXPECT_FALSE(o.db);
  EXPECT_EQ(o.error, kStorageCorrupt);
  EXPECT_EQ(FileBytesAt(kPath), file);
  EXPECT_FALSE(Exists(u"\\eBooks\\book.pdb.bad"));
}

TEST_F(StreamFactory, AMemoryOnlyDatabaseNeverTouchesTheFileSystem) {
  Opened o = Open(151);
  ASSERT_TRUE(o.db);
  EXPECT_EQ(o.db->GetRecordCount(), 0);
  RecordBuffer* record = o.db->InsertRecord(0, 10);
  ASSERT_TRUE(record);
  o.db->ReleaseRecord(record, true);
  o.db.reset();
  EXPECT_FALSE(Exists(kPath));
  EXPECT_EQ(devtest::OpenFileHandleCount(), 0);
  // No path is needed at all.
  std::unique_ptr<PalmDatabase> pathless(OpenRecordDatabase(nullptr, 151, 0, 0, nullptr));
  EXPECT_TRUE(pathless);
}

TEST_F(StreamFactory, AHiddenCreatedFileStaysHiddenAcrossSaves) {
  Opened o = Open(23 | 0x100);
  ASSERT_TRUE(o.db);
  DWORD attributes = GetFileAttributesW(kPath);
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
  WIN32_FIND_DATAW before{};
  HANDLE find = FindFirstFileW(kPath, &before);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  FindClose(find);
  ASSERT_TRUE(o.db->Save());
  ASSERT_TRUE(o.db->Save());
  EXPECT_TRUE(GetFileAttributesW(kPath) & FILE_ATTRIBUTE_HIDDEN);
  WIN32_FIND_DATAW after{};
  find = FindFirstFileW(kPath, &after);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  FindClose(find);
  EXPECT_EQ(after.ftCreationTime.dwLowDateTime, before.ftCreationTime.dwLowDateTime);
  EXPECT_EQ(after.ftCreationTime.dwHighDateTime, before.ftCreationTime.dwHighDateTime);
}

TEST_F(StreamFactory, AWritableDatabaseHoldsItsFileAcrossSaves) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, SampleFile()));
  Opened o = Open(15);  // no sharing
  ASSERT_TRUE(o.db);
  EXPECT_EQ(Open(41).error, kStorageCannotOpen);
  ASSERT_TRUE(o.db->Save());
  EXPECT_EQ(Open(41).error, kStorageCannotOpen);
  o.db.reset();
  EXPECT_TRUE(Open(41).db);
}

TEST_F(StreamFactory, ASaveFailsWhileAnotherHolderKeepsTheFileOpen) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, SampleFile()));
  Opened writer = Open(15 | 0x60);  // sharing read and write
  ASSERT_TRUE(writer.db);
  Opened reader = Open(9 | 0x60);
  ASSERT_TRUE(reader.db);
  EXPECT_TRUE(reader.db->IsMapped());
  RecordBuffer* record = writer.db->InsertRecord(0, 1);
  ASSERT_TRUE(record);
  writer.db->ReleaseRecord(record, true);
  EXPECT_FALSE(writer.db->Save());
  EXPECT_FALSE(Exists(u"\\eBooks\\book.pdb.new"));
  EXPECT_EQ(reader.db->GetRecordCount(), 2);
  reader.db.reset();
  EXPECT_TRUE(writer.db->Save());
  writer.db.reset();
  EXPECT_EQ(Open(41).db->GetRecordCount(), 3);
}

TEST_F(StreamFactory, LackOfMemoryAnywhereAnswersTenAndLeavesTheFileAsItWas) {
  auto file = SampleFile();
  struct Case {
    uint32_t mode;
  } cases[] = {{11}, {15}, {41}, {13}, {23}, {151}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, file));
    for (long n = 1;; ++n) {
      SCOPED_TRACE(n);
      Opened o;
      {
        devtest::AllocationFailure failure(n);
        o = Open(c.mode);
      }
      bool injected = devtest::InjectedAllocationFailures() > 0;
      devtest::ResetAllocations();
      if (!o.db) {
        // A mapped open that failed for memory falls back to the stream;
        // otherwise lack of memory is reported as such.
        EXPECT_EQ(o.error, kStorageNoMemory);
        EXPECT_EQ(FileBytesAt(kPath), file);
        EXPECT_FALSE(Exists(u"\\eBooks\\book.pdb.bad"));
        EXPECT_EQ(devtest::OpenFileHandleCount(), 0);
        continue;
      }
      if (c.mode != 23 && c.mode != 151) {
        EXPECT_EQ(o.db->GetRecordCount(), 2);
      }
      o.db->Discard();
      o.db.reset();
      EXPECT_EQ(FileBytesAt(kPath), file);
      if (!injected) break;
    }
  }
}

TEST(StreamFactoryNames, DuplicateWideStringCopiesTheText) {
  WCHAR* copy = DuplicateWideString(u"\\eBooks\\x.pdb");
  ASSERT_TRUE(copy);
  EXPECT_EQ(std::u16string(copy), u"\\eBooks\\x.pdb");
  DeviceFree(copy);
  devtest::AllocationFailure failure(1);
  EXPECT_EQ(DuplicateWideString(u"abc"), nullptr);
}
