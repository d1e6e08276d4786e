// "coredll.dll" as a module looked up by name: the calls some devices lack
// and the system therefore binds at run time (display settings, hot keys,
// the shell's special folders). The rest of coredll is linked directly.
#include "platform/modules/emulated_module.h"
#include "platform/shell/display_settings.h"
#include "platform/shell/hot_keys.h"
#include "platform/shell/special_folders.h"

namespace {

constexpr ChangeDisplaySettingsExProc kChangeDisplay = devshell::ChangeDisplaySettingsEx;
constexpr RegisterHotKeyProc kRegister = devshell::RegisterHotKey;
constexpr UnregisterHotKeyProc kUnregister = devshell::UnregisterHotKey;
constexpr UnregisterFunc1Proc kUnregisterFunc1 = devshell::UnregisterFunc1;
constexpr SHGetSpecialFolderPathProc kSpecialFolder = SHGetSpecialFolderPath;

const EmulatedExport kExports[] = {
    {"ChangeDisplaySettingsEx", reinterpret_cast<FARPROC>(kChangeDisplay)},
    {"RegisterHotKey", reinterpret_cast<FARPROC>(kRegister)},
    {"UnregisterHotKey", reinterpret_cast<FARPROC>(kUnregister)},
    {"UnregisterFunc1", reinterpret_cast<FARPROC>(kUnregisterFunc1)},
    {"SHGetSpecialFolderPath", reinterpret_cast<FARPROC>(kSpecialFolder)},
};

}  // namespace

const EmulatedModule& CoredllModule() {
  static const EmulatedModule module{"coredll.dll", kExports, sizeof(kExports) / sizeof(kExports[0])};
  return module;
}
