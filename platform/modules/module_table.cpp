// Every emulated device module. A module's exports live in its own file of
// this folder; a later issue adds its module with one line here.
#include "platform/modules/emulated_module.h"

const EmulatedModule& AygshellModule();
const EmulatedModule& CellcoreModule();
const EmulatedModule& CeshellModule();
const EmulatedModule& CoredllModule();
const EmulatedModule& Kernel32Module();
const EmulatedModule& MlangModule();
const EmulatedModule& VoicectlModule();

const EmulatedModule* const* EmulatedModules(size_t* count) {
  static const EmulatedModule* const modules[] = {
      &AygshellModule(),
      &CellcoreModule(),
      &CeshellModule(),
      &CoredllModule(),
      &Kernel32Module(),
      &MlangModule(),
      &VoicectlModule(),
  };
  *count = sizeof(modules) / sizeof(modules[0]);
  return modules;
}
