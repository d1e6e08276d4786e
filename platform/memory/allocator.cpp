// Allocation with injectable failure. In test builds the counters are
// process-wide atomics so worker threads may allocate; the failure schedule
// is set by tests only. Other builds allocate without counting.
#include "platform/memory/allocator.h"

#include <cstdlib>

#ifdef TESSALYN_TEST_HOOKS
#include <atomic>

#include "platform/memory/allocation_hooks.h"

namespace {
std::atomic<long> g_countdown{0};     // 0 = no failure armed
std::atomic<bool> g_failAllAfter{false};
std::atomic<bool> g_failing{false};   // latched once the countdown hit 0 with failAllAfter
std::atomic<long> g_allocations{0};
std::atomic<long> g_injectedFailures{0};
std::atomic<size_t> g_largest{0};  // the largest block asked for since the reset

void NoteSize(size_t bytes) {
  size_t largest = g_largest.load(std::memory_order_relaxed);
  while (bytes > largest && !g_largest.compare_exchange_weak(largest, bytes)) {
  }
}
}  // namespace

bool DeviceAllocationShouldFail() {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (g_failing.load(std::memory_order_relaxed)) {
    g_injectedFailures.fetch_add(1, std::memory_order_relaxed);
    return true;
  }
  long current = g_countdown.load(std::memory_order_relaxed);
  while (current > 0) {
    if (g_countdown.compare_exchange_weak(current, current - 1)) {
      if (current == 1) {
        if (g_failAllAfter.load()) g_failing.store(true);
        g_injectedFailures.fetch_add(1, std::memory_order_relaxed);
        return true;
      }
      return false;
    }
  }
  return false;
}
#define NOTE_SIZE(bytes) NoteSize(bytes)
#else
#define NOTE_SIZE(bytes) ((void)0)
#endif  // TESSALYN_TEST_HOOKS

void* DeviceAlloc(size_t bytes) {
  NOTE_SIZE(bytes);
  if (DeviceAllocationShouldFail()) return nullptr;
  return std::malloc(bytes == 0 ? 1 : bytes);
}

void* DeviceAllocZeroed(size_t bytes) {
  NOTE_SIZE(bytes);
  if (DeviceAllocationShouldFail()) return nullptr;
  return std::calloc(1, bytes == 0 ? 1 : bytes);
}

void* DeviceRealloc(void* block, size_t bytes) {
  NOTE_SIZE(bytes);
  if (DeviceAllocationShouldFail()) return nullptr;
  return std::realloc(block, bytes == 0 ? 1 : bytes);
}

void DeviceFree(void* block) { std::free(block); }

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

void FailNthAllocation(long n, bool andAllAfter) {
  g_failing.store(false);
  g_failAllAfter.store(andAllAfter);
  g_countdown.store(n > 0 ? n : 0);
}

void StopFailingAllocations() {
  g_countdown.store(0);
  g_failing.store(false);
  g_failAllAfter.store(false);
}

long AllocationCount() { return g_allocations.load(); }
long InjectedAllocationFailures() { return g_injectedFailures.load(); }
size_t LargestAllocation() { return g_largest.load(); }
void ResetLargestAllocation() { g_largest.store(0); }

void ResetAllocations() {
  StopFailingAllocations();
  g_allocations.store(0);
  g_injectedFailures.store(0);
  g_largest.store(0);
}

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
