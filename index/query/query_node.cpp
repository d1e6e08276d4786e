// Query nodes and positions: ownership of their buffers.
#include "index/query/query_node.h"

#include <cstring>
#include <new>

#include "index/query/entry_list.h"
#include "index/tables/index_table.h"
#include "platform/memory/allocator.h"

QueryNode::~QueryNode() {
  ClearList();
  DeviceFree(letters.items);
  letters.items = nullptr;
  if (table != nullptr) table->Release();
  table = nullptr;
}

void QueryNode::ClearList() {
  if (lockedRecord >= 0 && table != nullptr) {
    table->EnsureCurrentStore();
    if (table->StoreGeneration() == lockGeneration) table->UnlockEntryRecord(static_cast<uint32_t>(lockedRecord));
  }
  list = nullptr;
  listLength = 0;
  listOffset = 0;
  listSpan = 0;
  lockedRecord = -1;
}

void QueryNode::FollowStore() {
  if (lockedRecord < 0 || table == nullptr) return;
  table->EnsureCurrentStore();
  if (table->StoreGeneration() == lockGeneration) return;
  // The old lock went with the old mapping; the book may even differ now,
  // so the list is cut to its sound part again.
  const uint32_t record = static_cast<uint32_t>(lockedRecord);
  lockGeneration = table->StoreGeneration();
  list = nullptr;
  listLength = 0;
  if (table->LockEntryRecord(record) < 0) {
    lockedRecord = -1;
    return;
  }
  uint32_t size = 0;
  const uint8_t* bytes = table->LockedRecordBytes(record, &size);
  if (bytes == nullptr || listOffset > size || listSpan > size - listOffset) {
    table->UnlockEntryRecord(record);
    lockedRecord = -1;
    return;
  }
  list = bytes + listOffset;
  listLength = SoundListLength(list, listSpan, listEntries);
}

QueryPosition::~QueryPosition() { DeviceFree(states_); }

QueryPosition::QueryPosition(const QueryPosition& other) { *this = other; }

QueryPosition& QueryPosition::operator=(const QueryPosition& other) {
  if (this == &other) return *this;
  entry = other.entry;
  entryNumber = other.entryNumber;
  if (other.states_ == nullptr) {
    Resize(0);
    return *this;
  }
  if (count_ != other.count_) {
    DeviceFree(states_);
    count_ = 0;
    states_ = static_cast<QueryNodeState*>(DeviceAlloc(sizeof(QueryNodeState) * other.count_));
    if (states_ == nullptr) {
      entry = IndexEntryRef::PastEnd();
      entryNumber = -2;
      return *this;
    }
    count_ = other.count_;
  }
  std::memcpy(static_cast<void*>(states_), other.states_, sizeof(QueryNodeState) * count_);
  return *this;
}

QueryPosition::QueryPosition(QueryPosition&& other) noexcept { *this = static_cast<QueryPosition&&>(other); }

QueryPosition& QueryPosition::operator=(QueryPosition&& other) noexcept {
  if (this == &other) return *this;
  DeviceFree(states_);
  states_ = other.states_;
  count_ = other.count_;
  entry = other.entry;
  entryNumber = other.entryNumber;
  other.states_ = nullptr;
  other.count_ = 0;
  return *this;
}

bool QueryPosition::Resize(uint32_t n) {
  if (n == count_ && (n == 0 || states_ != nullptr)) return true;
  DeviceFree(states_);
  states_ = nullptr;
  count_ = 0;
  if (n == 0) return true;
  states_ = static_cast<QueryNodeState*>(DeviceAlloc(sizeof(QueryNodeState) * n));
  if (states_ == nullptr) return false;
  for (uint32_t i = 0; i < n; ++i) new (&states_[i]) QueryNodeState();
  count_ = n;
  return true;
}
