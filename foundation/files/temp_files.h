// Temporary files in the platform's temporary folder. The names the system
// makes start with "zvk" and end in ".tmp" as the platform creates them;
// `DeleteTempFiles` removes what an earlier run left behind.
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"

// Creates a new temporary file with the prefix "zvk" (the platform creates
// it) and writes its name into `buffer`. With an extension (without its dot)
// the name's text after a dot four characters from its end is replaced by
// the extension; the file created keeps its ".tmp" name. When `buffer` (of
// *bufferUnits characters) cannot hold the name and its terminator, the
// created file is deleted, *bufferUnits becomes the name's length + 9 and
// the result is false.
bool MakeTempFileName(WCHAR* buffer, uint32_t* bufferUnits, const WCHAR* extension);

// Deletes every "zvk*.tmp" file of the temporary folder; failures are ignored.
void DeleteTempFiles();

// Creates a new file in the temporary folder named with the prefix (up to
// three characters) and writes its full path into `out` (MAX_PATH units).
bool CreateTempFileWithPrefix(const WCHAR* prefix, WCHAR* out);
