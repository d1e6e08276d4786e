// Fuzz target: untrusted index records put into a book and read through the
// index reader: the table opened as the book's main index, its inflection
// index and its naming table (the same records), every entry stepped to, its
// label decoded, its tags walked and its texts read; keys looked up, words
// searched with inflections and compounds and through a second table,
// entries formatted through their templates. Nothing may read outside a
// record or hang.
//
// Input: records one after another, each a big-endian u16 length and its
// bytes (the index header record first).
//
// The book is put together in memory (a store of the kind the book uses for
// its decoded text), so a run touches no file: thousands of runs a second.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "index/books/book_index_tables.h"
#include "index/inflection/inflection_rules.h"
#include "index/tables/index_entry_reader.h"
#include "index/tables/index_table.h"
#include "index/templates/entry_formatter.h"
#include "index/words/word_entries.h"
#include "index/words/word_search.h"
#include "storage/books/book_document.h"
#include "storage/container/palm_database.h"
#include "storage/container/record_buffer.h"
#include "storage/container/stream_factory.h"
#include "tests/support/book_builder.h"
#include "tests/support/fake_index_source.h"
#include "tests/support/index_builder.h"

namespace {

constexpr uint32_t kInMemoryStore = 151;  // read/write, created, never saved

// The book's records copied into a store that lives in memory only.
PalmDatabase* MemoryStore(const testbuild::BuiltBook& book) {
  int32_t code = 0;
  PalmDatabase* store = OpenRecordDatabase(nullptr, kInMemoryStore, MakeFourCC("CORV"), MakeFourCC("BOOK"), &code);
  if (store == nullptr) return nullptr;
  const auto& records = book.db.Records();
  for (size_t i = 0; i < records.size(); ++i) {
    const std::vector<uint8_t>& bytes = records[i].data;
    RecordBuffer* record = store->InsertRecord(static_cast<uint16_t>(i), static_cast<uint32_t>(bytes.size()));
    if (record == nullptr) {
      delete store;
      return nullptr;
    }
    if (!bytes.empty()) std::memcpy(record->GetWritableData(), bytes.data(), bytes.size());
    store->ReleaseRecord(record, true);
  }
  return store;
}

void Exercise(IndexTable* table) {
  IndexEntryReader reader;
  reader.Init(table);
  IndexEntryRef ref = IndexEntryRef::BeforeStart();
  for (int guard = 0; guard < 300 && table->Step(&ref, 1) == 0; ++guard) {
    table->GetEntryNumber(ref);
    SharedWideString label;
    table->GetLabel(ref, &label);
    if (reader.Attach(ref) != 0) continue;
    uint32_t span = 0, perItem = 0;
    for (int tags = 0; tags < 64 && reader.NextTag(&span, &perItem) != kTagWalkEnd; ++tags) {
      uint32_t values[4];
      if (reader.ReadValues(values, 4, false) == 0) {
        SharedWideString text;
        table->ReadLengthPrefixedText(values[0], &text);
        table->ReadStoredText(values[0], values[1] & 0xFF, &text);
      }
      reader.CountItems();
    }
    IndexEntryRef link = ref;
    reader.FollowEntryLink(&link);
    uint32_t around[4];
    reader.ReadListAround(1, 5, -1, around, 4);
  }
  ref = IndexEntryRef::PastEnd();
  table->Step(&ref, -1);
  for (const char16_t* key : {u"a", u"word", u"l'ami", u"arbeitszimmer", u"\u00e9t\u00e9", u"\u4e00"}) {
    IndexEntryRef found;
    uint32_t length = 0;
    while (key[length] != 0) ++length;
    table->LookupKey(key, length, &found, true);
    IndexRefList list;
    WordSearchFlags flags;
    flags.forceCompounds = true;
    flags.restrictCompounds = true;
    SearchText(table, key, length, &list, flags);
    // The same records as second table and naming table.
    TextRangeList matches;
    bool any = false;
    table->AddRef();
    IndexTable* naming = table->OpenNamingTable();
    FindWordEntries(table, key, length, &matches, table, naming, 1, &any, true);
  }
  EntryFormatter formatter;
  IndexTablePtr naming;
  naming.Adopt(table->OpenNamingTable());
  formatter.Bind(table, naming.Get());
  for (int32_t n = 0; n < 40; ++n) {
    SharedWideString line;
    formatter.FormatEntry(&line, table->MakeEntryRef(n), u"orth", 4);
    InflectEntry(table, table->MakeEntryRef(n), 0, &line);
  }
  SharedWideString name;
  table->GetName(&name);
  table->GetLanguage();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The book around the index is the same every run: built once.
  static const testbuild::BuiltBook base = [] {
    testbuild::BookRecipe recipe;
    recipe.text = {'F', 'u', 'z', 'z'};
    recipe.language = 0x0407;
    return testbuild::BuildBook(recipe);
  }();
  if (size > (1u << 18)) return 0;
  testbuild::BuiltIndex index;
  size_t at = 0;
  while (at + 2 <= size && index.records.size() < 64) {
    size_t length = static_cast<size_t>(data[at] << 8 | data[at + 1]);
    at += 2;
    if (length > size - at) length = size - at;
    index.records.emplace_back(data + at, data + at + length);
    at += length;
  }
  if (index.records.empty()) return 0;
  testbuild::BuiltBook book = base;
  const uint32_t header = testbuild::AddIndexToBook(book, index, 0);
  // The same records serve as inflection and naming tables.
  std::vector<uint8_t>& r0 = book.Record(0);
  testbuild::PutU32BE(r0, 44, header);
  testbuild::PutU32BE(r0, 48, header);
  PalmDatabase* store = MemoryStore(book);
  if (store == nullptr) return 0;
  auto doc = std::make_unique<BookDocument>();
  if (doc->Open(store, true, nullptr, 1252, 65002) != 0) return 0;
  DocumentSourcePtr source;
  source.Adopt(testbuild::FakeIndexSource::Create(std::move(doc)));
  DocumentStreamPtr stream;
  source->OpenStreamByName(&stream, u"special_table=default", 21);
  if (stream && stream->GetStreamKind() == kIndexTableStreamKind) Exercise(static_cast<IndexTable*>(stream.Get()));
  return 0;
}
