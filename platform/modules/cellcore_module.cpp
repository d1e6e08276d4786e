// "cellcore.dll": the phone's call request (platform/shell/phone_and_voice.cpp).
#include "platform/modules/emulated_module.h"
#include "platform/shell/no_throw.h"
#include "platform/shell/shell_calls.h"

namespace {

constexpr TapiRequestMakeCallProc kMakeCall = NoThrow<devshell::tapiRequestMakeCallW>::Call;

}  // namespace

const EmulatedModule& CellcoreModule() {
  // Filled on first use, so that loading from a static initializer finds it.
  static const EmulatedExport kExports[] = {
      {"tapiRequestMakeCallW", reinterpret_cast<FARPROC>(kMakeCall)},
  };
  static const EmulatedModule module{"cellcore.dll", kExports, sizeof(kExports) / sizeof(kExports[0])};
  return module;
}
