// GrowArray over the device allocator.
#include "foundation/containers/grow_array.h"

#include <cstring>

#include "platform/memory/allocator.h"

uintptr_t* GrowArray::At(uint32_t index) {
  uint64_t slot = static_cast<uint64_t>(index) + 1;
  if (slot >= capacity) {
    uint64_t grown = static_cast<uint64_t>(index) + index / 2 + 2;
    void* block = nullptr;
    if (grown <= UINT32_MAX && grown <= SIZE_MAX / sizeof(uintptr_t))
      block = DeviceRealloc(data, static_cast<size_t>(grown) * sizeof(uintptr_t));
    if (block == nullptr) {
      status.SetError(kErrorArrayGrowth);
      if (data == nullptr) return &spare_;
      data[0] = 0;
      return &data[0];
    }
    data = static_cast<uintptr_t*>(block);
    std::memset(data + capacity, 0, static_cast<size_t>(grown - capacity) * sizeof(uintptr_t));
    capacity = static_cast<uint32_t>(grown);
  }
  if (slot >= countPlusOne) countPlusOne = static_cast<uint32_t>(slot + 1);
  return &data[slot];
}

uintptr_t* GrowArray::AppendSlot() {
  uintptr_t* element = At(appendCursor);
  if (data == nullptr || element == &data[0] || element == &spare_) return element;
  ++appendCursor;
  return element;
}

void GrowArray::RemoveAt(uint32_t index) {
  uint32_t count = Count();
  if (index >= count) return;
  std::memmove(&data[index + 1], &data[index + 2], static_cast<size_t>(count - index - 1) * sizeof(uintptr_t));
  data[count] = 0;
  --countPlusOne;
  if (appendCursor > index) --appendCursor;
}

void GrowArray::Free() {
  DeviceFree(data);
  data = nullptr;
  capacity = 0;
  appendCursor = 0;
  countPlusOne = 1;
  spare_ = 0;
}
