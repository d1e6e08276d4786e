// The soft input panel: a keyboard the stylus types on, above the menu bar
// at the bottom of the screen (its height scaled with the dpi). A tap on a
// key sends WM_KEYDOWN, WM_CHAR and WM_KEYUP to the window that has the
// focus, as the keyboard would; Shift gives the next letter its capital.
// The panel never takes the activation or the focus.
//
// Every change of its state sends WM_SETTINGCHANGE (wParam SPI_SETSIPINFO)
// synchronously, once, to every top-level window of the program, after the
// change (so SipGetInfo already reports it); asking for the state it
// already has sends nothing.
#pragma once

#include "platform/types/geometry_types.h"
#include "platform/windows/window_types.h"

struct SIPINFO {
  DWORD cbSize;
  DWORD fdwFlags;
  RECT rcVisibleDesktop;  // the work area above the panel (or the menu bar)
  RECT rcSipRect;         // where the panel is (or would be)
  DWORD dwImDataSize;
  void* pvImData;
};
constexpr DWORD SIPF_OFF = 0x0;
constexpr DWORD SIPF_ON = 0x1;
constexpr DWORD SIPF_DOCKED = 0x2;
constexpr DWORD SIPF_LOCKED = 0x4;
constexpr UINT SPI_SETSIPINFO = 224;
constexpr UINT SPI_GETSIPINFO = 225;

// SIPF_ON shows the panel, SIPF_OFF hides it; FALSE for other flags.
BOOL SipShowIM(DWORD flags);
// FALSE (ERROR_INVALID_PARAMETER) when cbSize is not this layer's size.
BOOL SipGetInfo(SIPINFO* info);

namespace devsip {

// The menu bar's height: 26 pixels at 96 dpi, scaled.
int MenuBarHeight();
// The panel's rectangle on the screen, shown or not.
RECT PanelRect();
// Shows the panel when hidden, hides it when shown (the menu bar's button).
void TogglePanel();
bool PanelShown();
// The panel's window (null until first shown).
HWND PanelWindow();
// Forgets the panel (the device reset, after the windows were reset).
void ResetPanel();
// Sends WM_SETTINGCHANGE (wParam `what`) to every top-level window of the
// program but the shell's own (the panel, the bars).
void BroadcastSettingChange(UINT what);
// Marks one of the shell's own windows, which the broadcast skips.
void MarkShellWindow(HWND window);

}  // namespace devsip
