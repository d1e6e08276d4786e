// Attributes the host file system lacks (read-only, hidden, system,
// temporary, archive) and creation times, kept per device path in a small
// text file inside the device root so other processes see them too.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types/device_types.h"

namespace devicefs {

// Only the emulated bits (READONLY, HIDDEN, SYSTEM, ARCHIVE, TEMPORARY).
DWORD StoredAttributes(const std::u16string& devicePath);
void StoreAttributes(const std::u16string& devicePath, DWORD attributes);
// FILETIME value; 0 when none was kept.
uint64_t StoredCreationTime(const std::u16string& devicePath);
void StoreCreationTime(const std::u16string& devicePath, uint64_t fileTime);
// Removes the entry of the path and of everything beneath it.
void ForgetPath(const std::u16string& devicePath);
// Renames the entries of the path and of everything beneath it.
void MovePathEntries(const std::u16string& from, const std::u16string& to);
// Drops the cached copy (the root changed).
void ResetAttributeStore();

constexpr DWORD kEmulatedAttributeMask = 0x1 | 0x2 | 0x4 | 0x20 | 0x100;

}  // namespace devicefs
