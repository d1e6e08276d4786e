// Dynamic libraries of the device. The shell libraries the system binds at run
// time (aygshell, cellcore, voicectl, ceshell, coredll extras, Mlang,
// kernel32) are emulated: each is a table of named exports in this folder,
// listed in module_table.cpp, and tests switch modules and single exports
// present or absent (module_hooks.h). Real plug-ins are shared
// objects loaded with dlopen.
#pragma once

#include "platform/types/device_types.h"

HMODULE LoadLibraryW(LPCWSTR name);
BOOL FreeLibrary(HMODULE module);
// The device looks exports up by wide name.
FARPROC GetProcAddressW(HMODULE module, LPCWSTR name);
// The program's own module (resources, string table) for a null name.
HMODULE GetModuleHandleW(LPCWSTR name);
