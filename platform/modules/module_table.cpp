// Every emulated device module. A module's exports live in its own file of
// this folder; a later issue adds its module with one line here.
#include "platform/modules/emulated_module.h"

const EmulatedModule& Kernel32Module();
const EmulatedModule& MlangModule();

const EmulatedModule* const* EmulatedModules(size_t* count) {
  static const EmulatedModule* const modules[] = {
      &Kernel32Module(),
      &MlangModule(),
  };
  *count = sizeof(modules) / sizeof(modules[0]);
  return modules;
}
