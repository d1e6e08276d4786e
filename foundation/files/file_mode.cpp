// Translation of the file mode word into the platform's CreateFileW
// arguments (see file_mode.h for the bits).
#include "foundation/files/file_mode.h"

#include "platform/files/files.h"

DWORD FileModeAccess(uint32_t mode) {
  DWORD access = 0;
  if (mode & kFileModeRead) access |= GENERIC_READ;
  if (mode & kFileModeWrite) access |= GENERIC_WRITE;
  return access;
}

DWORD FileModeDisposition(uint32_t mode) {
  switch (mode & 0x1C) {
    case kFileModeCreateNew: return CREATE_NEW;
    case kFileModeOpenExisting: return OPEN_EXISTING;
    case kFileModeOpenAlways: return OPEN_ALWAYS;
    case kFileModeTruncateExisting: return TRUNCATE_EXISTING;
    case kFileModeCreateAlways: return CREATE_ALWAYS;
    default: return 0;
  }
}

DWORD FileModeShare(uint32_t mode) {
  DWORD share = 0;
  uint32_t bits = (mode >> 5) & 3;
  if (bits & 1) share |= FILE_SHARE_READ;
  if (bits & 2) share |= FILE_SHARE_WRITE;
  return share;
}

DWORD FileModeFlags(uint32_t mode, uint32_t attributes, bool hiddenFromMode) {
  DWORD flags = 0;
  if (attributes & kFileAttributeArgReadOnly) flags |= FILE_ATTRIBUTE_READONLY;
  if (hiddenFromMode && (mode & kFileModeHidden)) flags |= FILE_ATTRIBUTE_HIDDEN;
  return flags ? flags : FILE_ATTRIBUTE_NORMAL;
}
