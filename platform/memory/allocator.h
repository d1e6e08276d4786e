// The one allocator through which the system's own code allocates. Every call
// answers null on failure (never throws). In test builds the n-th allocation
// can be made to fail (allocation_hooks.h) to check that failures roll back
// cleanly; elsewhere nothing is counted.
//
// Raw buffers: DeviceAlloc / DeviceRealloc / DeviceFree.
// Objects:     DeviceNew<T>(args...) and DeviceNewArray<T>(n), released with
//              plain delete / delete[] (they are non-throwing new underneath).
#pragma once

#include <cstddef>
#include <new>
#include <utility>

// True when an injected failure says this allocation must fail; counts the
// allocation otherwise. Called by every entry point below. Without the test
// hooks no allocation is counted and none is made to fail.
#ifdef TESSALYN_TEST_HOOKS
bool DeviceAllocationShouldFail();
#else
constexpr bool DeviceAllocationShouldFail() { return false; }
#endif

void* DeviceAlloc(size_t bytes);
void* DeviceAllocZeroed(size_t bytes);
// Like realloc: on failure the old block stays valid and null is returned.
void* DeviceRealloc(void* block, size_t bytes);
void DeviceFree(void* block);

template <class T, class... Args>
T* DeviceNew(Args&&... args) {
  if (DeviceAllocationShouldFail()) return nullptr;
  return new (std::nothrow) T(std::forward<Args>(args)...);
}

template <class T>
T* DeviceNewArray(size_t count) {
  if (DeviceAllocationShouldFail()) return nullptr;
  return new (std::nothrow) T[count];
}
