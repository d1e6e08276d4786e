// MemoryRecordBuffer: writes into the caller's block, never past its end.
#include "storage/document_record_buffer.h"

#include <cstring>

void MemoryRecordBuffer::Write(uint32_t offset, const void* source, uint32_t count) {
  if (data_ == nullptr || source == nullptr || offset >= size_) return;
  if (count > size_ - offset) count = size_ - offset;
  std::memmove(data_ + offset, source, count);
}
