// Test control of the emulated shell libraries (platform/shell/shell_hooks.h
// sets out the journal, the scripted answers and the reset). The OS version,
// the platform type and whether the display can rotate are fields of the
// device profile (platform/testing/profile.h).
#pragma once

#include "platform/shell/shell_hooks.h"

namespace devtest {

using devshell::ShellHoldsKey;

}  // namespace devtest
