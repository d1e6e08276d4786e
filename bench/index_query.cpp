// Look-up queries over a dictionary of English words (Debian's
// wamerican-huge list, 1252 words taken evenly to the size asked) with its
// n-gram following table, opened through the mapped store as the reader
// opens it: the time to the first entry of a query (translation included)
// and to walk its whole result forwards and backwards; the same queries by
// the sqlite3 command line over one indexed table as the peer; the cost per
// entry of a negated walk at three table sizes; translating a
// three-condition query.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_device_root.h"
#include "index/query/index_query_result.h"
#include "index/query/index_query_translator.h"
#include "tests/support/book_builder_reader.h"
#include "tests/support/fake_index_source.h"
#include "tests/support/index_builder.h"
#include "tests/support/ngram_index_builder.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kWordList = "/usr/share/dict/american-english-huge";

// Words of the list that code page 1252 holds, `n` of them taken evenly.
std::vector<std::string> Words(uint32_t n) {
  std::ifstream in(kWordList);
  std::vector<std::string> all;
  for (std::string line; std::getline(in, line);) {
    std::string latin;
    bool ok = !line.empty();
    for (size_t i = 0; i < line.size() && ok; ++i) {
      const unsigned char c = static_cast<unsigned char>(line[i]);
      if (c < 0x80) latin.push_back(static_cast<char>(c));
      else if ((c == 0xC2 || c == 0xC3) && i + 1 < line.size()) latin.push_back(static_cast<char>(((c & 0x1F) << 6) | (line[++i] & 0x3F)));
      else ok = false;
    }
    if (ok) all.push_back(line);  // kept as UTF-8 for the builder
  }
  std::vector<std::string> out;
  for (size_t i = 0; i < all.size() && out.size() < n; ++i)
    if ((i + 1) * n / all.size() > i * n / all.size()) out.push_back(all[i]);
  return out;
}

const fs::path& Root() {
  static const fs::path root = benchroot::MakeDeviceRoot("bench_index_query");
  return root;
}

struct Dictionary {
  DocumentSourcePtr source;
  std::vector<std::string> words;
  std::string sqliteFile;
};

Dictionary& OpenDictionary(uint32_t n) {
  static std::map<uint32_t, std::unique_ptr<Dictionary>> opened;
  auto& slot = opened[n];
  if (slot) return *slot;
  slot = std::make_unique<Dictionary>();
  Root();
  slot->words = Words(n);
  std::vector<testbuild::DictionaryWord> list;
  for (const std::string& w : slot->words) list.push_back({w, "d"});
  testbuild::IndexRecipe main = testbuild::DictionaryIndex(list);
  main.followingTable = true;
  testbuild::NgramOptions options;
  options.maxListValues = 15000;
  testbuild::BookRecipe spec;
  spec.text = testbuild::EncodeBookText("A dictionary.", 1252);
  testbuild::BuiltBook built = testbuild::BuildBook(spec);
  testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(main), 0);
  testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(testbuild::NgramIndex(main, options)), -1);
  const std::string name = "dictionary" + std::to_string(n) + ".corv";
  testbuild::WriteDeviceFile(std::u16string(u"\\") + std::u16string(name.begin(), name.end()), built.Bytes());
  testbuild::OpenedBook book = testbuild::OpenBookFile(std::u16string(u"\\") + std::u16string(name.begin(), name.end()));
  if (book.doc) slot->source.Adopt(testbuild::FakeIndexSource::Create(std::move(book.doc)));
  return *slot;
}

const char16_t* const kPrefix = u"select * from '$special_table=default' as words where ";

struct Query {
  const char* name;
  const char16_t* condition;
  const char* sql;  // the peer's condition, or null
};

const Query kQueries[] = {
    {"like_ab", u"orth like 'ab%'", "key like 'ab%'"},
    {"like_ing", u"orth like '%ing'", "key like '%ing'"},
    {"like_a_e", u"orth like '_a_e%'", "key like '_a_e%'"},
    {"anagram_stare", u"orth anagram_of 'stare'", nullptr},
    {"equal_or_prefix", u"orth = 'house' or orth like 'hous%'", "key = 'house' or key like 'hous%'"},
    {"not_like_a", u"not orth like 'a%'", "not key like 'a%'"},
};

IndexQueryResultPtr Run(Dictionary& d, const Query& q) {
  IndexQueryResultPtr result;
  RunIndexQuery(SharedWideString((std::u16string(kPrefix) + q.condition).c_str()), d.source.Get(), &result);
  return result;
}

void FirstEntry(benchmark::State& state, const Query* q) {
  Dictionary& d = OpenDictionary(200000);
  for (auto _ : state) {
    IndexQueryResultPtr r = Run(d, *q);
    if (!r) {
      state.SkipWithError("the query failed");
      return;
    }
    QueryPosition p;
    r->GetEntryAt(&p);
    benchmark::DoNotOptimize(p.entryNumber);
  }
}

void Walk(benchmark::State& state, const Query* q, bool backward, uint32_t size) {
  Dictionary& d = OpenDictionary(size);
  IndexQueryResultPtr r = Run(d, *q);
  if (!r) {
    state.SkipWithError("the query failed");
    return;
  }
  uint64_t entries = 0;
  for (auto _ : state) {
    QueryPosition p;
    entries = 0;
    r->Counters() = QueryWalkCounters();
    if (!backward) {
      for (r->GetEntryAt(&p); p.entryNumber >= 0; r->StepForward(&p)) ++entries;
    } else {
      r->ResolvePosition(-2, &p);
      for (r->StepBackward(&p); p.entryNumber >= 0; r->StepBackward(&p)) ++entries;
    }
  }
  state.counters["entries"] = static_cast<double>(entries);
  // Keys tested and key searches of one walk: how much of the table it saw.
  state.counters["tested"] = static_cast<double>(r->Counters().entriesTested);
  state.counters["searches"] = static_cast<double>(r->Counters().keySearches);
  state.counters["table"] = static_cast<double>(r->EntryCount());
  // Seconds per entry (shown with its SI prefix, "n" for nanoseconds).
  state.counters["per_entry"] =
      benchmark::Counter(static_cast<double>(entries) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The peer: sqlite3's own timer for the whole query, output discarded.
void Sqlite(benchmark::State& state, const Query* q) {
  Dictionary& d = OpenDictionary(200000);
  if (d.sqliteFile.empty()) {
    const fs::path db = Root() / "words.sqlite";
    const fs::path sql = Root() / "words.sql";
    {
      std::ofstream out(sql);
      out << "create table words(key text);\nbegin;\n";
      for (const std::string& w : d.words) {
        std::string quoted;
        for (char c : w) quoted += c == '\'' ? std::string("''") : std::string(1, c);
        out << "insert into words values('" << quoted << "');\n";
      }
      out << "commit;\ncreate index words_key on words(key);\n";
    }
    const std::string command = "sqlite3 " + db.string() + " < " + sql.string();
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("sqlite3 is missing");
      return;
    }
    d.sqliteFile = db.string();
  }
  const fs::path script = Root() / (std::string(q->name) + ".sql");
  {
    std::ofstream out(script);
    out << "PRAGMA case_sensitive_like=ON;\n.output /dev/null\n.timer on\nselect key from words where " << q->sql
        << " order by key;\n";
  }
  for (auto _ : state) {
    const std::string command = "sqlite3 " + d.sqliteFile + " < " + script.string() + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    double real = -1;
    char line[256];
    while (pipe != nullptr && std::fgets(line, sizeof(line), pipe) != nullptr)
      std::sscanf(line, "Run Time: real %lf", &real);
    if (pipe != nullptr) pclose(pipe);
    if (real < 0) {
      state.SkipWithError("no timer line from sqlite3");
      return;
    }
    state.SetIterationTime(real);
  }
}

void Translate(benchmark::State& state) {
  Dictionary& d = OpenDictionary(200000);
  const SharedWideString query(
      u"select * from '$special_table=default' as words where orth like 'ab%' and not orth = 'abbot' or "
      u"orth anagram_of 'stare'");
  for (auto _ : state) {
    IndexQueryResultPtr r;
    benchmark::DoNotOptimize(RunIndexQuery(query, d.source.Get(), &r));
  }
}

void PeakMemory(benchmark::State& state) {
  for (auto _ : state) {
  }
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

const bool kRegistered = [] {
  for (const Query& q : kQueries) {
    benchmark::RegisterBenchmark((std::string("FirstEntry/") + q.name).c_str(), FirstEntry, &q)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("WalkForward/") + q.name).c_str(),
                                 [](benchmark::State& s, const Query* query) { Walk(s, query, false, 200000); }, &q)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("WalkBackward/") + q.name).c_str(),
                                 [](benchmark::State& s, const Query* query) { Walk(s, query, true, 200000); }, &q)
        ->Unit(benchmark::kMillisecond);
    if (q.sql != nullptr)
      benchmark::RegisterBenchmark((std::string("Sqlite3/") + q.name).c_str(), Sqlite, &q)
          ->UseManualTime()
          ->Iterations(3)
          ->Unit(benchmark::kMillisecond);
  }
  for (uint32_t size : {50000u, 100000u, 200000u}) {
    benchmark::RegisterBenchmark(("NegatedWalkPerEntry/" + std::to_string(size)).c_str(),
                                 [size](benchmark::State& s) { Walk(s, &kQueries[5], false, size); })
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::RegisterBenchmark("TranslateThreeConditions", Translate)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("PeakMemory", PeakMemory)->Iterations(1);
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
