// Loading the HUFF/CDIC and DATP tables of a book once, holding their
// records until the document closes.
#include "platform/memory/allocator.h"
#include "storage/books/book_document.h"
#include "storage/documents/document_host.h"
#include "storage/container/palm_database.h"

bool BookDocument::EnsureHuffCdicTables() {
  if (header_.compression != kCompressionHuffCdic || tablesLoaded_) return true;
  // "DH" without its tables cannot be decoded.
  if (header_.huffCount < 2 || header_.huffRecord == kNoRecord16) return Fail(kBookErrorCorrupt);
  const bool slow = store_->IsSlowStore() && host_ != nullptr;
  if (slow) host_->SetStatus(kStringLoadingFromCard);
  const bool ok = LoadHuffCdicTables();
  if (slow) host_->ClearStatus();
  return ok;
}

bool BookDocument::LoadHuffCdicTables() {
  ReleaseDecoderBuffers();
  const uint32_t huff = header_.huffRecord;
  const uint32_t huffCount = header_.huffCount;
  const uint32_t records = store_->GetRecordCount();
  if (huff == kNoRecord16 || huffCount < 2 || huff >= records || huffCount > records - huff)
    return Fail(kBookErrorCorrupt);

  // The DATP record count comes from its first record.
  uint32_t datpCount = 0;
  const uint32_t datp = header_.datpRecord;
  if (datp != kNoRecord16) {
    RecordBuffer* first = store_->LockRecord(static_cast<uint16_t>(datp), false);
    if (first == nullptr) return Fail(kBookErrorCorrupt);
    const bool ok = TextOffsetTables::ReadRecordCount(first->GetData(), first->GetSize(), &datpCount);
    store_->ReleaseRecord(first, false);
    if (!ok || datp >= records || datpCount > records - datp) return Fail(kBookErrorCorrupt);
  }

  const uint32_t total = huffCount + datpCount;
  heldRecords_ = static_cast<RecordBuffer**>(DeviceAllocZeroed(sizeof(RecordBuffer*) * total));
  const uint8_t** pointers = static_cast<const uint8_t**>(DeviceAlloc(sizeof(uint8_t*) * total));
  uint32_t* sizes = static_cast<uint32_t*>(DeviceAlloc(sizeof(uint32_t) * total));
  bool ok = heldRecords_ != nullptr && pointers != nullptr && sizes != nullptr;
  int32_t failure = kBookErrorMemory;
  if (ok) {
    failure = kBookErrorCorrupt;
    ok = store_->LockRange(static_cast<uint16_t>(huff), static_cast<uint16_t>(huffCount), false, heldRecords_);
    if (ok) heldCount_ = huffCount;
  }
  if (ok && datpCount != 0) {
    ok = store_->LockRange(static_cast<uint16_t>(datp), static_cast<uint16_t>(datpCount), false,
                           heldRecords_ + huffCount);
    if (ok) heldCount_ = total;
  }
  if (ok) {
    for (uint32_t i = 0; i < total; ++i) {
      pointers[i] = heldRecords_[i]->GetData();
      sizes[i] = heldRecords_[i]->GetSize();
    }
    ok = decoder_.Init(pointers[0], sizes[0], pointers + 1, sizes + 1, huffCount - 1);
    if (ok && datpCount != 0) ok = offsets_.Init(pointers + huffCount, sizes + huffCount, datpCount);
  }
  DeviceFree(pointers);
  DeviceFree(sizes);
  if (!ok) {
    ReleaseDecoderBuffers();
    return Fail(failure);
  }
  tablesLoaded_ = true;
  return true;
}

void BookDocument::ReleaseDecoderBuffers() {
  decoder_.Reset();
  offsets_.Reset();
  for (uint32_t i = 0; i < heldCount_; ++i) {
    if (heldRecords_[i] != nullptr && store_ != nullptr) store_->ReleaseRecord(heldRecords_[i], false);
  }
  DeviceFree(heldRecords_);
  heldRecords_ = nullptr;
  heldCount_ = 0;
  tablesLoaded_ = false;
}
