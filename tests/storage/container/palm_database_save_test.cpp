// Saving never destroys the previous good copy: a write, sync or close that
// fails at any point answers false and leaves the file as it was; a process
// that dies at any write of a save leaves the old file, which the next open
// reads (and the stray "<name>.new" is deleted); lack of memory while
// loading answers 10 and leaves the file alone.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "platform/files/files.h"
#include "platform/testing/allocation.h"
#include "platform/testing/files.h"
#include "storage/container/stream_factory.h"
#include "storage/container/storage_errors.h"
#include "tests/support/palm_database_builder.h"

using testbuild::PalmDatabaseBuilder;

namespace {

std::vector<uint8_t> FileBytesAt(const char16_t* path) {
  return testbuild::PeekDeviceFile(path).value_or(std::vector<uint8_t>{'?'});
}

constexpr const char16_t* kPath = u"\\Storage Card\\notes.qvr";
constexpr const char16_t* kNewPath = u"\\Storage Card\\notes.qvr.new";

std::vector<uint8_t> OldFile() {
  PalmDatabaseBuilder builder;
  builder.Head().type = testbuild::FourCC("BPAR");
  for (int i = 0; i < 4; ++i) builder.AddRecord("old record " + std::to_string(i));
  return builder.Build();
}

std::unique_ptr<PalmDatabase> Open(uint32_t mode, int32_t* error = nullptr) {
  return std::unique_ptr<PalmDatabase>(OpenRecordDatabase(kPath, mode, MakeFourCC("CORV"), MakeFourCC("BPAR"), error));
}

// Changes that make the new file differ everywhere: a record grown, one
// added, one deleted.
void Change(PalmDatabase* db) {
  ASSERT_TRUE(db->ResizeRecord(1, 5000));
  RecordBuffer* record = db->InsertRecord(2, 3000);
  ASSERT_TRUE(record);
  std::vector<uint8_t> fill(3000, 'n');
  record->Write(0, fill.data(), 3000);
  db->ReleaseRecord(record, true);
  ASSERT_TRUE(db->DeleteRecord(0));
}

bool Exists(const char16_t* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

TEST(PalmDatabaseSave, AFailedWriteAtAnyPointLeavesTheOldFile) {
  auto old = OldFile();
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, old));
  auto db = Open(15);
  ASSERT_TRUE(db);
  Change(db.get());
  long writes = 0;
  for (long n = 1;; ++n) {
    SCOPED_TRACE(n);
    long before = devtest::WriteCallCount();
    devtest::FailNthWrite(n, n % 2 ? 0 : 7);  // nothing or a few bytes written
    bool saved = db->Save();
    writes = devtest::WriteCallCount() - before;
    if (saved) break;
    EXPECT_EQ(FileBytesAt(kPath), old);
    EXPECT_FALSE(Exists(kNewPath));
    ASSERT_LT(n, 50);
  }
  devtest::FailNthWrite(0);
  EXPECT_GE(writes, 2);
  auto saved = testbuild::ParsePalmDatabase(FileBytesAt(kPath));
  ASSERT_TRUE(saved);
  ASSERT_EQ(saved->records.size(), 4u);
  EXPECT_EQ(saved->records[1].data.size(), 3000u);
  db->Discard();
}

// The n-th sync or close of a save fails, as a full or removed card makes
// them fail after every write was accepted. Up to the rename the old file
// stays byte for byte; the one sync after it, the folder's, cannot undo the
// rename: the save answers false with the whole new file in place.
TEST(PalmDatabaseSave, AFailedSyncOrCloseAtAnyPointLeavesTheOldFile) {
  struct Case {
    const char* name;
    void (*arm)(long n);
    int failuresAfterTheRename;
  } cases[] = {
      {"sync, card failed", [](long n) { devtest::FailNthSync(n, EIO); }, 1},
      {"sync, card full", [](long n) { devtest::FailNthSync(n, ENOSPC); }, 1},
      {"close", [](long n) { devtest::FailNthClose(n, EIO); }, 0},
  };
  auto old = OldFile();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, old));
    auto db = Open(15);
    ASSERT_TRUE(db);
    Change(db.get());
    int failed = 0, afterTheRename = 0;
    for (long n = 1;; ++n) {
      SCOPED_TRACE(n);
      c.arm(n);
      if (db->Save()) break;
      ++failed;
      EXPECT_FALSE(Exists(kNewPath));
      auto now = FileBytesAt(kPath);
      if (now != old) {
        ++afterTheRename;
        auto replaced = testbuild::ParsePalmDatabase(now);
        ASSERT_TRUE(replaced);
        EXPECT_EQ(replaced->records.size(), 4u);
      }
      ASSERT_LT(n, 20);
    }
    c.arm(0);
    EXPECT_GE(failed, 2);  // the new file's and the old handle's, at least
    EXPECT_EQ(afterTheRename, c.failuresAfterTheRename);
    auto saved = testbuild::ParsePalmDatabase(FileBytesAt(kPath));
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->records.size(), 4u);
    EXPECT_EQ(saved->records[1].data.size(), 3000u);
    db->Discard();
  }
}

TEST(PalmDatabaseSave, AProcessKilledAtAnyWriteOfASaveLeavesTheOldFile) {
  auto old = OldFile();
  for (long n = 1;; ++n) {
    SCOPED_TRACE(n);
    ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, old));
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      auto db = Open(15);
      if (!db) ::_exit(3);
      Change(db.get());
      devtest::ExitAtNthWrite(n);
      ::_exit(db->Save() ? 0 : 4);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    int code = WEXITSTATUS(status);
    if (code == 0) {
      // The save completed before the n-th write: the new file is in place.
      auto saved = testbuild::ParsePalmDatabase(FileBytesAt(kPath));
      ASSERT_TRUE(saved);
      EXPECT_EQ(saved->records.size(), 4u);
      EXPECT_GT(n, 1);
      break;
    }
    ASSERT_EQ(code, 86);
    EXPECT_EQ(FileBytesAt(kPath), old);
    // The next open finds the old content and clears the stray new file.
    auto db = Open(15);
    ASSERT_TRUE(db);
    EXPECT_FALSE(Exists(kNewPath));
    ASSERT_EQ(db->GetRecordCount(), 4);
    RecordBuffer* record = db->LockRecord(3, false);
    ASSERT_TRUE(record);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(record->GetData()), record->GetSize()), "old record 3");
    db->ReleaseRecord(record, false);
    db->Discard();
    ASSERT_LT(n, 50);
  }
}

TEST(PalmDatabaseSave, ALeftoverNewFileIsDeletedByAWritableOpenOnly) {
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, OldFile()));
  ASSERT_TRUE(testbuild::WriteDeviceFile(kNewPath, {1, 2, 3}));
  auto reader = Open(41);
  ASSERT_TRUE(reader);
  reader.reset();
  EXPECT_TRUE(Exists(kNewPath));
  auto db = Open(11);
  ASSERT_TRUE(db);
  EXPECT_FALSE(Exists(kNewPath));
  db->Discard();
}

TEST(PalmDatabaseSave, ACreateAlwaysOpenKeepsTheOldFileUntilTheFirstSave) {
  auto old = OldFile();
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, old));
  auto db = Open(23);
  ASSERT_TRUE(db);
  EXPECT_EQ(db->GetRecordCount(), 0);
  EXPECT_EQ(FileBytesAt(kPath), old);
  ASSERT_TRUE(db->Save());
  EXPECT_EQ(testbuild::PeekDeviceFile(kPath)->size(), 80u);
}

TEST(PalmDatabaseSave, LackOfMemoryWhileLoadingAnswersTenAndTouchesNothing) {
  auto old = OldFile();
  ASSERT_TRUE(testbuild::WriteDeviceFile(kPath, old));
  bool sawFailure = false;
  for (long n = 1;; ++n) {
    SCOPED_TRACE(n);
    int32_t error = -1;
    std::unique_ptr<PalmDatabase> db;
    {
      devtest::AllocationFailure failure(n, true);  // this one and every later allocation fail
      db = Open(15, &error);
    }
    if (db) {
      EXPECT_EQ(db->GetRecordCount(), 4);
      db->Discard();
      break;
    }
    sawFailure = true;
    EXPECT_EQ(error, kStorageNoMemory);
    EXPECT_EQ(FileBytesAt(kPath), old);
    EXPECT_FALSE(Exists(u"\\Storage Card\\notes.qvr.bad"));
    ASSERT_LT(n, 100);
  }
  EXPECT_TRUE(sawFailure);
}
