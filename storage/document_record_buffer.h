// RecordBuffer: a locked record of a database (or any block of bytes lent
// out), read and written through one small interface; and MemoryRecordBuffer,
// the form over a plain block of memory that code-page conversion and tests
// use. Whoever locked a record deletes the buffer through its virtual
// destructor to give the record back.
#pragma once

#include <cstdint>

class RecordBuffer {
 public:
  virtual ~RecordBuffer() = default;
  // Bytes for reading.
  virtual const uint8_t* GetData() = 0;
  // Ends a stretch of access; nothing to do in every implementation.
  virtual void EndAccess() {}
  // Bytes for writing; null when the record cannot be written (a mapped one).
  virtual uint8_t* GetWritableData() = 0;
  // Copies count bytes in at offset. The caller keeps offset + count within
  // the size.
  virtual void Write(uint32_t offset, const void* source, uint32_t count) = 0;
  virtual uint16_t GetRecordIndex() = 0;
  virtual uint32_t GetSize() = 0;
};

// A record over a block the caller owns: the destructor does not free it.
class MemoryRecordBuffer : public RecordBuffer {
 public:
  MemoryRecordBuffer(uint8_t* data, uint32_t size) : data_(data), size_(size) {}

  const uint8_t* GetData() override { return data_; }
  uint8_t* GetWritableData() override { return data_; }
  // Bytes that would land past the end are not written.
  void Write(uint32_t offset, const void* source, uint32_t count) override;
  uint16_t GetRecordIndex() override { return 0; }
  uint32_t GetSize() override { return size_; }

 private:
  uint8_t* data_;
  uint32_t size_;
};
