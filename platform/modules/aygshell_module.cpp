// "aygshell.dll": the shell's dialog, menu-bar, full-screen, gesture,
// notification and change-notification calls. The behaviour lives in
// platform/shell; this table exports it under the device's names, each
// checked against the signature the system calls it with.
#include "platform/modules/emulated_module.h"
#include "platform/shell/shell_calls.h"

namespace {

template <class Proc>
FARPROC Export(Proc function) {
  return reinterpret_cast<FARPROC>(function);
}

const EmulatedExport kExports[] = {
    {"SHInitDialog", Export<SHInitDialogProc>(devshell::SHInitDialog)},
    {"SHCreateMenuBar", Export<SHCreateMenuBarProc>(devshell::SHCreateMenuBar)},
    {"SHFindMenuBar", Export<SHFindMenuBarProc>(devshell::SHFindMenuBar)},
    {"SHFullScreen", Export<SHFullScreenProc>(devshell::SHFullScreen)},
    {"SHGetAutoRunPath", Export<SHGetAutoRunPathProc>(devshell::SHGetAutoRunPath)},
    {"SHSetNavBarText", Export<SHSetNavBarTextProc>(devshell::SHSetNavBarText)},
    {"SHRecognizeGesture", Export<SHRecognizeGestureProc>(devshell::SHRecognizeGesture)},
    {"SHDoneButton", Export<SHDoneButtonProc>(devshell::SHDoneButton)},
    {"SHSetAppKeyWndAssoc", Export<SHSetAppKeyWndAssocProc>(devshell::SHSetAppKeyWndAssoc)},
    {"SHNotificationAdd", Export<SHNotificationAddProc>(devshell::SHNotificationAdd)},
    {"SHNotificationRemove", Export<SHNotificationRemoveProc>(devshell::SHNotificationRemove)},
    {"SHSendBackToFocusWindow", Export<SHSendBackToFocusWindowProc>(devshell::SHSendBackToFocusWindow)},
    {"SHChangeNotifyRegister", Export<SHChangeNotifyRegisterProc>(devshell::SHChangeNotifyRegister)},
    {"SHChangeNotifyDeregister", Export<SHChangeNotifyDeregisterProc>(devshell::SHChangeNotifyDeregister)},
    {"SHChangeNotifyFree", Export<SHChangeNotifyFreeProc>(devshell::SHChangeNotifyFree)},
};

}  // namespace

const EmulatedModule& AygshellModule() {
  static const EmulatedModule module{"aygshell.dll", kExports, sizeof(kExports) / sizeof(kExports[0])};
  return module;
}
