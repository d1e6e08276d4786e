// The one allocator through which the system's own code allocates. Every call
// answers null on failure (never throws), and tests can make the n-th
// allocation fail (platform/testing/allocation.h) to check that failures roll
// back cleanly.
//
// Raw buffers: DeviceAlloc / DeviceRealloc / DeviceFree.
// Objects:     DeviceNew<T>(args...) and DeviceNewArray<T>(n), released with
//              plain delete / delete[] (they are non-throwing new underneath).
#pragma once

#include <cstddef>
#include <new>
#include <utility>

// True when an injected failure says this allocation must fail; counts the
// allocation otherwise. Called by every entry point below.
bool DeviceAllocationShouldFail();

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
