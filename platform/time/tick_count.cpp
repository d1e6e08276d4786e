// GetTickCount over the device clock.
#include "platform/time/tick_count.h"

#include "platform/time/device_clock.h"

DWORD GetTickCount() { return DeviceTickCount(); }
