// Fuzz target: untrusted look-up query texts translated over a small
// dictionary (with its following table and a naming table) and, when they
// translate, walked forwards and backwards under a step budget. A query
// answers 0, 19 or 20; a refused one leaves no result.
//
// Input: the query text in UTF-8.
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "foundation/code_pages/code_page.h"
#include "index/query/index_query_result.h"
#include "index/query/index_query_translator.h"
#include "platform/files/files.h"
#include "platform/testing/files.h"
#include "tests/support/book_builder_reader.h"
#include "tests/support/fake_index_source.h"
#include "tests/support/index_builder.h"
#include "tests/support/ngram_index_builder.h"
#include "fuzz/temp_in_memory.h"

namespace {

constexpr const char16_t* kPath = u"\\dictionary.corv";

DocumentSource* Dictionary() {
  std::vector<testbuild::DictionaryWord> words;
  for (const char* w : {"act", "ant", "art", "Bar", "bar", "b-ar", "cab", "cart", "cat", "cot", "dog", "house",
                        "housing", "o'clock", "rat", "stare", "tar", "tears", "zoo"})
    words.push_back({w, "d"});
  testbuild::IndexRecipe main = testbuild::DictionaryIndex(words);
  main.followingTable = true;
  testbuild::BookRecipe recipe;
  recipe.text = {'D'};
  testbuild::BuiltBook book = testbuild::BuildBook(recipe);
  const uint32_t base = testbuild::BookRecordBase(book);
  const uint32_t h = testbuild::AddIndexToBook(book, testbuild::BuildIndexRecords(main), 0);
  testbuild::AddIndexToBook(book, testbuild::BuildIndexRecords(testbuild::NgramIndex(main)), -1);
  testbuild::IndexRecipe naming;
  naming.valuesPerItem[11] = 3;
  testbuild::IndexEntry field;
  field.label = {'g', 'r', 'a', 'm', 'g', 'r', 'p'};
  field.values[11] = {0, h - base, 4};
  testbuild::IndexEntry table;
  table.label = {'w', 'o', 'r', 'd', 's'};
  table.values[1] = {h - base};
  naming.entries = {field, table};
  testbuild::AddIndexToBook(book, testbuild::BuildIndexRecords(naming), 7);
  testbuild::OpenedBook opened = testbuild::OpenBookBytes(book.Bytes(), 65002, testbuild::kOpenStream, nullptr, kPath);
  return opened.doc ? testbuild::FakeIndexSource::Create(std::move(opened.doc)) : nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DocumentSource* source = [] {
    fuzzsupport::UseTempInMemory();
    devtest::UseFreshDeviceRoot();
    return Dictionary();
  }();
  if (source == nullptr || size > 4096) return 0;
  std::vector<WCHAR> units(size + 1);
  uint32_t bytes = static_cast<uint32_t>(units.size() * sizeof(WCHAR));
  if (size != 0 && ConvertFromUtf8(data, static_cast<uint32_t>(size), kCodePageUtf16, units.data(), &bytes, nullptr) !=
                       kConvertOk)
    return 0;
  SharedWideString query;
  query.FromChars(units.data(), size == 0 ? 0 : bytes / sizeof(WCHAR));
  IndexQueryResultPtr result;
  const int32_t status = RunIndexQuery(query, source, &result);
  if (status != 0 && status != 19 && status != 20) __builtin_trap();
  if (status != 0) {
    if (result) __builtin_trap();
    return 0;
  }
  const uint32_t budget = result->EntryCount() + 2;
  QueryPosition p;
  result->GetEntryAt(&p);
  uint32_t steps = 0;
  for (; p.entryNumber >= 0; result->StepForward(&p))
    if (++steps > budget) __builtin_trap();
  steps = 0;
  for (result->StepBackward(&p); p.entryNumber >= 0; result->StepBackward(&p))
    if (++steps > budget) __builtin_trap();
  return 0;
}
