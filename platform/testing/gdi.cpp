// The graphics layer's reset: its parts live beside the state they reset.
#include "platform/testing/gdi.h"

namespace devtest {

void ResetGdi() {
  ResetGdiBook();
  ResetSystemColours();
}

}  // namespace devtest
