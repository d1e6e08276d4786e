// RecordStream: a document stream over records of a Palm database, one
// record (locked for the stream's life) or a run of records read across as
// one. A book source opens one for a resource number or an entry stored in
// records; the database belongs to the book, which the source keeps alive
// as long as the stream holds it.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "storage/sources/document_stream.h"

class PalmDatabase;
class RecordBuffer;

class RecordStream final : public DocumentStream {
 public:
  static constexpr int32_t kNoIndex = -1;

  // A stream over `count` records from `first`, every one of which exists;
  // null when not, when the total size passes 32 bits, or when memory runs
  // out. `index` is the resource number it was opened for (kNoIndex for a
  // stream opened by name), `name` its name (may be empty).
  static RecordStream* Create(PalmDatabase* database, uint16_t first, uint16_t count, int32_t index,
                              const SharedWideString& name);

  int32_t CompareIndex(int32_t n) override;
  int32_t CompareName(const WCHAR* name, uint32_t length) override;
  bool GetMemory(const uint8_t** pointer, uint32_t* size) override;
  uint32_t GetLength() override { return size_; }
  bool ReadRaw(uint32_t offset, void* buffer, uint32_t count) override;
  int32_t GetRecordIndex() override { return first_; }

  uint16_t FirstRecord() const { return first_; }
  uint16_t RecordCount() const { return count_; }

 private:
  RecordStream() = default;
  ~RecordStream() override;

  int32_t index_ = kNoIndex;
  SharedWideString name_;
  PalmDatabase* database_ = nullptr;
  RecordBuffer* locked_ = nullptr;  // the record, when the stream has one
  uint16_t first_ = 0;
  uint16_t count_ = 0;
  uint32_t size_ = 0;
};
