// Script record sets walked end to end, at 25,000, 50,000 and 100,000
// entries, so that the cost per entry can be compared across sizes (it
// should stay flat): a script walking a query result over a dictionary with
// MoveNext and orth; a script adding rows to an object-database table and
// walking them with MoveNext; and the table view's GetIndexOf of every row
// in order.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_device_root.h"
#include "index/dbscript/book_data_services.h"
#include "index/dbscript/database_record_set.h"
#include "platform/memory/allocator.h"
#include "script/builtins/builtin_script_runner.h"
#include "script/host/script_host_object.h"
#include "tests/support/book_builder_reader.h"
#include "tests/support/fake_index_source.h"
#include "tests/support/index_builder.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kWordList = "/usr/share/dict/american-english-huge";

std::vector<std::string> Words(uint32_t n) {
  std::ifstream in(kWordList);
  std::vector<std::string> all;
  for (std::string line; std::getline(in, line);) {
    bool ascii = !line.empty();
    for (unsigned char c : line) ascii = ascii && c < 0x80;
    if (ascii) all.push_back(line);
  }
  std::vector<std::string> out;
  for (size_t i = 0; i < all.size() && out.size() < n; ++i)
    if ((i + 1) * n / all.size() > i * n / all.size()) out.push_back(all[i]);
  return out;
}

const fs::path& Root() {
  static const fs::path root = benchroot::MakeDeviceRoot("bench_record_set");
  return root;
}

DocumentSource* Dictionary(uint32_t n) {
  static std::map<uint32_t, DocumentSourcePtr> opened;
  DocumentSourcePtr& slot = opened[n];
  if (slot) return slot.Get();
  Root();
  std::vector<testbuild::DictionaryWord> list;
  for (const std::string& w : Words(n)) list.push_back({w, "d"});
  testbuild::BookRecipe spec;
  spec.text = testbuild::EncodeBookText("A dictionary.", 1252);
  testbuild::BuiltBook built = testbuild::BuildBook(spec);
  testbuild::AddIndexToBook(built, testbuild::BuildIndexRecords(testbuild::DictionaryIndex(list)), 0);
  const std::string name = "\\walk" + std::to_string(n) + ".corv";
  const std::u16string device(name.begin(), name.end());
  testbuild::WriteDeviceFile(device, built.Bytes());
  testbuild::OpenedBook book = testbuild::OpenBookFile(device);
  if (book.doc) slot.Adopt(testbuild::FakeIndexSource::Create(std::move(book.doc)));
  return slot.Get();
}

class BenchHost : public ScriptHostObject {
 public:
  explicit BenchHost(DocumentSource* source) : services_(source) {}
  ScriptAppEnvironment* GetAppEnvironment(int32_t, int32_t) override { return nullptr; }
  ScriptDocumentContext* GetDocumentContext() override { return nullptr; }
  ScriptDataServices* GetDataServices() override { return &services_; }

 private:
  BookDataServices services_;
};

void Discard(void*, const WCHAR*, uint32_t) {}

// Runs the script over the source; false when it failed.
bool RunScript(DocumentSource* source, const std::u16string& text) {
  ScriptProgramRunner runner(&Discard, nullptr);
  runner.SetInstructionBudget(0);
  BenchHost host(source);
  if (!runner.Ready() || !runner.PushScope(&host)) return false;
  SharedWideString script;
  script.FromChars(text.data(), static_cast<uint32_t>(text.size()));
  ScriptProgramOutcome outcome;
  return runner.Run(script, &outcome);
}

// Seconds per item of an iteration, printed with its SI prefix.
benchmark::Counter PerItem(uint32_t n) {
  return benchmark::Counter(static_cast<double>(n),
                            benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

std::u16string Wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }

void WalkQueryResult(benchmark::State& state) {
  const uint32_t n = static_cast<uint32_t>(state.range(0));
  DocumentSource* source = Dictionary(n);
  const std::u16string script = Wide(
      "var rs = sql_execute(\"select * from '$special_table=default' as words\"); var n = 0; var o;"
      "while (!rs.EOF) { o = rs.orth; rs.MoveNext(); n++; }");
  for (auto _ : state) {
    if (!RunScript(source, script)) {
      state.SkipWithError("the script failed");
      return;
    }
  }
  state.counters["time_per_entry"] = PerItem(n);
}
BENCHMARK(WalkQueryResult)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

void AddAndWalkRows(benchmark::State& state) {
  const uint32_t n = static_cast<uint32_t>(state.range(0));
  Root();
  const std::u16string script =
      Wide("var db = OpenDatabase('\\\\rows.ebase'); db.CreateTable('t'); db.AddField('t', 'n', 2);"
           "var rs = db.OpenTable('t'); for (var i = 0; i < " + std::to_string(n) +
           "; i++) { rs.AddNew(); rs.n = i; }"
           "rs.MoveFirst(); var s = 0; while (!rs.EOF) { s += rs.n; rs.MoveNext(); }");
  for (auto _ : state) {
    if (!RunScript(nullptr, script)) {
      state.SkipWithError("the script failed");
      return;
    }
  }
  state.counters["time_per_row"] = PerItem(n);
}
BENCHMARK(AddAndWalkRows)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

void IndexOfEveryRow(benchmark::State& state) {
  const uint32_t n = static_cast<uint32_t>(state.range(0));
  DatabasePtr db;
  db.Adopt(DeviceNew<Database>());
  const int32_t t = db->CreateTable(SharedWideString(u"t"));
  ObjectTable* table = db->GetTable(t);
  for (uint32_t i = 0; i < n; ++i) table->AppendEmptyRow();
  DatabaseRecordSet* set = DeviceNew<DatabaseRecordSet>(db.Get(), t);
  int64_t sum = 0;
  for (auto _ : state) {
    for (uint32_t row = 0; row < n; ++row) sum += set->GetIndexOf(RecordPosition::Of(static_cast<int32_t>(row)));
  }
  benchmark::DoNotOptimize(sum);
  set->Release();
  state.counters["time_per_row"] = PerItem(n);
}
BENCHMARK(IndexOfEveryRow)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
