// "ceshell.dll": present on the device and loaded by the system, which takes
// nothing from it; it exports nothing here.
#include "platform/modules/emulated_module.h"

const EmulatedModule& CeshellModule() {
  static const EmulatedModule module{"ceshell.dll", nullptr, 0};
  return module;
}
