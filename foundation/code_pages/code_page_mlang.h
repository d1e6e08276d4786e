// Mlang.dll's "ConvertINetMultiByteToUnicode", the converter the system falls
// back on for code pages that the platform's own converters reject. The
// module is loaded by name on first use and the function pointer kept for the
// life of the process; without the module those code pages simply fail.
#pragma once

#include "platform/types/device_types.h"

using ConvertINetMultiByteToUnicodeFn = HRESULT (*)(LPDWORD mode, DWORD encoding, LPCSTR source,
                                                    LPINT sourceBytes, LPWSTR output, LPINT outputUnits);

// The bound function, or null when Mlang.dll or the export is missing (a
// failed binding is tried again on the next call).
ConvertINetMultiByteToUnicodeFn MlangConverter();

// Drops the kept binding (and the module reference) so that a test can run
// with and without the module in one process.
void ForgetMlangConverter();
