// The object database's string pool (see database_string_pool.h).
#include "index/database/database_string_pool.h"

#include <cstring>

#include "platform/memory/allocator.h"

namespace {

uint32_t HashUnits(const WCHAR* chars, uint32_t length) {
  uint32_t h = 2166136261u;
  for (uint32_t i = 0; i < length; ++i) {
    h ^= chars[i];
    h *= 16777619u;
  }
  return h;
}

bool SameText(const SharedWideString& s, const WCHAR* chars, uint32_t length) {
  return s.length == length && (length == 0 || std::memcmp(s.Chars(), chars, length * sizeof(WCHAR)) == 0);
}

}  // namespace

DatabaseStringPool::~DatabaseStringPool() { DeviceFree(index_); }

void DatabaseStringPool::Clear() {
  strings_.Destroy();
  counts_.Destroy();
  DeviceFree(index_);
  index_ = nullptr;
  indexSize_ = 0;
}

uint32_t* DatabaseStringPool::Slot(const WCHAR* chars, uint32_t length, uint32_t hash) {
  const uint32_t mask = indexSize_ - 1;
  for (uint32_t i = hash & mask;; i = (i + 1) & mask) {
    const uint32_t v = index_[i];
    if (v == 0 || SameText(strings_[v - 1], chars, length)) return &index_[i];
  }
}

bool DatabaseStringPool::GrowIndex() {
  const uint32_t size = indexSize_ == 0 ? 64 : indexSize_ * 2;
  uint32_t* grown = static_cast<uint32_t*>(DeviceAllocZeroed(sizeof(uint32_t) * size));
  if (grown == nullptr) return false;
  DeviceFree(index_);
  index_ = grown;
  indexSize_ = size;
  for (uint32_t i = 0; i < strings_.Count(); ++i) {
    const SharedWideString& s = strings_[i];
    *Slot(s.Chars(), s.length, HashUnits(s.Chars(), s.length)) = i + 1;
  }
  return true;
}

int32_t DatabaseStringPool::Intern(const SharedWideString& text, bool noCount) {
  // Kept below half full, so that probes stay short.
  if ((strings_.Count() + 1) * 2 > indexSize_ && !GrowIndex()) return -1;
  const uint32_t hash = HashUnits(text.Chars(), text.length);
  uint32_t* slot = Slot(text.Chars(), text.length, hash);
  if (*slot != 0) {
    const uint32_t i = *slot - 1;
    if (!noCount) ++*counts_.At(i);
    return static_cast<int32_t>(i);
  }
  // The copy is made first, so that a failure leaves the pool as it was.
  SharedWideString copy = text;
  if (!Pack(&copy)) return -1;
  const uint32_t i = strings_.Count();
  if (!strings_.Reserve(i + 1) || !counts_.Reserve(i + 1)) return -1;
  *strings_.At(i) = static_cast<SharedWideString&&>(copy);
  *counts_.At(i) = noCount ? 0 : 1;
  *slot = i + 1;
  return static_cast<int32_t>(i);
}

bool DatabaseStringPool::Pack(SharedWideString* text) {
  const bool wanted = !text->IsEmpty();
  chunks_.Pack(*text, true);
  return !wanted || !text->IsEmpty();
}

uint32_t DatabaseStringPool::CountReferenced() const {
  uint32_t n = 0;
  for (uint32_t i = 0; i < counts_.Count(); ++i) n += counts_[i] != 0 ? 1 : 0;
  return n;
}

void DatabaseStringPool::AddReference(uint32_t i) {
  if (i < counts_.Count()) ++*counts_.At(i);
}

void DatabaseStringPool::DropReference(uint32_t i) {
  if (i < counts_.Count() && counts_[i] > 0) --*counts_.At(i);
}
