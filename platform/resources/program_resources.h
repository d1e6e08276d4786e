// The resources compiled into the program (resources/): the platform's
// resource calls (LoadStringW, dialogs, menus, icons) answer from what was
// installed here. The program's main and the test main install them once at
// start, which keeps platform/ free of a link-time dependency on resources/.
#pragma once

#include "platform/types/device_types.h"

// One string-table text. `text` is zero-terminated UTF-16; `id` is the string
// identifier (English 5002-5466, French the same plus 1000, and any others
// the program defines, such as 20000 for the window title).
struct StringTableEntry {
  UINT id;
  const WCHAR* text;
};

// Any other resource: its type (RT_ICON 3, RT_GROUP_ICON 14, ...), its
// identifier and its bytes in the device's own format (resources.h).
struct ResourceEntry {
  UINT type;
  UINT id;
  const BYTE* data;
  DWORD size;
};

struct ProgramResources {
  const StringTableEntry* strings = nullptr;  // sorted by id, ascending
  size_t stringCount = 0;
  const ResourceEntry* resources = nullptr;  // any order; (type, id) unique
  size_t resourceCount = 0;
  // Dialog templates, menus and the soft-key bar data join here.
};

void InstallProgramResources(const ProgramResources& resources);
const ProgramResources& InstalledProgramResources();
