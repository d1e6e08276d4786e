// The emulated shell libraries' functions, as the module tables export them
// (platform/modules/aygshell_module.cpp, cellcore_module.cpp,
// voicectl_module.cpp). The system never calls these directly: it binds
// them by name. In test builds every call is recorded in the shell journal
// that tests read (shell_hooks.h).
//
// What needs real windows (menu bars, sizing a dialog to the screen, the
// voice recorder's window) is done by the windows layer through
// ShellWindowHooks; without a hook such a call is recorded and answers as
// the Failure notes below say.
#pragma once

#include "platform/shell/shell_types.h"

namespace devshell {

// aygshell.dll
BOOL SHInitDialog(SHINITDLGINFO* info);  // TRUE for a dialog; the hook sizes it
// FALSE without a hook that made the bar; the bar is remembered for SHFindMenuBar.
BOOL SHCreateMenuBar(SHMENUBARINFO* info);
HWND SHFindMenuBar(HWND window);
BOOL SHFullScreen(HWND window, DWORD state);  // FALSE for a null window
// "\<first storage card>\2577\autorun.exe"; FALSE when no card is present.
BOOL SHGetAutoRunPath(LPWSTR path);
BOOL SHSetNavBarText(HWND window, LPCWSTR text);
// GN_CONTEXTMENU when the stylus, down at ptDown, is held there
// (the recogniser of platform/controls/gesture.h, once the controls are
// initialised), else 0; a test's scripted answer replaces recognition.
DWORD SHRecognizeGesture(SHRGINFO* info);
BOOL SHDoneButton(HWND window, DWORD state);
BOOL SHSetAppKeyWndAssoc(BYTE key, HWND window);
// 0 when shown; a second notification of the same class and identifier
// replaces the first. ERROR_NOT_SUPPORTED where nothing shows notifications
// (the host, unless a test shows them).
LRESULT SHNotificationAdd(SHNOTIFICATIONDATA* data);
// 0 when removed; ERROR_FILE_NOT_FOUND when no such notification is shown.
LRESULT SHNotificationRemove(const CLSID* clsid, DWORD id);
void SHSendBackToFocusWindow(UINT message, WPARAM wParam, LPARAM lParam);
// One registration per window; registering again replaces it.
BOOL SHChangeNotifyRegister(HWND window, SHCHANGENOTIFYENTRY* entry);
BOOL SHChangeNotifyDeregister(HWND window);
// Releases one reference of a notification the shell delivered; freed at 0.
void SHChangeNotifyFree(FILECHANGENOTIFY* notification);

// cellcore.dll: 0 when the phone took the call (the test's answer, 0 by
// default in tests); without a phone (the host) TAPIERR_NOREQUESTRECIPIENT
// with last error ERROR_NOT_SUPPORTED.
LONG tapiRequestMakeCallW(LPCWSTR number, LPCWSTR application, LPCWSTR calledParty, LPCWSTR comment);

// voicectl.dll: the recorder's window from the hook; null without one (last
// error ERROR_NOT_SUPPORTED).
HWND VoiceRecorder_Create(CM_VOICE_RECORDER* settings);

// Filled in by the windows layer.
struct ShellWindowHooks {
  BOOL (*initDialog)(SHINITDLGINFO* info) = nullptr;
  BOOL (*createMenuBar)(SHMENUBARINFO* info) = nullptr;
  BOOL (*fullScreen)(HWND window, DWORD state) = nullptr;
  BOOL (*doneButton)(HWND window, DWORD state) = nullptr;
  HWND (*createVoiceRecorder)(CM_VOICE_RECORDER* settings) = nullptr;
  // After the display's orientation has changed (it reads the new one).
  void (*orientationChanged)() = nullptr;
};
void SetShellWindowHooks(const ShellWindowHooks& hooks);
// Who recognises a hold for SHRecognizeGesture: the controls layer, which
// waits on the stylus through the windows layer. Called without the
// shell's lock.
using GestureRecognizer = DWORD (*)(const SHRGINFO& info);
void SetGestureRecognizer(GestureRecognizer recognizer);

}  // namespace devshell
