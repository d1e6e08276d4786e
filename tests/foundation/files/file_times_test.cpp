// File times by path, in seconds since 1970: last-write and creation times
// as the platform keeps them, and the cases that answer 0.
#include <gtest/gtest.h>

#include "foundation/files/file_times.h"
#include "platform/files/files.h"
#include "platform/testing/files.h"

namespace {

constexpr uint64_t kEpoch = 116444736000000000ULL;

FILETIME AtUnixSeconds(uint64_t seconds, uint64_t extraUnits = 0) {
  uint64_t value = kEpoch + seconds * 10000000ULL + extraUnits;
  return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

EncodedString W(const char16_t* text) {
  EncodedString s;
  s.FromWide(text);
  return s;
}

}  // namespace

TEST(FileTimes, WriteAndCreationTimesInUnixSeconds) {
  HANDLE h = CreateFileW(u"\\Side.qvr", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  FILETIME created = AtUnixSeconds(1000000000);
  FILETIME written = AtUnixSeconds(1700000000, 9999999);  // fractions are cut off
  ASSERT_TRUE(SetFileTime(h, &created, nullptr, &written));
  CloseHandle(h);
  EXPECT_EQ(GetFileCreationTime(W(u"\\side.QVR")), 1000000000u);
  EXPECT_EQ(GetFileWriteTime(W(u"\\side.QVR")), 1700000000u);
  EXPECT_EQ(devtest::OpenFileHandleCount(), 0);
}

TEST(FileTimes, MissingOrUnopenableFilesGiveZero) {
  EXPECT_EQ(GetFileWriteTime(W(u"\\missing.qvr")), 0u);
  EXPECT_EQ(GetFileCreationTime(W(u"\\missing.qvr")), 0u);
  ASSERT_TRUE(CreateDirectoryW(u"\\Folder", nullptr));
  EXPECT_EQ(GetFileWriteTime(W(u"\\Folder")), 0u);
  // A file held open without sharing cannot be opened to read its times.
  HANDLE h = CreateFileW(u"\\busy.qvr", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetFileWriteTime(W(u"\\busy.qvr")), 0u);
  CloseHandle(h);
  EXPECT_NE(GetFileWriteTime(W(u"\\busy.qvr")), 0u);
}

TEST(FileTimes, ConversionOfFileTimes) {
  struct Case {
    FILETIME time;
    uint32_t seconds;
    bool fits;
  } cases[] = {
      {FILETIME{0, 0}, 0, true},
      {AtUnixSeconds(0), 0, true},
      {AtUnixSeconds(1), 1, true},
      {FILETIME{static_cast<DWORD>(kEpoch - 1), static_cast<DWORD>((kEpoch - 1) >> 32)}, 0, true},
      {AtUnixSeconds(0xFFFFFFFFull), 0xFFFFFFFFu, true},
      {AtUnixSeconds(0x100000005ull), 5, false},
  };
  for (const auto& c : cases) {
    bool fits = !c.fits;
    EXPECT_EQ(FileTimeToUnixSecondsOfFile(c.time, &fits), c.seconds);
    EXPECT_EQ(fits, c.fits);
  }
}
