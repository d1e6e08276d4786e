// The device's windows: classes, creation and destruction, procedures, window
// values, text, the parent link, finding windows, focus and the foreground.
//
// Windows belong to the thread that creates them; their messages go through
// that thread's queue (message_queue.h). Top-level windows (those without
// WS_CHILD) are also visible to other processes on the same device root:
// FindWindowW finds them there, and the handle it answers works with
// SendMessageW, SendMessageTimeoutW, PostMessageW, IsWindow,
// GetWindowTextW, GetClassNameW and SetForegroundWindow.
//
// Creation sends WM_CREATE (lParam: a CREATESTRUCTW), then WM_SIZE and
// WM_MOVE, and shows the window when WS_VISIBLE was asked for; positions,
// visibility and painting are in window_positions.h and painting.h. A
// WM_CREATE answer of -1 destroys the window again and CreateWindowExW
// answers null.
//
// DestroyWindow, as on the device: windows owned by it are destroyed first;
// then WM_DESTROY goes to the window and afterwards to each of its children
// (depth first, in creation order), so while a window handles WM_DESTROY
// its children still exist; finally every window of the tree gets
// WM_NCDESTROY, children before their parent, and its handle dies. The
// window's timers, hot keys, queued messages, focus, capture and activation
// go with it: an active top-level window first hands the activation on
// (to its owner when that shows, else to the topmost shown window of the
// thread). Messages the windows of the tree send each other while they are
// destroyed (a child's notification to its parent from its WM_DESTROY) are
// delivered at once: every window of the tree lives until WM_NCDESTROY.
// Only the window's own thread may destroy it.
//
// DefWindowProcW: WM_CLOSE destroys the window; WM_SETTEXT, WM_GETTEXT and
// WM_GETTEXTLENGTH keep the window's text; WM_ACTIVATE gives the focus to a
// window being activated; WM_WINDOWPOSCHANGED sends WM_MOVE and WM_SIZE;
// WM_PAINT and WM_ERASEBKGND are those of painting.h. WM_HOTKEY of an application key (virtual key
// 0xC1-0xCF in the high word of lParam) posts WM_KEYDOWN of that key
// (lParam 1) and then WM_KEYUP (lParam with bits 30 and 31 set) to the
// focus window of the thread, or to the window itself when no window has the
// focus: so a hardware button captured as a hot key still reaches the key-up
// handler. Other hot keys, and every other message, answer 0.
#pragma once

#include "platform/windows/window_types.h"

// Classes are per process; names compare without case. Registering a name
// that exists fails with ERROR_CLASS_ALREADY_EXISTS. The answer is the
// class's atom (0 on failure).
ATOM RegisterClassW(const WNDCLASSW* windowClass);
// Fails with ERROR_CLASS_DOES_NOT_EXIST, or ERROR_CLASS_HAS_WINDOWS while a
// window of the class lives.
BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance);
BOOL GetClassInfoW(HINSTANCE instance, LPCWSTR className, WNDCLASSW* out);
int GetClassNameW(HWND window, LPWSTR buffer, int capacity);

// `menu` is the child identifier of a WS_CHILD window. A child needs a
// parent (ERROR_TLW_WITH_WSCHILD otherwise); a top-level window's `parent` is
// its owner.
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID createParameter);
BOOL DestroyWindow(HWND window);

LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Window values. The pointer-sized forms are the ones that may hold a
// pointer (the procedure, the user data, pointers in the extra bytes). The
// 32-bit forms refuse GWL_WNDPROC (ERROR_INVALID_INDEX), as a 64-bit device
// would, and truncate the rest. Indices from 0 address the class's
// cbWndExtra bytes. Changing GWL_STYLE or GWL_EXSTYLE sends WM_STYLECHANGED
// (wParam the index, lParam a STYLESTRUCT) once the new value is in place;
// changing WS_VISIBLE this way shows or hides the window for hit testing,
// IsWindowVisible and painting at once, and the caller invalidates.
LONG GetWindowLongW(HWND window, int index);
LONG SetWindowLongW(HWND window, int index, LONG value);
LONG_PTR GetWindowLongPtrW(HWND window, int index);
LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value);

BOOL SetWindowTextW(HWND window, LPCWSTR text);
int GetWindowTextW(HWND window, LPWSTR buffer, int capacity);
int GetWindowTextLengthW(HWND window);

BOOL IsWindow(HWND window);
// The parent of a child window, the owner of an owned top-level window.
HWND GetParent(HWND window);
BOOL IsChild(HWND parent, HWND window);
// The first top-level window, of this process or another one on the same
// device root, whose class (compared without case) and title (exactly) match;
// a null class or title matches any. Windows are searched oldest first.
HWND FindWindowW(LPCWSTR className, LPCWSTR title);
DWORD GetWindowThreadProcessId(HWND window, LPDWORD processId);

// Focus and activation, per thread. SetFocus sends WM_KILLFOCUS to the window
// losing the focus and WM_SETFOCUS to the one gaining it, and answers the
// former; it activates the new focus window's top-level window first.
HWND SetFocus(HWND window);
HWND GetFocus();
HWND GetActiveWindow();
// Activates a window of this process (WM_ACTIVATE WA_INACTIVE to the window
// losing the activation, WA_ACTIVE to the one gaining it) or asks another
// process to activate its window; then this process's active window is
// deactivated with lParam 0, as when another program takes over.
BOOL SetForegroundWindow(HWND window);
// The window this process last made the foreground window (or null).
HWND GetForegroundWindow();

// The stylus capture, per thread: while a window holds it, every stylus
// event goes to it (platform/input/device_input.h). SetCapture answers the
// previous holder; the window that loses the capture to another window or
// to ReleaseCapture gets WM_CAPTURECHANGED (lParam the new holder or 0)
// after the change. A destroyed window's capture ends without a message.
HWND SetCapture(HWND window);
BOOL ReleaseCapture();
HWND GetCapture();
