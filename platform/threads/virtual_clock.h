// The one way the platform moves the virtual clock (the UI thread's Sleep and
// the test clock's stepping of timers): advance it and let the windows layer
// wake the message queues whose timers may have come due.
#pragma once

#include "platform/types/device_types.h"

namespace devthreads {

void AdvanceVirtualClock(DWORD milliseconds);
// Called after every move of the virtual clock (set once by the windows layer).
void SetClockMovedHook(void (*hook)());

}  // namespace devthreads
