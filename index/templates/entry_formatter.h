// EntryFormatter: one line of text for an index entry, as lists show it:
// the entry's record-field template (tag 5 names its stored text) compiled
// and rendered, or, without a template, its head word with the homograph
// mark. One compiled template is cached by its text position.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "index/tables/index_entry_reader.h"
#include "index/tables/index_table.h"
#include "index/templates/entry_value_reader.h"
#include "index/templates/record_template.h"

constexpr uint32_t kEntryLineLimit = 256;

class EntryFormatter {
 public:
  EntryFormatter() = default;
  // Keeps both tables (counted), binds the readers, empties the template.
  void Bind(IndexTable* table, IndexTable* naming);
  void Reset();
  bool FormatEntry(SharedWideString* text, const IndexEntryRef& ref, const WCHAR* keyField, uint32_t keyFieldLength);
  bool GetHeadWord(SharedWideString* text, const IndexEntryRef& ref);
  uint32_t Compilations() const { return compilations_; }

 private:
  WCHAR output_[kEntryLineLimit];
  uint32_t length_ = 0;
  EntryValueReader values_;
  IndexTablePtr naming_;
  IndexTablePtr table_;
  IndexEntryReader reader_;
  RecordTemplate template_;
  int64_t compiledPosition_ = -1;
  bool compileFailed_ = false;
  uint8_t hasTemplate_ = 0;
  SharedWideString tableName_;
  uint32_t compilations_ = 0;
};
