// A tooltip: a small pop-up window showing one line of text in a frame,
// shown by a control while the stylus is held on it and destroyed by it.
#pragma once

#include <string>

#include "platform/types/geometry_types.h"
#include "platform/types/window_handle.h"

namespace devcontrols {

// Shows `text` with its top-left corner at a screen point (moved to stay on
// the screen); the window, or null.
HWND ShowTooltip(HWND owner, const std::u16string& text, POINT at);
bool RegisterTooltipClass();

}  // namespace devcontrols
