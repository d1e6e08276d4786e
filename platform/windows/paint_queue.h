// The messages a thread's queue makes when asked instead of holding them:
// WM_PAINT for windows with something to paint, and the input hardware's
// events turned into stylus and key messages. Internal to platform/windows;
// the window manager's lock is held.
#pragma once

#include "platform/windows/timer_queue.h"
#include "platform/windows/window_manager.h"

namespace devwin {

// WM_PAINT for the first shown window of the queue's thread with a
// non-empty update region that the filter takes (painting.h).
bool TakePaint(MessageQueue* queue, const MessageFilter& filter, MSG* out);

// The message of the oldest input event when it goes to a window of the
// queue's thread and the filter takes it (input_delivery.cpp). With
// `remove`, the event is consumed; an event that nobody takes (no window
// under the stylus, no focus window) is dropped. May release the lock to
// activate a tapped window.
bool TakeInput(Lock& guard, MessageQueue* queue, const MessageFilter& filter, bool remove, MSG* out);

}  // namespace devwin
