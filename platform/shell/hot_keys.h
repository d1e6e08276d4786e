// Hot keys: coredll's RegisterHotKey, UnregisterHotKey and UnregisterFunc1,
// which the system binds by name, and the table the input layer consults
// when a key is pressed.
//
// A key is identified by its virtual-key code and its modifier keys (ALT,
// CONTROL, SHIFT). Modifier 8 is MOD_KEYUP here: the system passes 8 when it
// captures a hardware button to mean "on key up", and the layer gives 8 that
// meaning; it does not take part in the key's identity.
//
// Who holds a key:
// - The shell holds the hardware buttons at start (by default the
//   application keys 0xC1-0xC6; tests choose others); UnregisterFunc1 takes a
//   key away from the shell. While the shell holds a key, registering it
//   fails.
// - A window holds a key it registered until it unregisters it or is
//   destroyed. Registering a key that another window holds (also a window of
//   another program, which tests simulate) fails with
//   ERROR_HOTKEY_ALREADY_REGISTERED; the same window registering it again
//   replaces its registration.
//
// Delivery (for the windows and input layer): a press of a key held by a
// window is not delivered as WM_KEYDOWN/WM_KEYUP. The holding window gets two
// WM_HOTKEY (0x0312) messages, one when the key goes down and one when it
// comes up, each with wParam = the identifier and lParam = MAKELONG(the
// registered modifiers, the virtual key). DefWindowProcW, given a WM_HOTKEY
// whose virtual key is an application key (0xC1-0xCF), posts WM_KEYDOWN and
// then WM_KEYUP of that key, the latter with bit 30 of lParam set, to the
// focus window of the thread; other hot keys end there. A window that
// handles the first WM_HOTKEY itself and passes the second to its default
// procedure thus sees one key-up per press. An application key no window
// holds but the shell associated with a window (SHSetAppKeyWndAssoc) goes
// to that window as WM_KEYDOWN/WM_KEYUP.
#pragma once

#include <vector>

#include "platform/types/device_types.h"
#include "platform/types/window_handle.h"

constexpr UINT MOD_ALT = 0x0001;
constexpr UINT MOD_CONTROL = 0x0002;
constexpr UINT MOD_SHIFT = 0x0004;
constexpr UINT MOD_KEYUP = 0x0008;

constexpr DWORD ERROR_HOTKEY_ALREADY_REGISTERED = 1409;
constexpr DWORD ERROR_HOTKEY_NOT_REGISTERED = 1419;

using RegisterHotKeyProc = BOOL (*)(HWND window, int id, UINT modifiers, UINT key);
using UnregisterHotKeyProc = BOOL (*)(HWND window, int id);
using UnregisterFunc1Proc = BOOL (*)(UINT modifiers, UINT key);

namespace devshell {

// The exports of the emulated coredll (the system binds them by name).
BOOL RegisterHotKey(HWND window, int id, UINT modifiers, UINT key);
// FALSE (ERROR_HOTKEY_NOT_REGISTERED) when the window holds no such id.
BOOL UnregisterHotKey(HWND window, int id);
// TRUE when the shell held the key and has let it go; FALSE when it did not
// hold it.
BOOL UnregisterFunc1(UINT modifiers, UINT key);

struct HotKeyRegistration {
  HWND window;
  int id;
  UINT modifiers;  // as registered, MOD_KEYUP included
  UINT key;
};

// The registration a press of `key` with these modifier keys down triggers;
// false when no window holds it.
bool FindHotKey(UINT key, UINT modifiersDown, HotKeyRegistration* found);
// Releases every hot key of a window that is being destroyed.
void ReleaseHotKeysOf(HWND window);
// The window the shell associated with an application key, or null.
HWND AppKeyWindow(BYTE key);

std::vector<HotKeyRegistration> HotKeyRegistrations();

}  // namespace devshell
