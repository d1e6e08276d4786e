// The platform side of a TimerTable's timers: starting and stopping an
// entry's timer on the table's owner window.
#pragma once

#include "foundation/system/timer_table.h"

// SetTimer(owner, the entry's requested identifier, its interval, no
// callback); the answer becomes the entry's platform identifier. True when
// it is not zero.
bool StartOwnerTimer(TimerTable* table, TimerEntry* entry);
// KillTimer(owner, the entry's platform identifier) and marks the entry
// stopped, also when the platform no longer knew the timer. True.
bool StopOwnerTimer(TimerTable* table, TimerEntry* entry);
void SetOwnerWindow(TimerTable* table, HWND window);
