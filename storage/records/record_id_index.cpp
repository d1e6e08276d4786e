// RecordIdIndex: building, checking and searching.
#include "storage/records/record_id_index.h"

#include <algorithm>
#include <new>

#include "storage/container/palm_database.h"

namespace {

bool IdAt(PalmDatabase* database, uint16_t index, uint32_t* id) {
  uint8_t attributes = 0;
  return database->GetRecordInfo(index, &attributes, id);
}

}  // namespace

void RecordIdIndex::Clear() {
  delete[] keys_;
  keys_ = nullptr;
  count_ = 0;
  database_ = nullptr;
  fresh_ = false;
}

bool RecordIdIndex::Rebuild(PalmDatabase* database) {
  Clear();
  const uint32_t n = database->GetRecordCount();
  keys_ = new (std::nothrow) uint64_t[n != 0 ? n : 1];
  if (keys_ == nullptr) return false;
  for (uint32_t i = 0; i < n; ++i) {
    uint32_t id = 0;
    if (!IdAt(database, static_cast<uint16_t>(i), &id)) {
      Clear();
      return false;
    }
    keys_[count_++] = (uint64_t{id} << 16) | i;
  }
  std::sort(keys_, keys_ + count_);
  database_ = database;
  recordCount_ = n;
  fresh_ = true;
  return true;
}

bool RecordIdIndex::LookUp(uint32_t id, uint16_t* index) const {
  const uint64_t* found = std::lower_bound(keys_, keys_ + count_, uint64_t{id} << 16);
  if (found == keys_ + count_ || (*found >> 16) != id) return false;
  *index = static_cast<uint16_t>(*found & 0xFFFFu);
  return true;
}

bool RecordIdIndex::Find(PalmDatabase* database, uint32_t id, uint16_t* index) {
  if (database_ != database || database->GetRecordCount() != recordCount_) fresh_ = false;
  uint32_t found = 0;
  uint16_t guess = 0;
  if (database_ == database && LookUp(id, &guess) && IdAt(database, guess, &found) && found == id) {
    *index = guess;
    return true;
  }
  if (!fresh_ && Rebuild(database) && LookUp(id, &guess) && IdAt(database, guess, &found) && found == id) {
    *index = guess;
    return true;
  }
  // Unknown to a fresh index, or no memory for one: the container's search.
  return database->FindByUniqueId(id, index);
}
