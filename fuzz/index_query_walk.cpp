// Fuzz target: query trees walked over an untrusted index. The fuzzed
// records become a book's main index and, right after it, its following
// table (the same records); a fixed set of look-up queries, and list nodes
// over the entries' own values, are each walked forwards to the end and
// backwards from there. Every walk must end within a step budget of one
// step per entry: a walk that would not move on is a fault, as is any read
// outside a record.
//
// Input: records one after another, each a big-endian u16 length and its
// bytes (the index header record first).
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "index/query/index_query_result.h"
#include "index/query/index_query_translator.h"
#include "index/tables/index_table.h"
#include "platform/files/files.h"
#include "platform/testing/files.h"
#include "tests/support/book_builder_reader.h"
#include "tests/support/fake_index_source.h"
#include "tests/support/index_builder.h"
#include "fuzz/temp_in_memory.h"

namespace {

constexpr const char16_t* kPath = u"\\fuzz.corv";

const char16_t* const kQueries[] = {
    u"select * from '$special_table=default' as t where t like 'ca%'",
    u"select * from '$special_table=default' as t where t like '%ing'",
    u"select * from '$special_table=default' as t where t like '_a_e%'",
    u"select * from '$special_table=default' as t where t not like 'a%'",
    u"select * from '$special_table=default' as t where t anagram_of 'stare'",
    u"select * from '$special_table=default' as t where t anagram_of 'ta?%1'",
    u"select * from '$special_table=default' as t where t not anagram_of 'ab'",
    u"select * from '$special_table=default' as t where t = 'house' or t like 'hous%'",
    u"select * from '$special_table=default' as t where t <> 'a' and not t like '%e%'",
    u"select * from '$special_table=default' as t, '$special_table=default' as u where t = u",
    u"select * from '$special_table=default' as t, '$special_table=default' as u where t <> u or t like 'b%'",
    u"select * from '$special_table=default' as t where t like 'a%' __qvr_bwhere t like '%a'",
    u"select * from '$special_table=default' as t __qvr_bwhere t like 'z%'",
};

// A damaged header may claim millions of entries, which "every entry"
// queries then rightly answer: walks stop after this many steps.
constexpr uint32_t kStepCap = 20000;

// Walks forwards to the end, then backwards to the start; traps when a walk
// takes more steps than the table has entries.
void Walk(IndexQueryResult* r) {
  const uint32_t budget = r->EntryCount() + 2;
  QueryPosition p;
  r->GetEntryAt(&p);
  uint32_t steps = 0;
  for (; p.entryNumber >= 0 && steps < kStepCap; r->StepForward(&p))
    if (++steps > budget) __builtin_trap();
  r->ResolvePosition(-2, &p);
  steps = 0;
  for (r->StepBackward(&p); p.entryNumber >= 0 && steps < kStepCap; r->StepBackward(&p))
    if (++steps > budget) __builtin_trap();
  for (int32_t from = 0; from < 8; ++from) r->ResolvePosition(from, &p);
}

void Exercise(DocumentSource* source, IndexTable* table) {
  for (const char16_t* q : kQueries) {
    IndexQueryResultPtr result;
    if (RunIndexQuery(SharedWideString(q), source, &result) == 0 && result) Walk(result.Get());
  }
  // Lists straight from the entries' values, as link nodes read them.
  for (int32_t n = 0; n < 4; ++n) {
    for (int32_t tag : {1, 6, 37}) {
      for (bool negate : {false, true}) {
        IndexQueryResult* r = new IndexQueryResult();
        r->SetTable(table);
        if (r->AddLinkNode(table, table->MakeEntryRef(n), tag, negate) == 0 &&
            r->AddComparison(SharedWideString(u"%a%"), 10, false) == 0 && r->AddOperator(n % 2) == 0)
          Walk(r);
        r->Release();
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = [] {
    fuzzsupport::UseTempInMemory();
    devtest::UseFreshDeviceRoot();
    return true;
  }();
  (void)ready;
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
  testbuild::BookRecipe recipe;
  recipe.text = {'F', 'u', 'z', 'z'};
  testbuild::BuiltBook book = testbuild::BuildBook(recipe);
  testbuild::AddIndexToBook(book, index, 0);
  testbuild::AddIndexToBook(book, index, -1);  // read as the following table
  testbuild::OpenedBook opened = testbuild::OpenBookBytes(book.Bytes(), 65002, testbuild::kOpenStream, nullptr, kPath);
  if (opened.doc) {
    DocumentSourcePtr source;
    source.Adopt(testbuild::FakeIndexSource::Create(std::move(opened.doc)));
    DocumentStreamPtr stream;
    source->OpenStreamByName(&stream, u"special_table=default", 21);
    if (stream && stream->GetStreamKind() == kIndexTableStreamKind)
      Exercise(source.Get(), static_cast<IndexTable*>(stream.Get()));
  }
  DeleteFileW(kPath);
  return 0;
}
