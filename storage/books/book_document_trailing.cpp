// BookDocument: the trailing entries of text records held for the readers
// that look at them again and again (index entries of a position, anchors).
// A record read for its text gives its trailing data here too, so the next
// look-up finds it held; entries not in use are dropped oldest first.
#include <cstring>

#include "foundation/streams/trailing_entries.h"
#include "platform/memory/allocator.h"
#include "storage/books/book_document.h"
#include "storage/container/palm_database.h"
#include "storage/container/record_buffer.h"

namespace {

constexpr uint32_t kNoHeld = 0xFFFFFFFFu;

}  // namespace

int32_t BookDocument::FindHeld(uint32_t record) const {
  for (uint32_t i = 0; i < trailing_.Count(); ++i)
    if (HeldAt(i)->record == record) return static_cast<int32_t>(i);
  return -1;
}

void BookDocument::DropHeld(uint32_t index) {
  HeldTrailing* held = HeldAt(index);
  if (held->buffer != nullptr) {
    if (store_ != nullptr) store_->ReleaseRecord(held->buffer, false);
  } else {
    DeviceFree(const_cast<uint8_t*>(held->data));
  }
  trailing_.RemoveAt(index, 1);
}

bool BookDocument::DropOldestUnused(uint32_t except) {
  uint32_t oldest = kNoHeld;
  for (uint32_t i = 0; i < trailing_.Count(); ++i) {
    if (i == except || HeldAt(i)->useCount != 0) continue;
    if (oldest == kNoHeld || HeldAt(i)->age < HeldAt(oldest)->age) oldest = i;
  }
  if (oldest == kNoHeld) return false;
  DropHeld(oldest);
  return true;
}

void BookDocument::DropAllHeld() {
  while (trailing_.Count() != 0) DropHeld(trailing_.Count() - 1);
}

bool BookDocument::HoldsMappedTrailingInUse() const {
  for (uint32_t i = 0; i < trailing_.Count(); ++i)
    if (HeldAt(i)->buffer != nullptr && HeldAt(i)->useCount != 0) return true;
  return false;
}

int32_t BookDocument::HoldTrailingData(uint32_t record, RecordBuffer* locked, bool fromReadBlock) {
  // Only the flags above bit 0 name trailing entries.
  if (store_ == nullptr || header_.headerVersion < 6 || (header_.extraFlags & ~kExtraFlagMultibyte) == 0)
    return -1;
  const int32_t found = FindHeld(record);
  if (found >= 0) {
    if (!fromReadBlock) ++HeldAt(static_cast<uint32_t>(found))->useCount;
    return found;
  }
  if (fromReadBlock) {
    uint32_t unused = 0;
    for (uint32_t i = 0; i < trailing_.Count(); ++i) unused += HeldAt(i)->useCount == 0 ? 1 : 0;
    if (unused >= 2) DropOldestUnused(kNoHeld);
  }
  const bool slow = store_->IsSlowStore();
  // A slow store's record is copied from the lock the caller has; a fast
  // one is locked for the entry itself.
  RecordBuffer* buffer = slow && locked != nullptr ? locked : store_->LockRecord(static_cast<uint16_t>(record), false);
  if (buffer == nullptr) return -1;
  const bool ownLock = buffer != locked;
  const uint8_t* bytes = buffer->GetData();
  const uint32_t recordSize = buffer->GetSize();
  bool corrupt = false;
  const uint32_t size = bytes != nullptr ? TrailingEntriesSize(bytes, bytes + recordSize, header_.extraFlags, &corrupt) : 0;
  HeldTrailing held{bytes != nullptr ? bytes + (recordSize - size) : nullptr, slow ? nullptr : buffer, record, size, fromReadBlock ? 0u : 1u,
                    ++trailingAge_};
  bool ok = !corrupt && size != 0;
  if (ok && slow) {
    uint8_t* copy = static_cast<uint8_t*>(DeviceAlloc(size));
    if (copy != nullptr) std::memcpy(copy, held.data, size);
    held.data = copy;
    ok = copy != nullptr;
  }
  if (ok && trailing_.Append(&held) < 0) {
    if (slow) DeviceFree(const_cast<uint8_t*>(held.data));
    ok = false;
  }
  if ((!ok || slow) && ownLock) store_->ReleaseRecord(buffer, false);
  return ok ? static_cast<int32_t>(trailing_.Count() - 1) : -1;
}

bool BookDocument::GetRecordTrailingData(uint32_t position, const uint8_t** data, uint32_t* size, uint32_t* record) {
  *data = nullptr;
  *size = 0;
  *record = 0;
  uint32_t number = 0, start = 0, length = 0;
  if (!LocateTextRecord(position, &number, &start, &length)) return false;
  const int32_t index = HoldTrailingData(number, nullptr, false);
  if (index < 0) return false;
  const HeldTrailing* held = HeldAt(static_cast<uint32_t>(index));
  *data = held->data;
  *size = held->size;
  *record = number;
  return true;
}

void BookDocument::ReleaseRecordTrailingData(uint32_t record) {
  const int32_t index = FindHeld(record);
  if (index < 0) return;
  HeldTrailing* held = HeldAt(static_cast<uint32_t>(index));
  if (held->useCount == 0 || --held->useCount != 0) return;
  // At most one entry not in use stays: the older of two goes.
  uint32_t other = kNoHeld;
  for (uint32_t i = 0; i < trailing_.Count(); ++i)
    if (i != static_cast<uint32_t>(index) && HeldAt(i)->useCount == 0) other = i;
  if (other == kNoHeld) return;
  DropHeld(HeldAt(other)->age < held->age ? other : static_cast<uint32_t>(index));
}
