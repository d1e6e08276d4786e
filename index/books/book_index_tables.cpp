// Opening a book's index tables by kind, by record and by name.
#include "index/books/book_index_tables.h"

#include "index/tables/index_entry_reader.h"
#include "index/tables/index_table.h"
#include "storage/books/book_document.h"

IndexTable* OpenBookIndexTableAt(BookDocument* book, uint32_t record) {
  if (book == nullptr || record >= 0xFFFF || book->Store() == nullptr) return nullptr;
  IndexTable* table = IndexTable::Create();
  if (table == nullptr) return nullptr;
  table->SetRecordBase(book->GetSpecialRecord(kSpecialRecordBase));
  uint16_t primary = book->GetSpecialRecord(kSpecialIndexPrimary);
  table->SetPrimaryIndexRecord(primary == 0xFFFF ? -1 : primary);
  if (table->Open(book->Store(), record) != 0) {
    table->Release();
    return nullptr;
  }
  return table;
}

IndexTable* OpenBookIndexTable(BookDocument* book, uint32_t kind) {
  if (book == nullptr) return nullptr;
  IndexTable* table = OpenBookIndexTableAt(book, book->GetSpecialRecord(kind));
  if (table != nullptr && kind == kSpecialIndexMain && book->GetSpecialRecord(kSpecialIndexInflection) != 0xFFFF) {
    table->OpenCompanion(book->Store(), book->GetSpecialRecord(kSpecialIndexInflection));
  }
  return table;
}

namespace {

// Attaches the reader to the name's entry in the naming table.
bool FindName(IndexTable* naming, IndexEntryReader* reader, const WCHAR* name, uint32_t length) {
  IndexEntryRef ref;
  if (naming == nullptr || !naming->LookupKey(name, length, &ref, false)) return false;
  return reader->Init(naming) && reader->Attach(ref) == 0;
}

int32_t FirstValue(IndexEntryReader* reader, uint32_t tag) {
  uint32_t span = 0;
  uint32_t perItem = 0;
  uint32_t v = 0;
  if (reader->SeekTag(tag, &span, &perItem) != 0 || span == 0 || reader->ReadValues(&v, 1, false) != 0) return -1;
  return static_cast<int32_t>(v);
}

}  // namespace

int32_t LookupNamedTable(const WCHAR* name, uint32_t length, IndexTable* naming, uint32_t kind) {
  IndexTablePtr hold;
  hold.Adopt(naming);
  IndexEntryReader reader;
  if (!FindName(naming, &reader, name, length)) return -1;
  int32_t value = FirstValue(&reader, kind == 2 ? 2 : 1);
  if (value < 0 && kind == 0) value = FirstValue(&reader, 2);
  return value;
}

uint32_t GetFieldKind(const WCHAR* name, uint32_t length, IndexTable* naming, uint32_t relativeRecord,
                      bool useTag7) {
  IndexTablePtr hold;
  hold.Adopt(naming);
  IndexEntryReader reader;
  if (!FindName(naming, &reader, name, length)) return 255;
  uint32_t span = 0;
  uint32_t perItem = 0;
  if (reader.SeekTag(useTag7 ? 7 : 6, &span, &perItem) != 0 || span == 0) return 255;
  uint32_t pair[2];
  while (reader.ReadValues(pair, 2, true) == 0) {
    if (pair[0] == relativeRecord) return pair[1];
  }
  return 255;
}

IndexTable* OpenBookNamedTable(BookDocument* book, const WCHAR* name, uint32_t length, uint32_t kind) {
  if (book == nullptr) return nullptr;
  IndexTablePtr naming;
  naming.Adopt(OpenBookIndexTable(book, kSpecialIndexNaming));
  IndexEntryReader reader;
  if (!FindName(naming.Get(), &reader, name, length)) return nullptr;
  int32_t value = FirstValue(&reader, kind == 2 ? 2 : 1);
  bool usedTag2 = kind == 2;
  if (value < 0 && kind == 0) {
    value = FirstValue(&reader, 2);
    usedTag2 = true;
  }
  if (value < 0) return nullptr;
  const uint32_t base = book->GetSpecialRecord(kSpecialRecordBase);
  IndexTable* table = OpenBookIndexTableAt(book, base + static_cast<uint32_t>(value));
  if (table == nullptr || !usedTag2) return table;
  uint32_t span = 0;
  uint32_t perItem = 0;
  if (reader.SeekTag(6, &span, &perItem) == 0 && span != 0) {
    uint32_t items = reader.CountItems();
    if (table->AllocateRecordMap(items)) {
      uint32_t pair[2];
      for (uint32_t i = 0; i < items && reader.ReadValues(pair, 2, true) == 0; ++i) {
        table->SetRecordMapEntry(i, pair[0] + base, pair[1]);
      }
    }
  }
  return table;
}
