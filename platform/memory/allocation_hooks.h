// The allocator's failure schedule and counters, compiled into test and fuzz
// builds only; tests reach it through platform/testing/allocation.h.
#pragma once

#ifndef TESSALYN_TEST_HOOKS
#error "the allocation hooks exist only in test and fuzz builds"
#endif

#include <cstddef>

namespace devtest {

// Makes the n-th allocation from now fail (1 = the next one), optionally
// every one after it too.
void FailNthAllocation(long n, bool andAllAfter = false);
void StopFailingAllocations();
long AllocationCount();
long InjectedAllocationFailures();
// The largest block asked of the allocator (allocated, zeroed or
// reallocated, failed or not) since the last reset: tests of untrusted input
// check that no count from a file made a large allocation.
size_t LargestAllocation();
void ResetLargestAllocation();
void ResetAllocations();

}  // namespace devtest
