// The user-interface test control.
#include "platform/testing/ui.h"

#include "platform/clipboard/clipboard.h"
#include "platform/input_panel/input_panel_hooks.h"
#include "platform/shell_windows/shell_windows.h"

namespace devtest {

void ResetUi() {
  ResetCursor();
  ResetModals();
  ResetClipboard();
  devshellwin::ResetShellWindows();
  InputPanelJournal().clear();
}

}  // namespace devtest
