// Puts the emulated device back into its default state. The test main calls
// ResetDevice() before every test; each concern of the platform adds its own
// reset to the list in reset.cpp.
#pragma once

namespace devtest {

void ResetDevice();

}  // namespace devtest
