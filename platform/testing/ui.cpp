// The user-interface test control.
#include "platform/testing/ui.h"

namespace devtest {

void ResetUi() {
  ResetCursor();
  ResetModals();
}

}  // namespace devtest
