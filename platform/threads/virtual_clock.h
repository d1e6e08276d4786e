// The one way the platform moves the virtual clock (the UI thread's Sleep and
// the test clock's stepping of timers): advance it and let the windows layer
// wake the message queues whose timers may have come due.
// Test and fuzz builds only: the program's clock is never virtual.
#pragma once

#ifndef TESSALYN_TEST_HOOKS
#error "the virtual clock exists only in test and fuzz builds"
#endif

#include "platform/types/device_types.h"

namespace devthreads {

void AdvanceVirtualClock(DWORD milliseconds);
// Called after every move of the virtual clock (set once by the windows layer).
void SetClockMovedHook(void (*hook)());

}  // namespace devthreads
