// Test control of the emulated shell libraries (aygshell, cellcore,
// voicectl, the shell parts of coredll): the journal of every call the
// system made into them, what is shown or held now (notifications, hot keys,
// change-notification registrations, the display orientation) and the
// answers a test scripts (gestures, phone calls, a failing display change).
// The OS version, the platform type and whether the display can rotate are
// fields of the device profile (platform/testing/profile.h).
//
// ResetShell() empties the journal and gives the defaults: nothing shown or
// registered, the shell holding the application keys 0xC1-0xC6, display
// upright, no injected failure, no gesture, phone calls accepted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/shell/hot_keys.h"
#include "platform/shell/shell_types.h"

namespace devtest {

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
struct ShownNotification {
  CLSID clsid;
  DWORD id;
  DWORD priority;
  DWORD duration;
  DWORD flags;
  HWND sink;
  std::u16string html;
  std::u16string title;
  LPARAM param;
};
std::vector<ShownNotification> ShownNotifications();

// Hot keys held by windows of this program now.
std::vector<devshell::HotKeyRegistration> RegisteredHotKeys();
// Keys the shell holds until UnregisterFunc1 takes them (replaces the set).
void SetKeysHeldByShell(const std::vector<UINT>& keys);
bool ShellHoldsKey(UINT key);
// A window of another program holds the key with these modifiers.
void HoldHotKeyElsewhere(UINT modifiers, UINT key);

// The display orientation (a DMDO_ value) in force, and one set as if by
// another program.
DWORD DisplayOrientation();
void SetDisplayOrientation(DWORD orientation);
// Every orientation change answers `result` (non-zero) from now on; 0 ends it.
void FailDisplayChanges(LONG result);

// The gesture SHRecognizeGesture answers (GN_CONTEXTMENU or 0).
void SetGestureAnswer(DWORD gesture);

struct PlacedCall {
  std::u16string number;
  std::u16string application;
  std::u16string calledParty;
  std::u16string comment;
};
std::vector<PlacedCall> PlacedCalls();  // those the phone accepted
void SetPhoneCallAnswer(LONG result);   // 0 accepts

struct ChangeNotifyRegistration {
  HWND window;
  LONG events;
  std::u16string folder;
  bool recursive;
};
std::vector<ChangeNotifyRegistration> ChangeNotifyRegistrations();
// A notification as the shell delivers it (lParam of WM_FILECHANGEINFO) for
// a path event; the receiver gives it back with SHChangeNotifyFree.
FILECHANGENOTIFY* MakeFileChangeNotification(LONG event, const std::u16string& path);
int LiveFileChangeNotifications();

void ResetShell();

}  // namespace devtest
