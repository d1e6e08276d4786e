// Formatting index entries as one line each.
#include "index/templates/entry_formatter.h"

namespace {
const char16_t kIncorrectIdentifier[] = u"error:incorrect identifier";
}

void EntryFormatter::Bind(IndexTable* table, IndexTable* naming) {
  table_.Assign(table);
  naming_.Assign(naming);
  values_.Bind(table);
  reader_.Init(table);
  template_.Clear();
  compiledPosition_ = -1;
  compileFailed_ = false;
  tableName_.Clear();
  if (table != nullptr) table->GetName(&tableName_);
}

void EntryFormatter::Reset() {
  values_.ForgetCache();
  naming_.Clear();
  template_.Clear();
  compiledPosition_ = -1;
  compileFailed_ = false;
}

bool EntryFormatter::GetHeadWord(SharedWideString* text, const IndexEntryRef& ref) {
  return values_.GetHeadWord(ref, false, text);
}

bool EntryFormatter::FormatEntry(SharedWideString* text, const IndexEntryRef& ref, const WCHAR* keyField,
                                 uint32_t keyFieldLength) {
  text->Clear();
  auto error = [&]() {
    text->FromChars(kIncorrectIdentifier, sizeof(kIncorrectIdentifier) / sizeof(kIncorrectIdentifier[0]) - 1);
    return false;
  };
  if (!table_ || reader_.Attach(ref) != 0) return error();
  uint32_t span = 0, perItem = 0, position = 0;
  hasTemplate_ = reader_.SeekTag(5, &span, &perItem) == 0 && span != 0 && reader_.ReadValues(&position, 1, false) == 0;
  if (!hasTemplate_) return values_.GetHeadWord(ref, true, text);
  if (static_cast<int64_t>(position) != compiledPosition_) {
    // Remembered before compiling: a template that fails is not compiled
    // again, and every entry naming it shows the error.
    compiledPosition_ = position;
    compileFailed_ = true;
    ++compilations_;
    SharedWideString source;
    if (!table_->ReadLengthPrefixedText(position, &source)) return error();
    if (template_.Compile(source.Chars(), source.length, naming_.Get(), table_->GetHeaderRecordNumber(), keyField,
                          keyFieldLength, true) != 0) {
      template_.Clear();
      return error();
    }
    compileFailed_ = false;
  }
  if (compileFailed_) return error();
  values_.SetEntry(ref);
  length_ = 0;
  template_.Render(output_, &length_, kEntryLineLimit, &values_);
  return text->FromChars(output_, length_) || length_ == 0;
}
