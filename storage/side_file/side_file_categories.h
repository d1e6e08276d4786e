// CategoryNameSet: a set of category names in 256 buckets, each a singly
// linked list of EncodedString names; a name's bucket is the low byte of
// its hash. A side file reads its "CATE" record into such a set and writes
// a set back in bucket order (BookParameterFile::ReadCategorySet and
// WriteCategorySet).
#pragma once

#include <cstdint>

#include "foundation/encoded_string/encoded_string.h"

struct CategoryNameNode {
  CategoryNameNode* next = nullptr;
  EncodedString name;
};

class CategoryNameSet {
 public:
  static constexpr uint32_t kBucketCount = 256;

  CategoryNameSet() = default;
  ~CategoryNameSet() { Clear(); }
  CategoryNameSet(const CategoryNameSet&) = delete;
  CategoryNameSet& operator=(const CategoryNameSet&) = delete;

  // Adds a UTF-16 name unless the set holds it already (case-sensitive);
  // false on lack of memory. Empty names are not added (true).
  bool Add(const WCHAR* chars, uint32_t count);
  bool Contains(const WCHAR* chars, uint32_t count) const;
  uint32_t Count() const;
  void Clear();
  const CategoryNameNode* Bucket(uint32_t index) const { return index < kBucketCount ? buckets_[index] : nullptr; }

 private:
  static uint32_t BucketOf(const EncodedString& name) { return name.HashCode() & 0xFF; }
  static bool SameName(const EncodedString& name, const WCHAR* chars, uint32_t count);

  CategoryNameNode* buckets_[kBucketCount] = {};
};
