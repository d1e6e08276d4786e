// The program's own resources, compiled in as data.
#pragma once

// Hands the string tables (and later dialogs, menus, icons) to the platform.
void InstallTessalynResources();
