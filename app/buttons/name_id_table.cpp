// NameIdTable::FindOrAdd: named entries from 8 up, at most 256 entries.
#include "app/buttons/name_id_table.h"

#include "app/environment/whole_text.h"

#include <cstring>

bool NameIdTable::EnsureCount(uint32_t count) {
  if (count > kCapacity) return false;
  if (count > count_) count_ = count;
  return true;
}

uint32_t NameIdTable::FindOrAdd(const EncodedString& name, const uint8_t* data, uint32_t length) {
  EncodedString text;
  CopyWholeTextAsUtf16(name, &text);
  if (text.IsEmpty()) return 0;
  const bool withData = data != nullptr && length >= kDataSize;
  for (uint32_t i = kFirstNamed; i < count_; ++i) {
    EncodedString& stored = entries_[i].name;
    stored.SelectAll();
    if (stored.Compare(text, false, true) == 0 && stored.ByteLength() == text.ByteLength()) {
      if (withData) std::memcpy(entries_[i].data, data, kDataSize);
      return i;
    }
  }
  const uint32_t index = count_ <= kFirstNamed ? kFirstNamed : count_;
  if (index >= kCapacity || !EnsureCount(index + 1)) return 0;
  Entry& entry = entries_[index];
  entry.value = 0;
  entry.name.Assign(text);
  if (withData) {
    std::memcpy(entry.data, data, kDataSize);
  } else {
    std::memset(entry.data, 0, kDataSize);
  }
  return index;
}
