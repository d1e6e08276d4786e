// The user-interface test control.
#include "platform/testing/ui.h"

#include "platform/clipboard/clipboard.h"

namespace devtest {

void ResetUi() {
  ResetCursor();
  ResetModals();
  ResetClipboard();
}

}  // namespace devtest
