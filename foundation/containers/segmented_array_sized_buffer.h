// The sized heap buffer that travels with the segmented arrays: one heap block
// whose first 32-bit word holds the size in bytes of the data behind it. It is
// re-created, never grown: resizing drops the contents, so it serves as
// scratch room (conversion buffers, sample work buffers) that is reused while
// its size fits.
#pragma once

#include <cstddef>
#include <cstdint>

// Makes *buffer a block of n data bytes. Unchanged size (a null buffer has
// size 0): nothing happens, true. Otherwise the old block is freed; n = 0
// leaves null (true); else a new block with its size word set, or false and
// null when the allocation fails.
bool ResizeSizedBuffer(uint32_t** buffer, uint32_t n);

// Size in bytes of a sized buffer (0 for null).
inline uint32_t SizedBufferSize(const uint32_t* buffer) { return buffer == nullptr ? 0 : buffer[0]; }
// The data bytes behind the size word (4-byte aligned).
inline uint8_t* SizedBufferData(uint32_t* buffer) {
  return buffer == nullptr ? nullptr : reinterpret_cast<uint8_t*>(buffer + 1);
}
// Frees the buffer and nulls the pointer.
inline void FreeSizedBuffer(uint32_t** buffer) { ResizeSizedBuffer(buffer, 0); }
