// RecordBuffer: a record of a Palm database (or any block of bytes) lent to
// a caller between a lock and its release. The database that made it
// deletes it in ReleaseRecord; MemoryRecordBuffer is the one kind callers
// make themselves, over a block they own.
//
// Write copies into the record's bytes and refuses (false, nothing copied)
// a range that passes the record's end, so no caller can write beyond a
// record whatever sizes it computed from a file.
#pragma once

#include <cstdint>

class RecordBuffer {
 public:
  virtual ~RecordBuffer() = default;
  // The record's bytes for reading; null only for a record of size 0 that
  // has no block.
  virtual const uint8_t* GetData() const = 0;
  // Ends an access; nothing to do for every kind of buffer.
  virtual void EndAccess() {}
  // The bytes for writing; null for a record that cannot be written (mapped).
  virtual uint8_t* GetWritableData() = 0;
  // Copies count bytes from source to offset; false (nothing copied) for a
  // record that cannot be written or when offset + count passes its size.
  virtual bool Write(uint32_t offset, const void* source, uint32_t count) = 0;
  virtual uint16_t GetRecordIndex() const = 0;
  virtual uint32_t GetSize() const = 0;
};

// A record buffer over a plain block {data, size}: readable and writable,
// record index 0. It never frees the block.
class MemoryRecordBuffer : public RecordBuffer {
 public:
  MemoryRecordBuffer(uint8_t* data, uint32_t size) : data_(data), size_(size) {}
  const uint8_t* GetData() const override { return data_; }
  uint8_t* GetWritableData() override { return data_; }
  bool Write(uint32_t offset, const void* source, uint32_t count) override;
  uint16_t GetRecordIndex() const override { return 0; }
  uint32_t GetSize() const override { return size_; }
  // Points the buffer at another block.
  void Reset(uint8_t* data, uint32_t size) {
    data_ = data;
    size_ = size;
  }

 private:
  uint8_t* data_;
  uint32_t size_;
};

// Whether [offset, offset + count) lies inside a record of `size` bytes.
inline bool RecordRangeFits(uint32_t offset, uint32_t count, uint32_t size) {
  return offset <= size && count <= size - offset;
}
