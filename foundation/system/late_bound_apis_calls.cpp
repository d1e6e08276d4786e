// The wrappers over the late-bound table: each calls its entry point when it
// is present and answers its neutral value otherwise.
#include "foundation/system/late_bound_apis.h"

namespace {

const LateBoundApis& Apis() { return LateBoundApis::Instance(); }

}  // namespace

BOOL CallSHInitDialog(SHINITDLGINFO* info) { return Apis().shInitDialog ? Apis().shInitDialog(info) : 0; }

BOOL CallSHCreateMenuBar(SHMENUBARINFO* info) { return Apis().shCreateMenuBar ? Apis().shCreateMenuBar(info) : 0; }

HWND CallSHFindMenuBar(HWND window) { return Apis().shFindMenuBar ? Apis().shFindMenuBar(window) : nullptr; }

BOOL CallSHFullScreen(HWND window, DWORD state) {
  return Apis().shFullScreen ? Apis().shFullScreen(window, state) : 0;
}

BOOL CallSHGetAutoRunPath(LPWSTR buffer) { return Apis().shGetAutoRunPath ? Apis().shGetAutoRunPath(buffer) : 0; }

BOOL CallSHSetNavBarText(HWND window, LPCWSTR text) {
  return Apis().shSetNavBarText ? Apis().shSetNavBarText(window, text) : 0;
}

DWORD CallSHRecognizeGesture(SHRGINFO* info) {
  return Apis().shRecognizeGesture ? Apis().shRecognizeGesture(info) : 0;
}

BOOL CallSHDoneButton(HWND window, DWORD state) {
  return Apis().shDoneButton ? Apis().shDoneButton(window, state) : 0;
}

BOOL CallSHSetAppKeyWndAssoc(BYTE key, HWND window) {
  return Apis().shSetAppKeyWndAssoc ? Apis().shSetAppKeyWndAssoc(key, window) : 0;
}

LRESULT CallSHNotificationAdd(SHNOTIFICATIONDATA* data) {
  return Apis().shNotificationAdd ? Apis().shNotificationAdd(data) : 1;
}

LRESULT CallSHNotificationRemove(const CLSID* clsid, DWORD id) {
  return Apis().shNotificationRemove ? Apis().shNotificationRemove(clsid, id) : 1;
}

LONG CallTapiRequestMakeCall(LPCWSTR number, LPCWSTR application, LPCWSTR calledParty, LPCWSTR comment) {
  return Apis().tapiRequestMakeCall ? Apis().tapiRequestMakeCall(number, application, calledParty, comment) : 0;
}

HWND CallVoiceRecorderCreate(CM_VOICE_RECORDER* settings) {
  return Apis().voiceRecorderCreate ? Apis().voiceRecorderCreate(settings) : nullptr;
}

LONG CallChangeDisplaySettingsEx(LPCWSTR device, DEVMODEW* mode, HWND window, DWORD flags, LPVOID parameter) {
  return Apis().changeDisplaySettingsEx ? Apis().changeDisplaySettingsEx(device, mode, window, flags, parameter)
                                        : -1;
}

BOOL CallSHChangeNotifyRegister(HWND window, SHCHANGENOTIFYENTRY* entry) {
  return Apis().shChangeNotifyRegister ? Apis().shChangeNotifyRegister(window, entry) : 0;
}

BOOL CallSHChangeNotifyDeregister(HWND window) {
  return Apis().shChangeNotifyDeregister ? Apis().shChangeNotifyDeregister(window) : 0;
}

void CallSHChangeNotifyFree(FILECHANGENOTIFY* notification) {
  if (Apis().shChangeNotifyFree) Apis().shChangeNotifyFree(notification);
}

BOOL CallUnregisterFunc1(UINT modifiers, UINT key) {
  return Apis().unregisterFunc1 ? Apis().unregisterFunc1(modifiers, key) : 0;
}

BOOL CallUnregisterHotKey(HWND window, int id) {
  return Apis().unregisterHotKey ? Apis().unregisterHotKey(window, id) : 0;
}

BOOL CallRegisterHotKey(HWND window, int id, UINT modifiers, UINT key) {
  CallUnregisterFunc1(modifiers, key);
  return Apis().registerHotKey ? Apis().registerHotKey(window, id, modifiers, key) : 0;
}
