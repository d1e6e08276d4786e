// The timers of a thread's queue, as the message calls see them. Internal
// to platform/windows; the lock of the window manager is held throughout.
#pragma once

#include "platform/windows/window_object.h"

namespace devwin {

// Filters of GetMessageW/PeekMessageW.
struct MessageFilter {
  HWND window = nullptr;  // null: all; (HWND)-1: the thread's own messages
  UINT first = 0;
  UINT last = 0;
  bool Takes(HWND target, UINT message) const;
};

// The WM_TIMER of the earliest due timer the filter takes; when `remove`,
// the timer is due again one period later.
bool TakeDueTimer(MessageQueue* queue, const MessageFilter& filter, bool remove, MSG* out);
// Milliseconds of the tick count until the queue's next timer is due (0
// when one is due now); false when it has none.
bool NextTimerDelay(MessageQueue* queue, DWORD* delay);

}  // namespace devwin
