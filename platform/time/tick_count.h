// Milliseconds since the device started, wrapping at 2^32. Virtual in tests
// (it moves only with the test clock), the host's monotonic clock otherwise.
#pragma once

#include "platform/types/device_types.h"

DWORD GetTickCount();
