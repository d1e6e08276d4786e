// "aygshell.dll": the shell's dialog, menu-bar, full-screen, gesture,
// notification and change-notification calls. The behaviour lives in
// platform/shell; this table exports it under the device's names, each
// checked against the signature the system calls it with and kept from
// throwing into the system.
#include "platform/modules/emulated_module.h"
#include "platform/shell/no_throw.h"
#include "platform/shell/shell_calls.h"

namespace {

// The signature is checked against the one the system calls with.
template <class Proc>
FARPROC Export(Proc function) {
  return reinterpret_cast<FARPROC>(function);
}

}  // namespace

const EmulatedModule& AygshellModule() {
  // Filled on first use, so that loading from a static initializer finds it.
  static const EmulatedExport kExports[] = {
      {"SHInitDialog", Export<SHInitDialogProc>(NoThrow<devshell::SHInitDialog>::Call)},
      {"SHCreateMenuBar", Export<SHCreateMenuBarProc>(NoThrow<devshell::SHCreateMenuBar>::Call)},
      {"SHFindMenuBar", Export<SHFindMenuBarProc>(NoThrow<devshell::SHFindMenuBar>::Call)},
      {"SHFullScreen", Export<SHFullScreenProc>(NoThrow<devshell::SHFullScreen>::Call)},
      {"SHGetAutoRunPath", Export<SHGetAutoRunPathProc>(NoThrow<devshell::SHGetAutoRunPath>::Call)},
      {"SHSetNavBarText", Export<SHSetNavBarTextProc>(NoThrow<devshell::SHSetNavBarText>::Call)},
      {"SHRecognizeGesture", Export<SHRecognizeGestureProc>(NoThrow<devshell::SHRecognizeGesture>::Call)},
      {"SHDoneButton", Export<SHDoneButtonProc>(NoThrow<devshell::SHDoneButton>::Call)},
      {"SHSetAppKeyWndAssoc", Export<SHSetAppKeyWndAssocProc>(NoThrow<devshell::SHSetAppKeyWndAssoc>::Call)},
      {"SHNotificationAdd", Export<SHNotificationAddProc>(NoThrow<devshell::SHNotificationAdd>::Call)},
      {"SHNotificationRemove", Export<SHNotificationRemoveProc>(NoThrow<devshell::SHNotificationRemove>::Call)},
      {"SHSendBackToFocusWindow",
       Export<SHSendBackToFocusWindowProc>(NoThrow<devshell::SHSendBackToFocusWindow>::Call)},
      {"SHChangeNotifyRegister", Export<SHChangeNotifyRegisterProc>(NoThrow<devshell::SHChangeNotifyRegister>::Call)},
      {"SHChangeNotifyDeregister",
       Export<SHChangeNotifyDeregisterProc>(NoThrow<devshell::SHChangeNotifyDeregister>::Call)},
      {"SHChangeNotifyFree", Export<SHChangeNotifyFreeProc>(NoThrow<devshell::SHChangeNotifyFree>::Call)},
  };
  static const EmulatedModule module{"aygshell.dll", kExports, sizeof(kExports) / sizeof(kExports[0])};
  return module;
}
