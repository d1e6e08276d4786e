// The loop every modal window runs (dialogs, property sheets, message boxes,
// pop-up menus, the open-file dialog): the owner is disabled while it runs,
// timers, painting, input and messages sent from other threads and
// processes keep being delivered, and it ends when the modal says so.
//
// In test builds a modal first runs the script a test gave for its kind
// (modal_hooks.h); the loop then delivers what is queued and, when the
// queue runs dry before the modal ended, ends it with its cancel answer,
// so that no test ever waits for a person.
#pragma once

#include "platform/windows/messages.h"
#include "platform/windows/window_types.h"

// What a modal does with one message before it is dispatched: true when it
// took the message (keyboard navigation, Enter and Escape).
using ModalFilter = bool (*)(HWND modal, const MSG& message, void* context);

// Runs until *done is true. False when the loop ended without the modal's
// answer (WM_QUIT, which is posted again for the caller's loop, or a test's
// queue running dry); the caller then answers its cancel answer.
bool RunModalLoop(HWND modal, const bool* done, ModalFilter filter, void* context);

// Disables the owner (and answers whether it was enabled) for the time a
// modal runs; RestoreOwner enables it again when it was.
bool DisableOwner(HWND owner);
void RestoreOwner(HWND owner, bool wasEnabled);
