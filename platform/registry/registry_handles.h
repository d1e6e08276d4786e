// The open-key table of this process, as far as test control needs to see it.
#pragma once

namespace devreg {

// With RegistryMutex held: keys opened on the current device root and not
// yet closed.
int OpenKeyCountLocked();

}  // namespace devreg
