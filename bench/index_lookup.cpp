// Dictionary look-ups: a 200,000-key dictionary made with the index builder
// (keys under a case-folding ORDT, 4096-byte entry records) put into a book,
// opened through the mapped store as the reader opens it, and looked up by
// key: the exact look-up (header record, then one entry record, then the
// run of equal keys) and the word search that adds the inflection and
// compound steps. Reports the time per key and the records locked per
// look-up.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

#include "index/books/book_index_tables.h"
#include "index/tables/index_table.h"
#include "index/words/word_search.h"
#include "platform/files/device_root.h"
#include "tests/support/book_builder_reader.h"
#include "tests/support/index_builder.h"

namespace {

constexpr uint32_t kKeys = 200000;

const std::vector<std::u16string>& Words() {
  static const std::vector<std::u16string> words = [] {
    std::mt19937 rng(2026);
    std::set<std::string> unique;
    while (unique.size() < kKeys) {
      std::string w;
      const int length = 4 + static_cast<int>(rng() % 8);
      for (int i = 0; i < length; ++i) w.push_back(static_cast<char>('a' + rng() % 26));
      unique.insert(w);
    }
    std::vector<std::u16string> out;
    for (const std::string& w : unique) out.emplace_back(w.begin(), w.end());
    return out;
  }();
  return words;
}

struct Dictionary {
  std::unique_ptr<BookDocument> book;
  IndexTable* table = nullptr;
};

Dictionary& OpenDictionary() {
  static Dictionary dictionary = [] {
    const auto root = std::filesystem::temp_directory_path() / ("bench_index_lookup_" + std::to_string(::getpid()));
    std::filesystem::create_directories(root);
    devicefs::SetRoot(root, {});
    testbuild::IndexRecipe recipe;
    recipe.ordt = testbuild::CaseFoldingOrdt();
    uint32_t n = 0;
    for (const std::u16string& w : Words()) {
      testbuild::IndexEntry e;
      e.label.assign(w.begin(), w.end());
      e.values[1] = {n++};
      recipe.entries.push_back(std::move(e));
    }
    testbuild::BookRecipe spec;
    spec.text = testbuild::EncodeBookText("A dictionary.", 1252);
    testbuild::BuiltBook built = testbuild::BuildBook(spec);
    testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(recipe), 0);
    testbuild::WriteDeviceFile(u"\\dictionary.corv", built.Bytes());
    testbuild::OpenedBook opened = testbuild::OpenBookFile(u"\\dictionary.corv", 65002);
    Dictionary d;
    d.book = std::move(opened.doc);
    if (d.book) d.table = OpenBookIndexTable(d.book.get(), kSpecialIndexMain);
    return d;
  }();
  return dictionary;
}

// Keys in a shuffled order, so that successive look-ups land in different
// entry records as a reader's look-ups do.
const std::vector<uint32_t>& Order() {
  static const std::vector<uint32_t> order = [] {
    std::vector<uint32_t> o(kKeys);
    for (uint32_t i = 0; i < kKeys; ++i) o[i] = i;
    std::shuffle(o.begin(), o.end(), std::mt19937(7));
    return o;
  }();
  return order;
}

void LookupKey(benchmark::State& state) {
  Dictionary& d = OpenDictionary();
  if (d.table == nullptr) {
    state.SkipWithError("dictionary did not open");
    return;
  }
  const std::vector<std::u16string>& words = Words();
  const std::vector<uint32_t>& order = Order();
  size_t i = 0;
  uint64_t found = 0;
  const uint32_t loadsBefore = d.table->RecordLoads();
  for (auto _ : state) {
    const std::u16string& w = words[order[i++ % kKeys]];
    IndexEntryRef ref;
    found += d.table->LookupKey(w.data(), static_cast<uint32_t>(w.size()), &ref, false);
    benchmark::DoNotOptimize(ref);
  }
  if (found != static_cast<uint64_t>(state.iterations())) state.SkipWithError("a key was not found");
  state.counters["records_locked_per_lookup"] =
      static_cast<double>(d.table->RecordLoads() - loadsBefore) / static_cast<double>(state.iterations());
  state.counters["entry_records"] = d.table->GetEntryRecordCount();
}

void SearchWord(benchmark::State& state) {
  Dictionary& d = OpenDictionary();
  if (d.table == nullptr) {
    state.SkipWithError("dictionary did not open");
    return;
  }
  const std::vector<std::u16string>& words = Words();
  const std::vector<uint32_t>& order = Order();
  size_t i = 0;
  const uint32_t loadsBefore = d.table->RecordLoads();
  for (auto _ : state) {
    const std::u16string& w = words[order[i++ % kKeys]];
    IndexRefList list;
    benchmark::DoNotOptimize(SearchText(d.table, w.data(), static_cast<uint32_t>(w.size()), &list, WordSearchFlags()));
  }
  state.counters["records_locked_per_lookup"] =
      static_cast<double>(d.table->RecordLoads() - loadsBefore) / static_cast<double>(state.iterations());
}

}  // namespace

BENCHMARK(LookupKey)->Unit(benchmark::kMicrosecond);
BENCHMARK(SearchWord)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
