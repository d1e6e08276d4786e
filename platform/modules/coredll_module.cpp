// "coredll.dll" as a module looked up by name: the calls some devices lack
// and the system therefore binds at run time (display settings, hot keys,
// the shell's special folders). The rest of coredll is linked directly.
#include "platform/modules/emulated_module.h"
#include "platform/shell/no_throw.h"
#include "platform/shell/display_settings.h"
#include "platform/shell/hot_keys.h"
#include "platform/shell/special_folders.h"

namespace {

constexpr ChangeDisplaySettingsExProc kChangeDisplay = NoThrow<devshell::ChangeDisplaySettingsEx>::Call;
constexpr RegisterHotKeyProc kRegister = NoThrow<devshell::RegisterHotKey>::Call;
constexpr UnregisterHotKeyProc kUnregister = NoThrow<devshell::UnregisterHotKey>::Call;
constexpr UnregisterFunc1Proc kUnregisterFunc1 = NoThrow<devshell::UnregisterFunc1>::Call;
constexpr SHGetSpecialFolderPathProc kSpecialFolder = SHGetSpecialFolderPath;

}  // namespace

const EmulatedModule& CoredllModule() {
  // Filled on first use, so that loading from a static initializer finds it.
  static const EmulatedExport kExports[] = {
      {"ChangeDisplaySettingsEx", reinterpret_cast<FARPROC>(kChangeDisplay)},
      {"RegisterHotKey", reinterpret_cast<FARPROC>(kRegister)},
      {"UnregisterHotKey", reinterpret_cast<FARPROC>(kUnregister)},
      {"UnregisterFunc1", reinterpret_cast<FARPROC>(kUnregisterFunc1)},
      {"SHGetSpecialFolderPath", reinterpret_cast<FARPROC>(kSpecialFolder)},
  };
  static const EmulatedModule module{"coredll.dll", kExports, sizeof(kExports) / sizeof(kExports[0])};
  return module;
}
