// Gathers the resource tables of this folder for the platform.
#include "resources/tessalyn_resources.h"

#include "platform/resources/program_resources.h"
#include "resources/icons_data.h"
#include "resources/string_table.h"

void InstallTessalynResources() {
  ProgramResources resources;
  resources.strings = ProgramStringTable(&resources.stringCount);
  resources.resources = ProgramIconResources(&resources.resourceCount);
  InstallProgramResources(resources);
}
