// DatabaseStringPool: the interned strings of one object database, shared by
// the pooled-string columns of all its tables. Equal texts (compared unit by
// unit, case counting) share one index; each string counts the cells that
// name it. A string whose count drops to 0 stays until the database is
// saved, which writes only the strings still named.
//
// Interning finds an equal text through a hash index kept beside the pool.
// Pooled texts are unique, so the first equal text in index order is the
// only one, and the hash answers what a search in index order would.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "foundation/wide_string/shared_wide_string_pool.h"
#include "index/records/paged_array.h"

class DatabaseStringPool {
 public:
  DatabaseStringPool() = default;
  ~DatabaseStringPool();
  DatabaseStringPool(const DatabaseStringPool&) = delete;
  DatabaseStringPool& operator=(const DatabaseStringPool&) = delete;

  // The index of the text: an equal one gains a count (unless noCount), a
  // new one is appended with count 1 (0 with noCount). -1 when memory ran
  // out.
  int32_t Intern(const SharedWideString& text, bool noCount);
  // Strings whose count is not 0.
  uint32_t CountReferenced() const;
  uint32_t Count() const { return strings_.Count(); }
  const SharedWideString& StringAt(uint32_t i) const { return strings_[i]; }
  int32_t ReferenceCount(uint32_t i) const { return counts_[i]; }
  void AddReference(uint32_t i);
  void DropReference(uint32_t i);
  void Clear();
  // Makes the text a copy of its characters in the database's shared
  // chunks (a long text gets a buffer of its own); false when a non-empty
  // text could not be copied (it is then empty).
  bool Pack(SharedWideString* text);

 private:
  bool GrowIndex();
  uint32_t* Slot(const WCHAR* chars, uint32_t length, uint32_t hash);

  // Characters of the pooled strings and of every text cell of the
  // database's tables, so that a table of short texts costs one allocation
  // per chunk instead of one per text.
  static constexpr uint32_t kChunkCharacters = 256;
  SharedWideStringPool chunks_{kChunkCharacters};
  PagedArray<SharedWideString> strings_;
  PagedArray<int32_t> counts_;
  // Open addressing: slot value i + 1 names string i, 0 is empty.
  uint32_t* index_ = nullptr;
  uint32_t indexSize_ = 0;  // a power of two, or 0
};
