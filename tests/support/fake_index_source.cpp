// The fake book source of the index tests.
#include "tests/support/fake_index_source.h"

#include "foundation/wide_string/shared_wide_string.h"
#include "index/books/book_index_tables.h"
#include "index/tables/index_table.h"
#include "tests/support/book_builder_reader.h"

namespace testbuild {

namespace {

bool StartsWith(const WCHAR* text, uint32_t length, const char* prefix, uint32_t n) {
  if (length < n) return false;
  for (uint32_t i = 0; i < n; ++i)
    if (text[i] != static_cast<WCHAR>(prefix[i])) return false;
  return true;
}

}  // namespace

FakeIndexSource* FakeIndexSource::Create(std::unique_ptr<BookDocument> book) {
  return new FakeIndexSource(std::move(book));
}

FakeIndexSource::~FakeIndexSource() = default;

bool FakeIndexSource::HasSpecialTable(int32_t kind) {
  return kind >= 0 && book_->HasSpecialRecord(static_cast<uint32_t>(kind));
}

DocumentStream* FakeIndexSource::OpenSpecialTable(int32_t kind, uint32_t) {
  return kind < 0 ? nullptr : OpenBookIndexTable(book_.get(), static_cast<uint32_t>(kind));
}

DocumentStream* FakeIndexSource::OpenTableAtRecord(uint32_t record) {
  return OpenBookIndexTableAt(book_.get(), record);
}

DocumentStream* FakeIndexSource::OpenNamedTable(const WCHAR* name, uint32_t length, uint32_t argument) {
  return OpenBookNamedTable(book_.get(), name, length, argument);
}

void FakeIndexSource::OpenStreamByName(DocumentStreamPtr* out, const WCHAR* name, uint32_t length) {
  out->Clear();
  if (DocumentStream* again = FindStreamByName(name, length)) {
    out->Adopt(again);
    return;
  }
  uint32_t eq = 0;
  while (eq < length && name[eq] != u'=') ++eq;
  if (eq == length) {
    OpenAddress(out, name, length);
    return;
  }
  const WCHAR* value = name + eq + 1;
  const uint32_t valueLength = length - eq - 1;
  IndexTable* table = nullptr;
  if (StartsWith(name, length, "table=", 6)) {
    table = OpenBookNamedTable(book_.get(), value, valueLength, 0);
  } else if (StartsWith(name, length, "key_table", 9)) {
    table = OpenBookNamedTable(book_.get(), value, valueLength, 2);
  } else if (StartsWith(name, length, "tableid=", 8)) {
    uint32_t record = 0;
    if (!ParseUnsignedUnits(value, valueLength, 10, &record)) return;
    table = OpenBookIndexTableAt(book_.get(), record);
  } else if (StartsWith(name, length, "special_table=", 14)) {
    SharedWideString v;
    v.FromChars(value, valueLength);
    int32_t kind = -1;
    if (v.CompareTo(SharedWideString(u"naming")) == 0) kind = 7;
    else if (v.CompareTo(SharedWideString(u"default")) == 0) kind = 0;
    else if (v.CompareTo(SharedWideString(u"lookup_key")) == 0) kind = 9;
    if (kind < 0) return;
    table = OpenBookIndexTable(book_.get(), static_cast<uint32_t>(kind));
  }
  if (table == nullptr) return;
  table->SetDescriptorText(name, length);
  table->AttachToSource(this);
  out->Adopt(table);
}

void FakeIndexSource::OpenAddress(DocumentStreamPtr* out, const WCHAR* name, uint32_t length) {
  if (length == 0) return;
  std::u16string path(name, name + length);
  if (path[0] != u'\\') path.insert(path.begin(), u'\\');
  for (auto& [opened, source] : others_) {
    if (opened == path) {
      source->OpenStreamByName(out, u"special_table=default", 21);
      return;
    }
  }
  OpenedBook opened = OpenBookFile(path, 65002, kOpenStream);
  if (!opened.doc) return;
  DocumentSourcePtr other;
  other.Adopt(FakeIndexSource::Create(std::move(opened.doc)));
  other->OpenStreamByName(out, u"special_table=default", 21);
  others_.emplace_back(path, other);
}

}  // namespace testbuild
