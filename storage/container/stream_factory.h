// OpenRecordDatabase: the one door through which the system opens or
// creates a Palm database file (books, object databases, side files, the
// settings file, the catalogue cache, the form log) or a database held only
// in memory. A read-only open of a sound file is served in place from a
// memory mapping (MappedPalmDatabase); everything else goes through a
// StreamPalmDatabase: mode 0 (records in memory, saved back) with write
// access, mode 1 (records read on demand) without.
//
// The mode word is the file mode word (foundation/files/file_mode.h) with two
// bits of its own: 0x80 makes a database that lives only in memory and never
// touches the file system; 0x400 is cleared before anything else.
//
// A failed open answers null with the code in *error (storage_errors.h) and
// leaves nothing open or allocated:
//   12  the file cannot be opened;
//   10  memory ran out, at any step, loading included;
//   8   the file is not a sound database and the disposition may not create
//       one, or a read of a sound-looking file came short.
// Only a file that is structurally not a database (short head, entries or
// offsets that do not fit) is ever replaced: with write access and a
// disposition that may create ("open always"), it is renamed "<name>.bad"
// (replacing an older one) and a fresh database is made in its place. A
// file of 0 bytes counts as no file. A read that failed or lack of memory
// never starts an empty database, so a transient failure can never wipe a
// file on the next save. A writable open also deletes a "<name>.new" that
// an interrupted save left behind, and never truncates the file: with
// "truncate existing" or "create always" it starts an empty database and
// leaves the old file in place until the first save replaces it.
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"
#include "storage/container/palm_database.h"

constexpr uint32_t kDatabaseModeMemoryOnly = 0x80;
constexpr uint32_t kDatabaseModeReloadOnChange = 0x400;  // cleared by the factory

// The caller owns the result and deletes it. Creator and type (MakeFourCC
// form) go into the head only when a new database is made.
PalmDatabase* OpenRecordDatabase(const WCHAR* path, uint32_t mode, uint32_t creator, uint32_t type,
                                 int32_t* error);

// Renames a file that is structurally not what it should be to
// "<name>.bad", replacing an older one; false when it could not be moved.
bool SetAsideBadFile(const WCHAR* path);

// A heap copy (DeviceFree) of a terminated UTF-16 text, or null.
WCHAR* DuplicateWideString(const WCHAR* text);
