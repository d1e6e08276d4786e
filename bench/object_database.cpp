// The object database's file: saving and loading 3 tables of rows with four
// columns (a text, a number, a byte and a pooled string drawn from 20,000
// distinct texts), at 50,000 and 100,000 rows a table, with the peak memory
// of the process.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "index/database/database.h"
#include "platform/files/device_root.h"

namespace {

namespace fs = std::filesystem;

void Root() {
  static const bool ready = [] {
    const fs::path r = fs::temp_directory_path() / ("bench_object_database_" + std::to_string(::getpid()));
    fs::create_directories(r);
    devicefs::SetRoot(r, {});
    return true;
  }();
  (void)ready;
}

DatabasePtr Make(uint32_t rows) {
  DatabasePtr d;
  d.Adopt(new Database());
  for (int t = 0; t < 3; ++t) {
    std::u16string name = u"table" + std::u16string(1, static_cast<char16_t>(u'0' + t));
    ObjectTable* table = d->GetTable(d->CreateTable(SharedWideString(name.c_str())));
    const int32_t text = table->AddColumn(SharedWideString(u"orth"), kColumnString);
    const int32_t number = table->AddColumn(SharedWideString(u"count"), kColumnUnsigned);
    const int32_t byte = table->AddColumn(SharedWideString(u"flag"), kColumnByte);
    const int32_t pooled = table->AddColumn(SharedWideString(u"tag"), kColumnPooledString);
    for (uint32_t r = 0; r < rows; ++r) {
      const int32_t row = table->AppendEmptyRow();
      const std::string word = "entry " + std::to_string(r);
      const std::u16string w(word.begin(), word.end());
      table->SetText(row, text, SharedWideString(w.c_str()));
      table->SetNumber(row, number, r * 7u);
      table->SetNumber(row, byte, r & 0xFF);
      const std::string tag = "tag " + std::to_string((r * 7919u + static_cast<uint32_t>(t)) % 20000u);
      const std::u16string g(tag.begin(), tag.end());
      table->SetText(row, pooled, SharedWideString(g.c_str()));
    }
  }
  return d;
}

void Save(benchmark::State& state) {
  Root();
  DatabasePtr d = Make(static_cast<uint32_t>(state.range(0)));
  d->SetPath(u"\\save.ebase");
  for (auto _ : state) {
    if (d->Save()) state.SkipWithError("the save failed");
  }
}

void Load(benchmark::State& state) {
  Root();
  {
    DatabasePtr d = Make(static_cast<uint32_t>(state.range(0)));
    d->SetPath(u"\\load.ebase");
    if (d->Save()) state.SkipWithError("the save failed");
  }
  for (auto _ : state) {
    DatabasePtr d;
    d.Adopt(new Database());
    d->SetPath(u"\\load.ebase");
    if (d->LoadFromFile() != 0) state.SkipWithError("the load failed");
  }
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace

BENCHMARK(Save)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(Load)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
