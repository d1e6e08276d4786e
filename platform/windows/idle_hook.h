// A backend's turn on the UI thread. The thread that runs a backend
// (platform/backends/) sets a hook; whenever that thread looks for a
// message and finds none, GetMessageW calls the hook with the longest time
// it may take (then looks again), and PeekMessageW calls it once with 0.
// The hook reads the host's input (reporting it through
// platform/input/device_input.h), shows the screen when it changed, and may
// wait for the host's events up to the given time.
#pragma once

#include "platform/types/device_types.h"

namespace devwin {

using IdleHook = void (*)(DWORD maxWaitMs);
// For the calling thread; null removes it.
void SetIdleHook(IdleHook hook);
IdleHook CurrentIdleHook();

}  // namespace devwin
