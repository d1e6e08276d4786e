// Dictionaries for the query tests: words (1252 text) in a dictionary index
// sorted under the case-folding key map, optionally with the n-gram
// following table right after it, opened behind the fake owner; and walks
// of a query result collected as entry numbers or labels.
#pragma once

#include <string>
#include <vector>

#include "index/query/index_query_result.h"
#include "tests/index/index_test_books.h"
#include "tests/support/ngram_index_builder.h"

namespace querytest {

struct QueryBook {
  indextest::IndexBook book;
  IndexTablePtr table;
  testbuild::IndexRecipe recipe;  // the main table as built (entries in key order)
};

inline QueryBook MakeQueryBook(const std::vector<std::string>& words, bool following, uint32_t recordBytes = 4096,
                               std::vector<indextest::IndexInBook> more = {},
                               const testbuild::NgramOptions& ngrams = testbuild::NgramOptions()) {
  std::vector<testbuild::DictionaryWord> list;
  for (const std::string& w : words) list.push_back({w, "d"});
  QueryBook q;
  q.recipe = testbuild::DictionaryIndex(list);
  q.recipe.recordBytes = recordBytes;
  q.recipe.followingTable = following;
  std::vector<indextest::IndexInBook> indexes = {{testbuild::BuildIndexRecords(q.recipe), 0}};
  if (following) indexes.push_back({testbuild::BuildIndexRecords(testbuild::NgramIndex(q.recipe, ngrams)), -1});
  for (auto& m : more) indexes.push_back(m);
  q.book = indextest::OpenIndexBook(indexes);
  q.table = q.book.Table(u"special_table=default");
  return q;
}

inline IndexQueryResult* NewResult(IndexTable* table) {
  IndexQueryResult* r = new IndexQueryResult();
  r->SetTable(table);
  return r;
}

// Entry numbers of a whole forward walk.
inline std::vector<int32_t> WalkForward(IndexQueryResult* r, QueryPosition* p = nullptr) {
  QueryPosition own;
  if (p == nullptr) p = &own;
  std::vector<int32_t> out;
  r->GetEntryAt(p);
  for (uint32_t guard = 0; p->entryNumber >= 0 && guard < 100000; ++guard) {
    out.push_back(p->entryNumber);
    r->StepForward(p);
  }
  return out;
}

// From the position a forward walk left past the end, backwards.
inline std::vector<int32_t> WalkBackward(IndexQueryResult* r, QueryPosition* p) {
  std::vector<int32_t> out;
  r->StepBackward(p);
  for (uint32_t guard = 0; p->entryNumber >= 0 && guard < 100000; ++guard) {
    out.push_back(p->entryNumber);
    r->StepBackward(p);
  }
  return out;
}

inline std::vector<std::string> Labels(IndexQueryResult* r, const std::vector<int32_t>& entries) {
  std::vector<std::string> out;
  for (int32_t n : entries) {
    SharedWideString s;
    r->GetEntryLabel(r->Table()->MakeEntryRef(n), &s);
    out.push_back(indextest::Narrow(s));
  }
  return out;
}

inline std::vector<std::string> ForwardLabels(IndexQueryResult* r) { return Labels(r, WalkForward(r)); }

}  // namespace querytest
