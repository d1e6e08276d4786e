// Switching emulated modules and single exports present or absent: test and
// fuzz builds only (tests reach it through platform/testing/modules.h).
// Every module is present with all its exports after ResetModules().
#pragma once

#ifndef TESSALYN_TEST_HOOKS
#error "the module hooks exist only in test and fuzz builds"
#endif

#include <string>

namespace devtest {

void SetModulePresent(const std::string& fileName, bool present);
void SetExportPresent(const std::string& fileName, const std::string& exportName, bool present);
int LoadedModuleCount();  // modules loaded and not yet freed
void ResetModules();

}  // namespace devtest
