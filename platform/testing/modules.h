// Test control of the emulated device modules: every module is present with
// all its exports after ResetModules(); a test removes a module or one export.
#pragma once

#include <string>

namespace devtest {

void SetModulePresent(const std::string& fileName, bool present);
void SetExportPresent(const std::string& fileName, const std::string& exportName, bool present);
int LoadedModuleCount();  // modules loaded and not yet freed
void ResetModules();

}  // namespace devtest
