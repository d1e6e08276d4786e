// Where windows are and whether they show: showing and hiding, moving and
// sizing, stacking, rectangles and point mapping, hit testing, enabling.
//
// Positions: a child's (x, y) is relative to its parent's client area, a
// top-level window's to the screen. The only non-client part is a 1-pixel
// frame for WS_BORDER or WS_DLGFRAME; so the client area is the window less
// that frame. CW_USEDEFAULT for a top-level window's x (or width) takes the
// work area's position (or size) for both coordinates; a child's
// CW_USEDEFAULT is 0.
//
// Messages, in the device's order:
//  - CreateWindowExW: WM_CREATE, then WM_SIZE (client size) and WM_MOVE
//    (client origin); with WS_VISIBLE then as ShowWindow(SW_SHOW).
//  - ShowWindow when the visibility changes: WM_SHOWWINDOW (TRUE or FALSE),
//    then WM_WINDOWPOSCHANGED. Showing a top-level window with SW_SHOW,
//    SW_SHOWNORMAL, SW_SHOWMAXIMIZED or SW_RESTORE activates it (WM_ACTIVATE,
//    and the focus through the default procedure); SW_SHOWNA and
//    SW_SHOWNOACTIVATE do not. Hiding (also SW_MINIMIZE and
//    SW_FORCEMINIMIZE, which hide a window on this device) the active window
//    activates the next shown top-level window of the thread, or none;
//    hiding a child holding the focus gives the focus to its parent.
//  - SetWindowPos and MoveWindow: WM_WINDOWPOSCHANGED (lParam a WINDOWPOS)
//    when anything changed; the default procedure turns it into WM_MOVE
//    (when the position changed) and then WM_SIZE (when the size changed),
//    so a procedure that handles WM_WINDOWPOSCHANGED itself gets neither.
//  - EnableWindow: WM_ENABLE when the state changes; disabling the window
//    that holds the focus (or one above it) takes the focus away.
// What a change uncovers is invalidated (painting.h), with erasing: the
// window's new area when it shows, and the screen area it left.
#pragma once

#include "platform/types/geometry_types.h"
#include "platform/windows/window_types.h"

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;
constexpr int SW_FORCEMINIMIZE = 11;

// SetWindowPos: the window to place after and the flags.
#define HWND_TOP (reinterpret_cast<HWND>(static_cast<intptr_t>(0)))
#define HWND_BOTTOM (reinterpret_cast<HWND>(static_cast<intptr_t>(1)))
#define HWND_TOPMOST (reinterpret_cast<HWND>(static_cast<intptr_t>(-1)))
#define HWND_NOTOPMOST (reinterpret_cast<HWND>(static_cast<intptr_t>(-2)))
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOREDRAW = 0x0008;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_FRAMECHANGED = 0x0020;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
constexpr UINT SWP_NOOWNERZORDER = 0x0200;

// What WM_WINDOWPOSCHANGED's lParam points at: the window's new place.
struct WINDOWPOS {
  HWND hwnd;
  HWND hwndInsertAfter;
  int x;
  int y;
  int cx;
  int cy;
  UINT flags;
};

// GetWindow relations.
constexpr UINT GW_HWNDFIRST = 0;
constexpr UINT GW_HWNDLAST = 1;
constexpr UINT GW_HWNDNEXT = 2;
constexpr UINT GW_HWNDPREV = 3;
constexpr UINT GW_OWNER = 4;
constexpr UINT GW_CHILD = 5;

// WM_SIZE's wParam beyond SIZE_RESTORED.
constexpr WPARAM SIZE_MINIMIZED = 1;

// The previous visibility (non-zero when the window was visible).
BOOL ShowWindow(HWND window, int command);
BOOL IsWindowVisible(HWND window);  // the window and every window above it
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
BOOL BringWindowToTop(HWND window);
// The neighbours in the stacking order (top first), the owner, the top child.
HWND GetWindow(HWND window, UINT relation);

// The window's rectangle on the screen (frame included) and its client
// rectangle ({0, 0, width, height}).
BOOL GetWindowRect(HWND window, RECT* rect);
BOOL GetClientRect(HWND window, RECT* rect);
// Maps points from one window's client coordinates to another's (null: the
// screen). The answer packs the horizontal offset in its low word and the
// vertical one in its high word.
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
BOOL ClientToScreen(HWND window, POINT* point);
BOOL ScreenToClient(HWND window, POINT* point);

// The deepest shown, enabled window of this process at a screen point (a
// disabled child yields its parent; null over the desktop or a disabled
// top-level window).
HWND WindowFromPoint(POINT point);
// The child of `parent` (hidden and disabled ones included) whose window
// rectangle holds the point (client coordinates of `parent`); the parent
// itself when no child does and the point lies in its client area; null
// outside.
HWND ChildWindowFromPoint(HWND parent, POINT point);

// The previous state: non-zero when the window was disabled.
BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsWindowEnabled(HWND window);
