// FileRangeStream: a document stream over a byte range of a local file (a
// picture or audio file opened as a stream). The first GetMemory reads the
// whole range into a heap block that later reads use; before that, reads
// go to the file. The file belongs to the source that handed the stream
// out, which the stream keeps alive.
#pragma once

#include <cstdint>

#include "storage/sources/document_stream.h"

class FileStream;

class FileRangeStream final : public DocumentStream {
 public:
  // Null when memory runs out.
  static FileRangeStream* Create(FileStream* file, uint32_t start, uint32_t size);

  // The stream of resource 0: n itself.
  int32_t CompareIndex(int32_t n) override { return n; }
  bool GetMemory(const uint8_t** pointer, uint32_t* size) override;
  uint32_t GetLength() override { return size_; }
  bool ReadRaw(uint32_t offset, void* buffer, uint32_t count) override;

 private:
  FileRangeStream() = default;
  ~FileRangeStream() override;

  uint8_t* memory_ = nullptr;  // the whole range, once asked for
  uint32_t size_ = 0;
  uint32_t start_ = 0;
  FileStream* file_ = nullptr;
};
