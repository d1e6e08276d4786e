// Reading the texts and data of a source's entries table.
#include "index/books/source_index_entries.h"

#include <cstring>

#include "index/tables/index_entry_reader.h"
#include "index/tables/index_table.h"
#include "storage/sources/document_source.h"

namespace {

constexpr int32_t kEntriesTable = 3;

IndexTable* OpenEntries(DocumentSource* source) {
  DocumentStream* stream = source != nullptr ? source->OpenSpecialTable(kEntriesTable, 0) : nullptr;
  if (stream == nullptr) return nullptr;
  if (stream->GetStreamKind() != kIndexTableStreamKind) {
    stream->Release();
    return nullptr;
  }
  return static_cast<IndexTable*>(stream);
}

// The position held by the entry's tag; false when it has none.
bool TagPosition(IndexTable* table, const IndexEntryRef& ref, uint32_t tag, uint32_t* position) {
  IndexEntryReader reader;
  uint32_t span = 0, perItem = 0;
  return reader.Init(table) && reader.Attach(ref) == 0 && reader.SeekTag(tag, &span, &perItem) == 0 && span != 0 &&
         reader.ReadValues(position, 1, false) == 0;
}

}  // namespace

bool ReadIndexEntryText(DocumentSource* source, SharedWideString* key, SharedWideString* text, int32_t n) {
  key->Clear();
  text->Clear();
  if (n == -1) return false;
  IndexTablePtr table;
  table.Adopt(OpenEntries(source));
  if (!table) return false;
  const IndexEntryRef ref = table->MakeEntryRef(n);
  uint32_t position = 0;
  if (ref.IsSentinel() || !table->GetLabel(ref, key) || !TagPosition(table.Get(), ref, 7, &position)) return false;
  return table->ReadLengthPrefixedText(position, text);
}

bool ReadIndexEntryData(DocumentSource* source, const SharedWideString* key, ByteBuffer* data, int32_t n) {
  data->length = 0;
  if (n == -1) return false;
  IndexTablePtr table;
  table.Adopt(OpenEntries(source));
  if (!table) return false;
  IndexEntryRef ref;
  if (key != nullptr) {
    if (!table->LookupKey(key->Chars(), key->length, &ref, true)) return false;
  } else {
    ref = table->MakeEntryRef(n);
    if (ref.IsSentinel()) return false;
  }
  uint32_t position = 0;
  const uint8_t* bytes = nullptr;
  uint32_t length = 0;
  if (!TagPosition(table.Get(), ref, 6, &position) || !table->ReadLengthPrefixedBytes(position, &bytes, &length) ||
      !data->Reserve(length)) {
    return false;
  }
  if (length != 0) std::memcpy(data->data, bytes, length);
  data->length = length;
  return true;
}
