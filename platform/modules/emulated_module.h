// What an emulated device module is: a name and a table of exports. Each
// module's file defines one of these; module_table.cpp lists them all.
#pragma once

#include "platform/types/device_types.h"

struct EmulatedExport {
  const char* name;  // ASCII export name, matched exactly as on the device
  FARPROC address;
};

struct EmulatedModule {
  const char* fileName;  // e.g. "mlang.dll", matched without case
  const EmulatedExport* exports;
  size_t exportCount;
};

// Every emulated module, in module_table.cpp.
const EmulatedModule* const* EmulatedModules(size_t* count);
