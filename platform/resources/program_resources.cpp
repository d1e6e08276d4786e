// Holds the program's resources once they are installed at start.
#include "platform/resources/program_resources.h"

namespace {
ProgramResources g_resources;
}

void InstallProgramResources(const ProgramResources& resources) { g_resources = resources; }
const ProgramResources& InstalledProgramResources() { return g_resources; }
