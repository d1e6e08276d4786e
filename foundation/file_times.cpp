// Reading a file's last-write or creation time by path: the file is opened
// for reading (shared for reading, open existing), GetFileTime asked and the
// file closed again.
#include "foundation/file_times.h"

#include "foundation/file_mode.h"
#include "foundation/file_stream.h"
#include "platform/files/files.h"

namespace {

// FILETIME of 1970-01-01 00:00:00 UTC.
constexpr uint64_t kUnixEpochFileTime = 116444736000000000ULL;
constexpr uint64_t kFileTimeUnitsPerSecond = 10000000ULL;

enum class WhichTime { kWrite, kCreation };

uint32_t ReadFileTimeOf(const EncodedString& path, WhichTime which) {
  FileStream stream;
  if (!stream.Open(path, kFileModeReadShared, kFileAttributeArgNormal)) return 0;
  FILETIME creation = {0, 0};
  FILETIME write = {0, 0};
  BOOL ok = GetFileTime(stream.Handle(), &creation, nullptr, &write);
  stream.Close();
  if (!ok) return 0;
  return FileTimeToUnixSecondsOfFile(which == WhichTime::kWrite ? write : creation, nullptr);
}

}  // namespace

// The date helpers keep their own FileTimeToUnixSeconds; this file converts
// by itself so that the file layer does not depend on the clock's calls.
uint32_t FileTimeToUnixSecondsOfFile(const FILETIME& time, bool* fits) {
  uint64_t value = (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  if (value < kUnixEpochFileTime) {
    if (fits) *fits = true;
    return 0;
  }
  uint64_t seconds = (value - kUnixEpochFileTime) / kFileTimeUnitsPerSecond;
  if (fits) *fits = seconds <= UINT32_MAX;
  return static_cast<uint32_t>(seconds);
}

uint32_t GetFileWriteTime(const EncodedString& path) { return ReadFileTimeOf(path, WhichTime::kWrite); }

uint32_t GetFileCreationTime(const EncodedString& path) { return ReadFileTimeOf(path, WhichTime::kCreation); }
