// Test control of the run-wide binding of kernel32's zone functions: after a
// reset the next conversion looks them up again (a test removes them
// through platform/testing/modules.h first).
#pragma once

namespace devtest {

void ResetTimeZoneBinding();

}  // namespace devtest
