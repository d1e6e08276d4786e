// The shell functions a device may lack, bound by name at run time and never
// linked: one process-wide table of entry points, filled before the main
// function by loading aygshell, cellcore, voicectl, coredll and ceshell, and
// freed at process exit. Every call goes through a Call... wrapper that
// answers a fixed neutral value when its library or function is missing, so
// the rest of the system never tests for them.
//
// The table is written once by the loader and only read afterwards.
#pragma once

#include "platform/modules/modules.h"
#include "platform/shell/display_settings.h"
#include "platform/shell/hot_keys.h"
#include "platform/shell/shell_types.h"

struct LateBoundApis {
  // The entry points, in the order they are looked up.
  SHInitDialogProc shInitDialog = nullptr;
  SHCreateMenuBarProc shCreateMenuBar = nullptr;
  SHFindMenuBarProc shFindMenuBar = nullptr;
  SHFullScreenProc shFullScreen = nullptr;
  SHGetAutoRunPathProc shGetAutoRunPath = nullptr;
  SHSetNavBarTextProc shSetNavBarText = nullptr;
  SHRecognizeGestureProc shRecognizeGesture = nullptr;
  SHDoneButtonProc shDoneButton = nullptr;
  SHSetAppKeyWndAssocProc shSetAppKeyWndAssoc = nullptr;
  SHNotificationAddProc shNotificationAdd = nullptr;
  SHNotificationRemoveProc shNotificationRemove = nullptr;
  SHSendBackToFocusWindowProc shSendBackToFocusWindow = nullptr;  // looked up, never called
  TapiRequestMakeCallProc tapiRequestMakeCall = nullptr;
  VoiceRecorderCreateProc voiceRecorderCreate = nullptr;
  ChangeDisplaySettingsExProc changeDisplaySettingsEx = nullptr;
  SHChangeNotifyRegisterProc shChangeNotifyRegister = nullptr;
  SHChangeNotifyDeregisterProc shChangeNotifyDeregister = nullptr;
  SHChangeNotifyFreeProc shChangeNotifyFree = nullptr;
  RegisterHotKeyProc registerHotKey = nullptr;
  UnregisterHotKeyProc unregisterHotKey = nullptr;
  UnregisterFunc1Proc unregisterFunc1 = nullptr;

  // The libraries; ceshell is loaded and freed, nothing is taken from it.
  HMODULE aygshell = nullptr;
  HMODULE voicectl = nullptr;
  HMODULE cellcore = nullptr;
  HMODULE coredll = nullptr;
  HMODULE ceshell = nullptr;

  // Loads the libraries (aygshell, cellcore, voicectl, coredll, ceshell) and
  // looks up every entry point; a table already loaded is freed first.
  void Load();
  // Frees every loaded library and clears the table.
  void Free();

  // The one table of the process.
  static LateBoundApis& Instance();
};

// Wrappers: the platform function's own arguments and result when present,
// else the neutral value in the comment.
BOOL CallSHInitDialog(SHINITDLGINFO* info);                      // 0
BOOL CallSHCreateMenuBar(SHMENUBARINFO* info);                   // 0
HWND CallSHFindMenuBar(HWND window);                             // null
BOOL CallSHFullScreen(HWND window, DWORD state);                 // 0
BOOL CallSHGetAutoRunPath(LPWSTR buffer);                        // 0
BOOL CallSHSetNavBarText(HWND window, LPCWSTR text);             // 0
DWORD CallSHRecognizeGesture(SHRGINFO* info);                    // 0
BOOL CallSHDoneButton(HWND window, DWORD state);                 // 0
BOOL CallSHSetAppKeyWndAssoc(BYTE key, HWND window);             // 0
LRESULT CallSHNotificationAdd(SHNOTIFICATIONDATA* data);         // 1
LRESULT CallSHNotificationRemove(const CLSID* clsid, DWORD id);  // 1
LONG CallTapiRequestMakeCall(LPCWSTR number, LPCWSTR application, LPCWSTR calledParty,
                             LPCWSTR comment);                   // 0
HWND CallVoiceRecorderCreate(CM_VOICE_RECORDER* settings);       // null
LONG CallChangeDisplaySettingsEx(LPCWSTR device, DEVMODEW* mode, HWND window, DWORD flags,
                                 LPVOID parameter);              // -1
BOOL CallSHChangeNotifyRegister(HWND window, SHCHANGENOTIFYENTRY* entry);  // 0
BOOL CallSHChangeNotifyDeregister(HWND window);                  // 0
void CallSHChangeNotifyFree(FILECHANGENOTIFY* notification);     // nothing
BOOL CallUnregisterFunc1(UINT modifiers, UINT key);              // 0
BOOL CallUnregisterHotKey(HWND window, int id);                  // 0
// Always gives the key back from the shell first (CallUnregisterFunc1), then
// registers it; 0 when RegisterHotKey is missing.
BOOL CallRegisterHotKey(HWND window, int id, UINT modifiers, UINT key);
