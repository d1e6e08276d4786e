// File-backed document streams (see file_range_stream.h).
#include "browser/sources/file_range_stream.h"

#include <cstring>
#include <new>

#include "foundation/files/file_stream.h"
#include "platform/memory/allocator.h"
#include "platform/files/files.h"

namespace {

// Seeks to `at` and reads n bytes; true only when all of them came.
bool ReadFileAt(FileStream* file, uint64_t at, void* buffer, uint32_t n) {
  if (at > 0x7FFFFFFFu) return false;  // beyond what a signed seek reaches
  if (file->Seek(static_cast<int32_t>(at), FILE_BEGIN) != static_cast<uint32_t>(at)) return false;
  return file->Read(buffer, n) == n;
}

}  // namespace

FileRangeStream* FileRangeStream::Create(FileStream* file, uint32_t start, uint32_t size) {
  if (file == nullptr || DeviceAllocationShouldFail()) return nullptr;
  FileRangeStream* stream = new (std::nothrow) FileRangeStream();
  if (stream == nullptr) return nullptr;
  stream->file_ = file;
  stream->start_ = start;
  stream->size_ = size;
  return stream;
}

FileRangeStream::~FileRangeStream() { DeviceFree(memory_); }

bool FileRangeStream::GetMemory(const uint8_t** pointer, uint32_t* size) {
  *pointer = nullptr;
  *size = 0;
  if (size_ == 0) return true;
  if (memory_ == nullptr) {
    uint8_t* block = static_cast<uint8_t*>(DeviceAlloc(size_));
    if (block == nullptr) return false;
    if (!ReadFileAt(file_, start_, block, size_)) {
      DeviceFree(block);
      return false;
    }
    memory_ = block;
  }
  *pointer = memory_;
  *size = size_;
  return true;
}

bool FileRangeStream::ReadRaw(uint32_t offset, void* buffer, uint32_t count) {
  if (offset > size_ || count > size_ - offset) return false;
  if (count == 0) return true;
  if (memory_ != nullptr) {
    std::memcpy(buffer, memory_ + offset, count);
    return true;
  }
  return ReadFileAt(file_, static_cast<uint64_t>(start_) + offset, buffer, count);
}
