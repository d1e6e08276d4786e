// EntryValueReader: reads the values a template's fields name for one entry:
// the head word (the label less the leading characters tag 3 removes, with
// the homograph mark of tag 4), or a tag of the entry reached through its
// links (tags 25, then 22), delivered by value mode: a stored text, a number
// with the entry's base (tag 1), one or two numbers, or the label of the
// key-table entry the value numbers.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "index/tables/index_entry_reader.h"
#include "index/tables/index_table.h"

// Reads the label of entry `number` of key table `keyTable` of the field
// list in use (the record set whose entry is being formatted); false when
// there is none or the entry cannot be read.
using KeyTableLabelReader = bool (*)(int32_t keyTable, uint32_t number, SharedWideString* out);

class EntryValueReader {
 public:
  // A descriptor type: a field of a key table, whose value numbers an entry
  // of that table (the top byte names the table in the field list).
  static constexpr int32_t kKeyTableField = 3;
  // Installed by the record sets, which hold the key tables.
  static void SetKeyTableLabelReader(KeyTableLabelReader reader);

  explicit EntryValueReader(IndexTable* table = nullptr);
  virtual ~EntryValueReader();
  virtual void SetEntry(const IndexEntryRef& ref);
  virtual IndexEntryRef GetEntry() const { return entry_; }

  void Bind(IndexTable* table);
  // 0, or 1 on failure; *done is set when the entry has no such item.
  int32_t GetValue(int32_t tag, int32_t topByte, int32_t valueMode, int32_t type, int32_t headWordForm,
                   uint32_t item, SharedWideString* text, uint32_t* number, uint32_t* second, void* fieldList,
                   bool* done);
  int32_t GetValuePacked(uint32_t packed, void* fieldList, SharedWideString* text, uint32_t* number,
                         uint32_t* second, bool* done);
  // The head word, with or without the homograph mark.
  bool GetHeadWord(const IndexEntryRef& ref, bool withMark, SharedWideString* text);
  void ForgetCache();

 private:
  IndexTablePtr table_;
  IndexEntryReader links_;
  IndexEntryReader heads_;
  IndexEntryRef entry_;
  IndexEntryRef resolved_;
  IndexEntryRef lastAsked_;
  int32_t itemsRead_ = -1;
  int64_t base_ = -1;
  int32_t valuesPerItem_ = -1;
  int32_t currentTag_ = -1;
};
