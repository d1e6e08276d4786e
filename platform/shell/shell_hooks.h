// The emulated shell's test state: the journal of every call the system made
// into the shell libraries (aygshell, cellcore, voicectl, the shell parts of
// coredll), what is shown or held now (notifications, hot keys,
// change-notification registrations, the display orientation) and the
// answers a test scripts (gestures, phone calls, a failing display change).
// Test and fuzz builds only; tests reach it through platform/testing/shell.h.
//
// Without a test's script the shell answers as a Linux host can: nothing
// shows a notification and there is no phone, so SHNotificationAdd and
// tapiRequestMakeCallW fail with ERROR_NOT_SUPPORTED. ResetShell() empties
// the journal and gives the test defaults: nothing shown or registered,
// notifications shown (to the test), the shell holding the application keys
// 0xC1-0xC6, display upright, no injected failure, no gesture, phone calls
// accepted.
#pragma once

#ifndef TESSALYN_TEST_HOOKS
#error "the shell hooks exist only in test and fuzz builds"
#endif

#include <cstdint>
#include <string>
#include <vector>

#include "platform/shell/hot_keys.h"
#include "platform/shell/shell_records.h"

namespace devtest {

using devshell::ChangeNotifyRegistration;
using devshell::PlacedCall;
using devshell::ShownNotification;

// One call into an emulated shell function. The numbers are the call's
// arguments in a form each function documents in its recorder:
//   SHInitDialog {mask, flags}; SHCreateMenuBar {flags, bar id};
//   SHFindMenuBar {}; SHFullScreen {state}; SHGetAutoRunPath {};
//   SHSetNavBarText {} text; SHRecognizeGesture {x, y, flags};
//   SHDoneButton {state}; SHSetAppKeyWndAssoc {key};
//   SHNotificationAdd {id, priority, duration, flags} text = title;
//   SHNotificationRemove {id}; SHSendBackToFocusWindow {message, wParam, lParam};
//   SHChangeNotifyRegister {event mask, recursive} text = folder;
//   SHChangeNotifyDeregister {}; SHChangeNotifyFree {event};
//   tapiRequestMakeCallW {} text = number; VoiceRecorder_Create {style} text = file;
//   ChangeDisplaySettingsEx {fields, orientation, flags};
//   RegisterHotKey {id, modifiers, key}; UnregisterHotKey {id};
//   UnregisterFunc1 {modifiers, key}; SHGetSpecialFolderPath {folder, create}.
struct ShellCall {
  std::string function;
  HWND window = nullptr;
  std::vector<int64_t> args;
  std::u16string text;
  int64_t result = 0;
};

std::vector<ShellCall> ShellCalls();
std::vector<ShellCall> ShellCallsTo(const std::string& function);
void ClearShellCalls();

// Notifications shown now (added and not removed), oldest first.
std::vector<ShownNotification> ShownNotifications();

// Hot keys held by windows of this program now.
std::vector<devshell::HotKeyRegistration> RegisteredHotKeys();
// Keys the shell holds until UnregisterFunc1 takes them (replaces the set).
void SetKeysHeldByShell(const std::vector<UINT>& keys);
// A window of another program holds the key with these modifiers.
void HoldHotKeyElsewhere(UINT modifiers, UINT key);

// The display orientation (a DMDO_ value) in force, and one set as if by
// another program.
DWORD DisplayOrientation();
void SetDisplayOrientation(DWORD orientation);
// Every orientation change answers `result` (non-zero) from now on; 0 ends it.
void FailDisplayChanges(LONG result);

// The gesture SHRecognizeGesture answers (GN_CONTEXTMENU or 0) from now
// on, instead of recognising the stylus (until the reset).
void SetGestureAnswer(DWORD gesture);

std::vector<PlacedCall> PlacedCalls();  // those the phone accepted
void SetPhoneCallAnswer(LONG result);   // 0 accepts

std::vector<ChangeNotifyRegistration> ChangeNotifyRegistrations();
// A notification as the shell delivers it (lParam of WM_FILECHANGEINFO) for
// a path event; the receiver gives it back with SHChangeNotifyFree.
FILECHANGENOTIFY* MakeFileChangeNotification(LONG event, const std::u16string& path);
int LiveFileChangeNotifications();

// The shell as a program on the host meets it: nothing shows notifications
// and there is no phone (ResetShell scripts both again).
void UseHostShell();

void ResetShell();

}  // namespace devtest
