// The late-bound table: loading by name, freeing, and the static loader that
// fills it before the main function.
#include "foundation/system/late_bound_apis.h"

#include <cstdlib>

namespace {

LateBoundApis g_apis;  // zero until loaded

template <class Proc>
void Bind(HMODULE module, const WCHAR* name, Proc* entry) {
  *entry = module ? reinterpret_cast<Proc>(GetProcAddressW(module, name)) : nullptr;
}

// Fills the table before the main function and frees it at process exit.
struct StartupLoader {
  StartupLoader() {
    g_apis.Load();
    std::atexit([] { g_apis.Free(); });
  }
};
StartupLoader g_startupLoader;

}  // namespace

LateBoundApis& LateBoundApis::Instance() { return g_apis; }

void LateBoundApis::Load() {
  Free();
  aygshell = LoadLibraryW(u"aygshell.dll");
  cellcore = LoadLibraryW(u"cellcore.dll");
  voicectl = LoadLibraryW(u"voicectl.dll");
  coredll = LoadLibraryW(u"coredll.dll");
  ceshell = LoadLibraryW(u"ceshell.dll");

  Bind(aygshell, u"SHInitDialog", &shInitDialog);
  Bind(aygshell, u"SHCreateMenuBar", &shCreateMenuBar);
  Bind(aygshell, u"SHFindMenuBar", &shFindMenuBar);
  Bind(aygshell, u"SHFullScreen", &shFullScreen);
  Bind(aygshell, u"SHGetAutoRunPath", &shGetAutoRunPath);
  Bind(aygshell, u"SHSetNavBarText", &shSetNavBarText);
  Bind(aygshell, u"SHRecognizeGesture", &shRecognizeGesture);
  Bind(aygshell, u"SHDoneButton", &shDoneButton);
  Bind(aygshell, u"SHSetAppKeyWndAssoc", &shSetAppKeyWndAssoc);
  Bind(aygshell, u"SHNotificationAdd", &shNotificationAdd);
  Bind(aygshell, u"SHNotificationRemove", &shNotificationRemove);
  Bind(aygshell, u"SHSendBackToFocusWindow", &shSendBackToFocusWindow);
  Bind(cellcore, u"tapiRequestMakeCallW", &tapiRequestMakeCall);
  Bind(voicectl, u"VoiceRecorder_Create", &voiceRecorderCreate);
  Bind(coredll, u"ChangeDisplaySettingsEx", &changeDisplaySettingsEx);
  Bind(aygshell, u"SHChangeNotifyRegister", &shChangeNotifyRegister);
  Bind(aygshell, u"SHChangeNotifyDeregister", &shChangeNotifyDeregister);
  Bind(aygshell, u"SHChangeNotifyFree", &shChangeNotifyFree);
  Bind(coredll, u"RegisterHotKey", &registerHotKey);
  Bind(coredll, u"UnregisterHotKey", &unregisterHotKey);
  Bind(coredll, u"UnregisterFunc1", &unregisterFunc1);
}

void LateBoundApis::Free() {
  for (HMODULE* module : {&aygshell, &voicectl, &cellcore, &coredll, &ceshell}) {
    if (*module) FreeLibrary(*module);
    *module = nullptr;
  }
  *this = LateBoundApis();
}
