// The shell's windows: gives platform/shell the menu bar, the task bar and
// the dialog sizing it asks for (ShellWindowHooks). The program's start
// calls InstallShellWindows once after InitCommonControls; the test device
// reset calls it again.
#pragma once

namespace devshellwin {

void InstallShellWindows();
// Forgets the bars and the panel (the device reset, after the windows were
// reset), then installs the hooks again.
void ResetShellWindows();

}  // namespace devshellwin
