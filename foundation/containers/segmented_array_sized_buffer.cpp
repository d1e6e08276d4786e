// ResizeSizedBuffer: re-creates a heap block that carries its size.
#include "foundation/containers/segmented_array_sized_buffer.h"

#include "platform/memory/allocator.h"

bool ResizeSizedBuffer(uint32_t** buffer, uint32_t n) {
  if (SizedBufferSize(*buffer) == n) return true;
  DeviceFree(*buffer);
  *buffer = nullptr;
  if (n == 0) return true;
  uint32_t* block = static_cast<uint32_t*>(DeviceAlloc(static_cast<size_t>(n) + sizeof(uint32_t)));
  if (block == nullptr) return false;
  block[0] = n;
  *buffer = block;
  return true;
}
