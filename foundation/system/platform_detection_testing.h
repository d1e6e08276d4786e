// Test control of the process-wide rotation-failed latch, which the program
// never clears.
#pragma once

namespace devtest {

void ResetRotationFailed();

}  // namespace devtest
