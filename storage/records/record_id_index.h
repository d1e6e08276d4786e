// RecordIdIndex: record indices by unique identifier for a container, so
// that a file holding thousands of records finds each one by binary search
// instead of walking the record list. The index is a cache: every answer
// is checked against the container, a stale one (records inserted or
// deleted since) makes it rebuild once, and an identifier it does not know
// is left to the container's own search. Rebuilt lazily, so opening a file
// costs nothing until the first look-up.
#pragma once

#include <cstdint>

class PalmDatabase;

class RecordIdIndex {
 public:
  RecordIdIndex() = default;
  ~RecordIdIndex() { Clear(); }
  RecordIdIndex(const RecordIdIndex&) = delete;
  RecordIdIndex& operator=(const RecordIdIndex&) = delete;

  // The index of the record with this unique identifier; false when the
  // container has none.
  bool Find(PalmDatabase* database, uint32_t id, uint16_t* index);
  void Clear();

 private:
  bool Rebuild(PalmDatabase* database);
  bool LookUp(uint32_t id, uint16_t* index) const;

  uint64_t* keys_ = nullptr;  // id << 16 | index, ascending
  uint32_t count_ = 0;
  const PalmDatabase* database_ = nullptr;
  uint32_t recordCount_ = 0;  // of the container when built
  bool fresh_ = false;
};
