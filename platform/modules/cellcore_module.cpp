// "cellcore.dll": the phone's call request (platform/shell/phone_and_voice.cpp).
#include "platform/modules/emulated_module.h"
#include "platform/shell/shell_calls.h"

namespace {

constexpr TapiRequestMakeCallProc kMakeCall = devshell::tapiRequestMakeCallW;

const EmulatedExport kExports[] = {
    {"tapiRequestMakeCallW", reinterpret_cast<FARPROC>(kMakeCall)},
};

}  // namespace

const EmulatedModule& CellcoreModule() {
  static const EmulatedModule module{"cellcore.dll", kExports, sizeof(kExports) / sizeof(kExports[0])};
  return module;
}
