// Window timers of a TimerTable's owner.
#include "foundation/system/window_timers.h"

#include "platform/windows/timers.h"

bool StartOwnerTimer(TimerTable* table, TimerEntry* entry) {
  entry->platformId = SetTimer(table->owner(), entry->requestedId, entry->interval, nullptr);
  return entry->platformId != 0;
}

bool StopOwnerTimer(TimerTable* table, TimerEntry* entry) {
  KillTimer(table->owner(), entry->platformId);
  entry->stopped = 1;
  return true;
}

void SetOwnerWindow(TimerTable* table, HWND window) { table->set_owner(window); }
