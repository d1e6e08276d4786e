// The program's string table: every user-visible text by identifier, English
// under 5002-5466, French under the same identifier plus 1000.
#pragma once

#include "platform/resources/program_resources.h"

// All entries, English and French, sorted by identifier.
const StringTableEntry* ProgramStringTable(size_t* count);
