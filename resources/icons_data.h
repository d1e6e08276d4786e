// The program's icon resources (generated into icons_data.cpp by
// icons_make.py): 126 the program's icon, 221-223 the wide-table marks
// (table, left, right); each with a 16- and a 32-pixel image.
#pragma once

#include "platform/resources/program_resources.h"

const ResourceEntry* ProgramIconResources(size_t* count);
