// Reading the values of template fields for one entry.
#include "index/templates/entry_value_reader.h"

#include "index/templates/record_template.h"

namespace {

KeyTableLabelReader gKeyTableLabels = nullptr;

}  // namespace

void EntryValueReader::SetKeyTableLabelReader(KeyTableLabelReader reader) { gKeyTableLabels = reader; }

EntryValueReader::EntryValueReader(IndexTable* table) { Bind(table); }

EntryValueReader::~EntryValueReader() = default;

void EntryValueReader::Bind(IndexTable* table) {
  table_.Assign(table);
  links_.Init(table);
  heads_.Init(table);
  ForgetCache();
}

void EntryValueReader::ForgetCache() {
  resolved_ = IndexEntryRef::BeforeStart();
  lastAsked_ = IndexEntryRef::BeforeStart();
  itemsRead_ = -1;
  base_ = -1;
  valuesPerItem_ = -1;
  currentTag_ = -1;
}

void EntryValueReader::SetEntry(const IndexEntryRef& ref) { entry_ = ref; }

bool EntryValueReader::GetHeadWord(const IndexEntryRef& ref, bool withMark, SharedWideString* text) {
  text->Clear();
  if (!table_ || !table_->GetLabel(ref, text)) return false;
  if (heads_.Attach(ref) != 0) return true;
  uint32_t span = 0, perItem = 0, removed = 0;
  if (heads_.SeekTag(3, &span, &perItem) == 0 && span != 0) heads_.ReadValues(&removed, 1, false);
  // Never more than the label holds: an empty head word then.
  if (removed > text->length) removed = text->length;
  if (removed != 0) text->Erase(0, removed);
  if (!withMark) return true;
  uint32_t flags = 0;
  if (heads_.SeekTag(4, &span, &perItem) != 0 || span == 0 || heads_.ReadValues(&flags, 1, false) != 0) return true;
  const uint32_t n = (flags & 0x1E0) >> 5;
  if (n == 0) return true;
  static const WCHAR kSuperscripts[] = {0x00B9, 0x00B2, 0x00B3};
  if (n <= 3) return text->AppendChars(&kSuperscripts[n - 1], 1);
  WCHAR mark[8];
  uint32_t m = 0;
  mark[m++] = u' ';
  mark[m++] = u'(';
  if (n >= 10) mark[m++] = static_cast<WCHAR>(u'0' + n / 10);
  mark[m++] = static_cast<WCHAR>(u'0' + n % 10);
  mark[m++] = u')';
  return text->AppendChars(mark, m);
}

int32_t EntryValueReader::GetValue(int32_t tag, int32_t topByte, int32_t valueMode, int32_t type, int32_t headWordForm,
                                   uint32_t item, SharedWideString* text, uint32_t* number, uint32_t* second, void*,
                                   bool* done) {
  text->Clear();
  *number = 0;
  *second = 0;
  *done = false;
  if (!table_) return 1;
  if (type == FieldDescriptor::kHeadWord) {
    if (item != 0) {
      *done = true;
      return 0;
    }
    return GetHeadWord(entry_, headWordForm != 0, text) ? 0 : 1;
  }
  // The entry that carries the values, followed through its links once per
  // entry asked.
  if (lastAsked_ != entry_) {
    lastAsked_ = entry_;
    resolved_ = entry_;
    links_.FollowEntryLink(&resolved_);
    base_ = -1;
    currentTag_ = -1;
    itemsRead_ = -1;
    if (links_.Attach(resolved_) != 0) return 1;
    if (valueMode == 1) {
      uint32_t span = 0, perItem = 0, v = 0;
      if (links_.SeekTag(1, &span, &perItem) == 0 && span != 0 && links_.ReadValues(&v, 1, false) == 0) base_ = v;
    }
  }
  if (valueMode == 1 && base_ < 0) return 1;
  // Item n of the tag: continue from the last call, or seek again.
  if (currentTag_ != tag || itemsRead_ < 0 || item < static_cast<uint32_t>(itemsRead_)) {
    uint32_t span = 0, perItem = 0;
    if (links_.SeekTag(static_cast<uint32_t>(tag), &span, &perItem) != 0 || span == 0) {
      currentTag_ = -1;
      *done = true;
      return 0;
    }
    currentTag_ = tag;
    valuesPerItem_ = perItem == 0 ? 1 : static_cast<int32_t>(perItem);
    itemsRead_ = 0;
  }
  uint32_t values[8] = {};
  const uint32_t width = valuesPerItem_ > 8 ? 8 : static_cast<uint32_t>(valuesPerItem_);
  while (static_cast<uint32_t>(itemsRead_) <= item) {
    if (links_.ReadValues(values, width, true) != 0) {
      *done = true;
      return 0;
    }
    ++itemsRead_;
  }
  switch (valueMode) {
    case 1: *number = static_cast<uint32_t>(base_) + values[0]; return 0;
    case 3: *number = values[0]; return 0;
    case 4:
      *number = values[0];
      *second = values[1];
      return 0;
    case 0:
      if (type == FieldDescriptor::kNamingField) return table_->ReadLengthPrefixedText(values[0], text) ? 0 : 1;
      if (type == kKeyTableField && topByte >= 0 && gKeyTableLabels != nullptr)
        return gKeyTableLabels(topByte, values[0], text) ? 0 : 1;
      return 1;
    default: return 1;
  }
}

int32_t EntryValueReader::GetValuePacked(uint32_t packed, void* fieldList, SharedWideString* text, uint32_t* number,
                                         uint32_t* second, bool* done) {
  const int32_t tag = static_cast<int32_t>(packed & 0xFF);
  const int32_t mode = static_cast<int32_t>((packed >> 8) & 0xFF);
  const int32_t type = static_cast<int32_t>((packed >> 16) & 0xFF);
  // The top byte is signed (0xFF: none), but a key-table number runs to 254.
  const int32_t top = type == kKeyTableField ? static_cast<int32_t>(packed >> 24)
                                              : static_cast<int32_t>(static_cast<int8_t>(packed >> 24));
  return GetValue(tag, top, mode, type, 0, 0, text, number, second, fieldList, done);
}
