// A DocumentStream over a host file, for the audio tests, the audiodecode
// tool and the benchmarks, until the browser's file-backed stream exists
// (which will replace it). Files of 4 GB or more are refused.
#pragma once

#include <string>
#include <vector>

#include "storage/sources/document_stream.h"

class FileDocumentStream final : public DocumentStream {
 public:
  // A new stream (one reference, the caller's) or null when the file cannot
  // be opened.
  static FileDocumentStream* Open(const std::string& path);
  ~FileDocumentStream() override;

  uint32_t GetLength() override { return length_; }
  bool ReadRaw(uint32_t offset, void* buffer, uint32_t count) override;

 private:
  FileDocumentStream(int fd, uint32_t length) : fd_(fd), length_(length) {}
  int fd_;
  uint32_t length_;
};

// A DocumentStream over bytes in memory (the fuzz target, small tests).
class MemoryDocumentStream final : public DocumentStream {
 public:
  explicit MemoryDocumentStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  uint32_t GetLength() override { return static_cast<uint32_t>(bytes_.size()); }
  bool ReadRaw(uint32_t offset, void* buffer, uint32_t count) override;
  // Reads answer false from now on (a stream whose file went away).
  void SetValid(bool valid) { valid_ = valid; }
  int32_t IsValid() override { return valid_ ? 1 : 0; }
  int reads = 0;

 private:
  std::vector<uint8_t> bytes_;
  bool valid_ = true;
};
