// InstallShellWindows of shell_windows.h.
#include "platform/shell_windows/shell_windows.h"

#include "platform/input_panel/input_panel.h"
#include "platform/shell/display_settings.h"
#include "platform/shell/shell_calls.h"
#include "platform/shell_windows/menu_bar.h"
#include "platform/shell_windows/task_bar.h"

namespace devshellwin {
namespace {

void AnnounceOrientation() { devsip::BroadcastSettingChange(SETTINGCHANGE_RESET); }

}  // namespace

void InstallShellWindows() {
  devshell::ShellWindowHooks hooks;
  hooks.initDialog = InitDialog;
  hooks.createMenuBar = CreateMenuBar;
  hooks.fullScreen = FullScreen;
  hooks.doneButton = DoneButton;
  hooks.orientationChanged = AnnounceOrientation;
  devshell::SetShellWindowHooks(hooks);
}

void ResetShellWindows() {
  ResetTaskBar();
  devsip::ResetPanel();
  ShowPanelButtons(true);
  InstallShellWindows();
}

}  // namespace devshellwin
