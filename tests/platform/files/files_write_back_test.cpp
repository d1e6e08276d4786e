// Delayed write errors: data the host accepted and then could not store (a
// full or removed card) shows itself in the sync or the close, and both must
// answer FALSE with the device's code, never a quiet TRUE. Driven through
// the platform's injection, which replaces the host's answer by an errno.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "platform/core/last_error.h"
#include "platform/files/files.h"
#include "platform/testing/files.h"

namespace {

HANDLE Open(const char16_t* path, DWORD access, DWORD disposition) {
  return CreateFileW(path, access, 0, nullptr, disposition, 0, nullptr);
}

HANDLE Written(const char16_t* path, const std::string& text) {
  HANDLE h = Open(path, GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
  DWORD written = 0;
  if (h != INVALID_HANDLE_VALUE) WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  return h;
}

std::string ReadText(const char16_t* path) {
  HANDLE h = Open(path, GENERIC_READ, OPEN_EXISTING);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  char buffer[256];
  DWORD read = 0;
  ReadFile(h, buffer, sizeof buffer, &read, nullptr);
  CloseHandle(h);
  return std::string(buffer, read);
}

struct HostError {
  int hostError;
  DWORD deviceError;
};
constexpr HostError kHostErrors[] = {
    {EIO, ERROR_WRITE_FAULT},
    {ENOSPC, ERROR_DISK_FULL},
    {EDQUOT, ERROR_DISK_FULL},
    {EROFS, ERROR_WRITE_PROTECT},
};

}  // namespace

TEST(WriteBackErrors, AFailedSyncFailsFlushFileBuffersWithTheDeviceCode) {
  for (const auto& c : kHostErrors) {
    SCOPED_TRACE(c.hostError);
    HANDLE h = Written(u"\\a.txt", "abc");
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    devtest::FailNthSync(1, c.hostError);
    SetLastError(0);
    EXPECT_FALSE(FlushFileBuffers(h));
    EXPECT_EQ(GetLastError(), c.deviceError);
    EXPECT_TRUE(FlushFileBuffers(h));  // only the n-th sync fails
    EXPECT_TRUE(CloseHandle(h));
  }
}

TEST(WriteBackErrors, FlushFileBuffersNeedsAWritableHandle) {
  HANDLE w = Written(u"\\a.txt", "abc");
  ASSERT_TRUE(CloseHandle(w));
  HANDLE r = Open(u"\\a.txt", GENERIC_READ, OPEN_EXISTING);
  ASSERT_NE(r, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(FlushFileBuffers(r));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  CloseHandle(r);
  EXPECT_FALSE(FlushFileBuffers(r));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(WriteBackErrors, AFailedCloseOfAWrittenFileAnswersFalseAndStillClosesIt) {
  for (const auto& c : kHostErrors) {
    SCOPED_TRACE(c.hostError);
    HANDLE h = Written(u"\\a.txt", "abc");
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    devtest::FailNthClose(1, c.hostError);
    SetLastError(0);
    EXPECT_FALSE(CloseHandle(h));
    EXPECT_EQ(GetLastError(), c.deviceError);
    // The handle is gone all the same: nothing leaks, nothing stays locked.
    EXPECT_EQ(devtest::OpenFileHandleCount(), 0);
    EXPECT_FALSE(CloseHandle(h));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(DeleteFileW(u"\\a.txt"));
  }
}

TEST(WriteBackErrors, OnlyClosesOfWritableHandlesCountAndReport) {
  HANDLE w = Written(u"\\a.txt", "abc");
  ASSERT_TRUE(CloseHandle(w));
  HANDLE reader = Open(u"\\a.txt", GENERIC_READ, OPEN_EXISTING);
  HANDLE writer = Written(u"\\b.txt", "xyz");
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  devtest::FailNthClose(1);
  EXPECT_TRUE(CloseHandle(reader));
  EXPECT_FALSE(CloseHandle(writer));
  EXPECT_EQ(ReadText(u"\\b.txt"), "xyz");
}

TEST(WriteBackErrors, AWriteThroughMoveSyncsItsFoldersAndReportsAFailedSync) {
  ASSERT_TRUE(CreateDirectoryW(u"\\Other", nullptr));
  struct Case {
    const char16_t* to;
    DWORD flags;
    long failingSync;  // the sync that fails; 0: the move syncs nothing
    const char* name;
  } cases[] = {
      {u"\\old.txt", MOVEFILE_REPLACE_EXISTING, 0, "plain replace"},
      {u"\\old.txt", MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH, 1, "replace in one folder"},
      {u"\\Other\\old.txt", MOVEFILE_WRITE_THROUGH, 2, "the source folder after the target's"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(CloseHandle(Written(u"\\old.txt", "old")));
    ASSERT_TRUE(CloseHandle(Written(u"\\new.txt", "new")));
    devtest::FailNthSync(c.failingSync ? c.failingSync : 1);
    SetLastError(0);
    BOOL moved = MoveFileExW(u"\\new.txt", c.to, c.flags);
    DWORD error = GetLastError();
    // The move happens whatever the sync says: it cannot be taken back.
    EXPECT_EQ(ReadText(c.to), "new");
    EXPECT_EQ(GetFileAttributesW(u"\\new.txt"), INVALID_FILE_ATTRIBUTES);
    if (c.failingSync) {
      EXPECT_FALSE(moved);
      EXPECT_EQ(error, ERROR_WRITE_FAULT);
    } else {
      EXPECT_TRUE(moved);
      // The move used no sync: the armed failure is still waiting.
      HANDLE h = Written(u"\\probe.txt", "p");
      EXPECT_FALSE(FlushFileBuffers(h));
      CloseHandle(h);
    }
    devtest::FailNthSync(0);
    DeleteFileW(c.to);
  }
}

TEST(WriteBackErrors, SyncsAndClosesThatSucceedAnswerTrue) {
  HANDLE h = Written(u"\\a.txt", "abc");
  EXPECT_TRUE(FlushFileBuffers(h));
  EXPECT_TRUE(CloseHandle(h));
  ASSERT_TRUE(CloseHandle(Written(u"\\b.txt", "b")));
  EXPECT_TRUE(MoveFileExW(u"\\b.txt", u"\\a.txt", MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
  EXPECT_EQ(ReadText(u"\\a.txt"), "b");
}
