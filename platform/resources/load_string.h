// LoadStringW over the program's string table (program_resources.h).
//
// The device has three forms; the return value is pointer-sized because one
// of them answers an address:
//   buffer null, bufferMax 0: the address of the stored text (zero-
//     terminated, read-only, living as long as the installed resources), 0
//     when the table has no such text;
//   buffer non-null, bufferMax 0: buffer is taken as a `const WCHAR**` and
//     receives that address; answers the length without the terminator;
//   bufferMax > 0: copies at most bufferMax - 1 characters and a terminator,
//     answers the characters copied (0 and an empty text when missing).
// The module must be the program's own (null or GetModuleHandleW(nullptr));
// a missing text sets error 1814 (resource name not found).
#pragma once

#include "platform/types/device_types.h"

LONG_PTR LoadStringW(HINSTANCE module, UINT id, LPWSTR buffer, int bufferMax);
