// CategoryNameSet, and a side file's category list read into and written
// from such a set.
#include "storage/side_file/side_file_categories.h"

#include <cstring>

#include "foundation/containers/segmented_array.h"
#include "platform/memory/allocator.h"
#include "storage/side_file/book_parameter_file.h"

bool CategoryNameSet::SameName(const EncodedString& name, const WCHAR* chars, uint32_t count) {
  return name.ByteLength() == 2 * count && std::memcmp(name.Chars(), chars, 2 * count) == 0;
}

bool CategoryNameSet::Contains(const WCHAR* chars, uint32_t count) const {
  EncodedString probe;
  probe.FromWide(chars, static_cast<int32_t>(count));
  if (!probe.IsOk()) return false;
  for (const CategoryNameNode* node = buckets_[BucketOf(probe)]; node; node = node->next)
    if (SameName(node->name, chars, count)) return true;
  return false;
}

bool CategoryNameSet::Add(const WCHAR* chars, uint32_t count) {
  if (!chars || count == 0) return true;
  if (Contains(chars, count)) return true;
  CategoryNameNode* node = DeviceNew<CategoryNameNode>();
  if (!node) return false;
  node->name.FromWide(chars, static_cast<int32_t>(count));
  if (!node->name.IsOk()) {
    delete node;
    return false;
  }
  CategoryNameNode** slot = &buckets_[BucketOf(node->name)];
  while (*slot) slot = &(*slot)->next;
  *slot = node;
  return true;
}

uint32_t CategoryNameSet::Count() const {
  uint32_t count = 0;
  for (const CategoryNameNode* head : buckets_)
    for (const CategoryNameNode* node = head; node; node = node->next) ++count;
  return count;
}

void CategoryNameSet::Clear() {
  for (CategoryNameNode*& head : buckets_) {
    while (head) {
      CategoryNameNode* next = head->next;
      delete head;
      head = next;
    }
  }
}

RecordResult BookParameterFile::ReadCategorySet(CategoryNameSet* set) {
  uint32_t count = 0;
  const WCHAR* names = GetCategoryList(&count);
  if (!names) return RecordResult::kFailed;
  uint32_t begin = 0;
  for (uint32_t i = 0; i <= count; ++i) {
    if (i < count && names[i] != 0) continue;
    if (!set->Add(names + begin, i - begin)) return RecordResult::kFailed;
    begin = i + 1;
  }
  return RecordResult::kOk;
}

RecordResult BookParameterFile::WriteCategorySet(const CategoryNameSet& set) {
  SegmentedArray text(2);
  bool ok = true;
  for (uint32_t b = 0; b < CategoryNameSet::kBucketCount && ok; ++b) {
    for (const CategoryNameNode* node = set.Bucket(b); node && ok; node = node->next) {
      uint32_t units = node->name.ByteLength() / 2;
      ok = text.InsertAt(text.Count(), node->name.Chars(), units);
      const WCHAR separator = 0;
      ok = ok && text.Append(&separator) >= 0;
    }
  }
  if (!ok) return RecordResult::kFailed;
  uint32_t units = text.Count() == 0 ? 0 : text.Count() - 1;  // no final NUL
  WCHAR* flat = nullptr;
  if (units != 0) {
    flat = static_cast<WCHAR*>(DeviceAlloc(static_cast<size_t>(units) * sizeof(WCHAR)));
    if (!flat) return RecordResult::kFailed;
    text.ReadAt(0, flat, units);
  }
  RecordResult result = SetCategoryList(flat, units);
  DeviceFree(flat);
  return result;
}
