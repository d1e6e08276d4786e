// MemoryRecordBuffer: bounded writes into a caller's block.
#include "storage/container/record_buffer.h"

#include <cstring>

bool MemoryRecordBuffer::Write(uint32_t offset, const void* source, uint32_t count) {
  if (!RecordRangeFits(offset, count, size_) || (count != 0 && (!data_ || !source))) return false;
  if (count) std::memmove(data_ + offset, source, count);
  return true;
}
