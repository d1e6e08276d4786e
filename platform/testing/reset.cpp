// One line per platform concern, lowest first.
#include "platform/testing/reset.h"

#include "platform/core/last_error.h"
#include "platform/testing/allocation.h"
#include "platform/testing/files.h"
#include "platform/testing/modules.h"
#include "platform/testing/text.h"

namespace devtest {

void ResetDevice() {
  ResetAllocations();
  SetLastError(0);
  ResetModules();
  ResetCodePages();
  ResetFiles();
}

}  // namespace devtest
