// Test control of the device allocator: make the n-th allocation from now fail
// (1 = the next one), optionally every one after it too.
#pragma once

#include "platform/memory/allocation_hooks.h"

namespace devtest {

// Arms a failure for the scope of a test block.
class AllocationFailure {
 public:
  explicit AllocationFailure(long n, bool andAllAfter = false) { FailNthAllocation(n, andAllAfter); }
  ~AllocationFailure() { StopFailingAllocations(); }
  AllocationFailure(const AllocationFailure&) = delete;
  AllocationFailure& operator=(const AllocationFailure&) = delete;
};

}  // namespace devtest
