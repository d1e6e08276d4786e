// Reading a file's last-write or creation time by path: the file is opened
// for reading (shared for reading, open existing), GetFileTime asked and the
// file closed again.
#include "foundation/files/file_times.h"

#include "foundation/time/date_time_file_time.h"
#include "foundation/files/file_mode.h"
#include "foundation/files/file_stream.h"
#include "platform/files/files.h"

namespace {

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

// A time before 1970 (a FILETIME whose top bit is set counts as one, as it
// does for the date helpers) reads as 0, which fits.
uint32_t FileTimeToUnixSecondsOfFile(const FILETIME& time, bool* fits) {
  int64_t seconds = FileTimeToUnixSeconds(time, fits);
  if (seconds < 0) {
    if (fits) *fits = true;
    return 0;
  }
  return static_cast<uint32_t>(seconds);
}

uint32_t GetFileWriteTime(const EncodedString& path) { return ReadFileTimeOf(path, WhichTime::kWrite); }

uint32_t GetFileCreationTime(const EncodedString& path) { return ReadFileTimeOf(path, WhichTime::kCreation); }
