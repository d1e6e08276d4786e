// An index request as a page makes it, over a dictionary of 200,000 English
// words (Debian's wamerican-huge list, the words code page 1252 holds, taken
// evenly) opened through the loader in a document view on a headless
// window: from DocumentView::ExecuteRequest to the index widget bound to
// its table (or to its query result), for "index_search" on the named
// table and for "sql_search" with a prefix condition. The widget is the
// tests' recording element, so the time is the view's and the index's.
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_device_root.h"
#include "browser/view/document_view.h"
#include "index/books/book_index_services.h"
#include "tests/browser/view/index_page_fakes.h"
#include "tests/support/book_builder.h"
#include "tests/support/index_builder.h"
#include "tests/support/palm_database_builder.h"
#include "tests/support/view_harness.h"

namespace {

constexpr const char* kWordList = "/usr/share/dict/american-english-huge";
constexpr uint32_t kWords = 200000;

// Words of the list that code page 1252 holds, n of them taken evenly.
std::vector<std::string> Words(uint32_t n) {
  std::ifstream in(kWordList);
  std::vector<std::string> all;
  for (std::string line; std::getline(in, line);) {
    bool ok = !line.empty();
    for (size_t i = 0; i < line.size() && ok; ++i) {
      const unsigned char c = static_cast<unsigned char>(line[i]);
      if (c < 0x80) continue;
      // Two-byte forms of U+0080 to U+00FF only.
      if ((c == 0xC2 || c == 0xC3) && i + 1 < line.size()) {
        ++i;
      } else {
        ok = false;
      }
    }
    if (ok) all.push_back(line);
  }
  std::vector<std::string> out;
  for (size_t i = 0; i < all.size() && out.size() < n; ++i)
    if ((i + 1) * n / all.size() > i * n / all.size()) out.push_back(all[i]);
  return out;
}

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// The dictionary as a book: its words as the default index, named "words"
// in the naming table.
std::vector<uint8_t> DictionaryBook() {
  std::vector<testbuild::DictionaryWord> list;
  for (const std::string& w : Words(kWords)) list.push_back({w, "d"});
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText("<html><body><p>A dictionary.</p></body></html>", 1252);
  recipe.resourceRecords = 2;
  testbuild::BuiltBook built = testbuild::BuildBook(recipe);
  const uint32_t base = testbuild::BookRecordBase(built);
  const uint32_t words =
      testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(testbuild::DictionaryIndex(list)), 0);
  testbuild::IndexRecipe naming;
  testbuild::IndexEntry name;
  name.label = Bytes("words");
  name.values[1] = {words - base};
  naming.entries = {name};
  testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(naming), 7);
  return built.Bytes();
}

struct Shown {
  indexpages::FakeIndexPageMaker maker;
  std::unique_ptr<ViewHarness> harness;
  bool ok = false;
};

Shown& Dictionary() {
  static Shown* shown = [] {
    benchroot::MakeDeviceRoot("bench_index_request");
    InstallBookIndexServices();
    Shown* s = new Shown();
    s->harness = std::make_unique<ViewHarness>();
    s->ok = s->harness->Create(240, 320) && testbuild::WriteDeviceFile(u"\\dictionary.prc", DictionaryBook()) &&
            s->harness->Open(u"\\dictionary.prc");
    return s;
  }();
  return *shown;
}

void Request(benchmark::State& state, uint16_t method, const char16_t* argument) {
  Shown& shown = Dictionary();
  if (!shown.ok) {
    state.SkipWithError("the dictionary did not open");
    return;
  }
  ScriptRequest request;
  request.methodAtom = method;
  ScriptRequestArgument first;
  first.text = SharedWideString(argument);
  request.arguments.Append(first);
  for (auto _ : state) {
    bool repaint = false;
    bool restore = true;
    if (!shown.harness->view->ExecuteRequest(request, false, &repaint, &restore, false)) {
      state.SkipWithError("the request failed");
      return;
    }
    benchmark::DoNotOptimize(shown.maker.lastWidget);
  }
  // What the last widget was bound to: the whole table, or the result's.
  const indexpages::FakeIndexWidget* widget = shown.maker.lastWidget;
  IndexTable* table = widget->table ? widget->table.Get() : (widget->result ? widget->result->Table() : nullptr);
  state.counters["entries"] = table != nullptr ? table->GetTotalEntries() : 0;
}

void IndexSearch(benchmark::State& state) { Request(state, 69, u"words"); }
void SqlSearch(benchmark::State& state) {
  Request(state, 96, u"select * from '$special_table=default' as words where orth like 'hous%'");
}

BENCHMARK(IndexSearch)->Unit(benchmark::kMillisecond);
BENCHMARK(SqlSearch)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
