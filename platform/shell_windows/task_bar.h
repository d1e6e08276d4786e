// The task bar along the top of the screen, as high as the work area's top:
// the start icon at its left, the foreground window's title as plain text
// (no prefix characters), and at its right the Done button when that
// window has one (SHInitDialog with SHIDIF_DONEBUTTON, SHDoneButton); a tap
// on it sends the window WM_COMMAND IDOK with lParam 0. SHFullScreen hides
// and shows it, its start icon and the input panel's button.
#pragma once

#include "platform/shell/shell_types.h"

namespace devshellwin {

BOOL InitDialog(SHINITDLGINFO* info);
BOOL DoneButton(HWND window, DWORD state);
BOOL FullScreen(HWND window, DWORD state);

// Whether `window` shows the Done button.
bool HasDoneButton(HWND window);
// The task bar's window (null until something needed it).
HWND TaskBar();
// Redraws the task bar (after the foreground window changed).
void RefreshTaskBar();
void ResetTaskBar();

}  // namespace devshellwin
