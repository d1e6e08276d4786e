// Test control of the user interface: what the controls hold beside their
// pixels (platform/testing/windows.h reads those): list-view rows (texts
// per column, image, state and check state, lParam, selection and focus),
// column widths and label editing; toolbar buttons (id, state, text,
// image, tooltip) and the tooltip showing; status-bar parts; the current
// cursor and the journal of its changes; and scripted answers for
// SHRecognizeGesture (a scripted answer replaces recognising the stylus
// until the reset). ResetUi() (part of the device reset) gives the arrow
// cursor and an empty journal. Scripted answers of the modal windows and
// their journals are in platform/modals/modal_hooks.h; the input panel's
// journal in platform/input_panel/input_panel_hooks.h.
#pragma once

#include "platform/controls/control_hooks.h"
#include "platform/input_panel/input_panel_hooks.h"
#include "platform/modals/modal_hooks.h"
#include "platform/shell/shell_hooks.h"

namespace devtest {

// SetGestureAnswer (platform/shell/shell_hooks.h) scripts the answer of
// SHRecognizeGesture.

void ResetUi();

}  // namespace devtest
