// BookDocument::ParseHeader: record 0 read through the store, a compression
// word of no known kind decided from record 1, and the names decoded.
#include <cstring>

#include "foundation/code_pages/code_page.h"
#include "foundation/streams/varint.h"
#include "platform/memory/allocator.h"
#include "storage/books/book_document.h"
#include "storage/books/book_header_summary.h"
#include "storage/container/palm_database.h"
#include "storage/compression/palmdoc.h"
#include "storage/books/text_record.h"


bool BookDocument::ParseHeader() {
  header_.Reset();
  if (store_ == nullptr) return Fail(kBookErrorCorrupt);
  RecordBuffer* record0 = store_->LockRecord(0, false);
  if (record0 == nullptr) return Fail(kBookErrorCorrupt);
  uint8_t type[4], creator[4];
  std::memcpy(type, store_->Header().type, 4);
  std::memcpy(creator, store_->Header().creator, 4);
  const uint8_t* bytes = record0->GetData();
  const uint32_t size = record0->GetSize();
  int32_t code = ParseBookRecord0(type, creator, bytes, size, store_->GetRecordCount(), &header_);
  // A Palm Doc file states its text length too; it is taken as a first
  // answer only (Open), since nothing before version 3 is bound by it.
  statedTextLength_ = size >= 8 ? ReadBigEndianU32(bytes + 4) : kAbsentField;

  // Names and extra data are copied out before record 0 goes back.
  if (code == kBookOk || code == kBookErrorRecordSize) {
    if (header_.extraDataLength != 0) {
      extraData_ = static_cast<uint8_t*>(DeviceAlloc(header_.extraDataLength));
      if (extraData_ == nullptr) {
        code = kBookErrorMemory;
      } else {
        std::memcpy(extraData_, bytes + header_.extraDataOffset, header_.extraDataLength);
        extraDataLength_ = header_.extraDataLength;
      }
    }
  }
  // The names are decoded once the code page is known (Open).
  if (code == kBookOk) {
    const uint32_t nameBytes = header_.fullNameLength + header_.shortNameLength;
    if (nameBytes != 0) {
      rawNames_ = static_cast<uint8_t*>(DeviceAlloc(nameBytes));
      if (rawNames_ == nullptr) {
        code = kBookErrorMemory;
      } else {
        std::memcpy(rawNames_, bytes + header_.fullNameOffset, header_.fullNameLength);
        std::memcpy(rawNames_ + header_.fullNameLength, bytes + header_.shortNameOffset, header_.shortNameLength);
      }
    }
  }
  store_->ReleaseRecord(record0, false);
  if (code != kBookOk) return Fail(code);
  if (header_.compression == kCompressionUnknown && !DetectCompression()) return false;
  return true;
}

void BookDocument::DecodeNames() {
  if (rawNames_ != nullptr) {
    // A name that cannot be converted stays empty.
    if (!DecodeBookText(rawNames_, header_.fullNameLength, sourceCp_, &fullName_)) fullName_.Clear();
    if (!DecodeBookText(rawNames_ + header_.fullNameLength, header_.shortNameLength, sourceCp_, &shortName_))
      shortName_.Clear();
  }
  DeviceFree(rawNames_);
  rawNames_ = nullptr;
}

bool BookDocument::DetectCompression() {
  header_.compression = kCompressionNone;
  if (header_.textRecordCount == 0) return true;
  RecordBuffer* record1 = store_->LockRecord(1, false);
  if (record1 == nullptr) return Fail(kBookErrorCorrupt);
  const uint32_t size = record1->GetSize();
  const uint32_t recordSize = header_.textRecordSize;
  if (size != recordSize && size + 1 != recordSize) {
    const uint32_t decoded = PalmDocDecodedLength(record1->GetData(), size);
    if (decoded == recordSize || decoded + 1 == recordSize) header_.compression = kCompressionPalmDoc;
  }
  store_->ReleaseRecord(record1, false);
  return true;
}
