// The file mode word: one u32 that says how FileStream, MappedFile and the
// stream factory open a file, and its translation into the platform's
// CreateFileW arguments.
//
//   bits 0-1  access: 1 read, 2 write, 3 both
//   bits 2-4  disposition (mode & 0x1C): 4 create new, 8 open existing,
//             12 open always, 16 truncate existing, 20 create always;
//             any other value passes 0, which the platform refuses
//   bits 5-6  share mode, (mode >> 5) & 3: 1 read, 2 write
//   bit 7     delete the file when it is closed
//   bit 8     FileStream only: a created file gets the hidden attribute
//
// The separate attributes argument contributes only its bit 8 (0x100),
// which asks for the read-only attribute; callers pass 128 (none).
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"

constexpr uint32_t kFileModeRead = 0x1;
constexpr uint32_t kFileModeWrite = 0x2;
constexpr uint32_t kFileModeCreateNew = 4;
constexpr uint32_t kFileModeOpenExisting = 8;
constexpr uint32_t kFileModeOpenAlways = 12;
constexpr uint32_t kFileModeTruncateExisting = 16;
constexpr uint32_t kFileModeCreateAlways = 20;
constexpr uint32_t kFileModeShareRead = 0x20;
constexpr uint32_t kFileModeShareWrite = 0x40;
constexpr uint32_t kFileModeDeleteOnClose = 0x80;
constexpr uint32_t kFileModeHidden = 0x100;

// The mode words in use.
constexpr uint32_t kFileModeReadShared = 41;   // read, open existing, share read
constexpr uint32_t kFileModeWriteProbe = 22;   // write, create always
constexpr uint32_t kFileModeTemporary = 151;   // read and write, create always, delete on close

// The attributes argument's one meaningful bit, and what callers pass.
constexpr uint32_t kFileAttributeArgReadOnly = 0x100;
constexpr uint32_t kFileAttributeArgNormal = 128;

// GENERIC_READ / GENERIC_WRITE of the access bits.
DWORD FileModeAccess(uint32_t mode);
// CREATE_NEW .. TRUNCATE_EXISTING, or 0 for a value the table lacks.
DWORD FileModeDisposition(uint32_t mode);
// FILE_SHARE_READ / FILE_SHARE_WRITE.
DWORD FileModeShare(uint32_t mode);
inline bool FileModeDeletesOnClose(uint32_t mode) { return (mode & kFileModeDeleteOnClose) != 0; }
inline bool FileModeWantsWrite(uint32_t mode) { return (mode & kFileModeWrite) != 0; }
// The flags-and-attributes argument: read-only from the attributes' bit 8,
// hidden from the mode's bit 8 when `hiddenFromMode` (FileStream only);
// FILE_ATTRIBUTE_NORMAL when neither is asked for. Deleting on close is done
// by the owner's Close, not by the platform, so that a file can be closed and
// reopened (MappedFile::Reopen) without losing it.
DWORD FileModeFlags(uint32_t mode, uint32_t attributes, bool hiddenFromMode);
