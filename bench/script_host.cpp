// Page scripts driving the document view: a page turn asked by a script
// (document.goto_page, compiled once and run, and as a page event compiled
// each time) against the same GoToPage called directly, on a 2 MB book in a
// headless window; and 100,000 calls of a method whose arguments do not
// match (it does nothing), with the resident size and the script values
// held before and after.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/bench_device_root.h"
#include "bench/bench_process.h"
#include "browser/view/document_view.h"
#include "browser/view/script_context.h"
#include "platform/memory/allocator.h"
#include "resources/tessalyn_resources.h"
#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler.h"
#include "script/interpreter/interpreter_builtins.h"
#include "script/interpreter/script_run.h"
#include "script/values/value_store.h"
#include "tests/support/book_builder.h"
#include "tests/support/palm_database_builder.h"
#include "tests/support/view_harness.h"

namespace {

SharedWideString Wide(const std::string& text) {
  const std::u16string wide(text.begin(), text.end());
  SharedWideString out;
  out.FromChars(reinterpret_cast<const WCHAR*>(wide.data()), static_cast<uint32_t>(wide.size()));
  return out;
}

// The view of a window with its script context, as the browser view makes
// it: the built-in globals with the view as the global object.
class ScriptedView : public DocumentView {
 public:
  ScriptContext* context = nullptr;
  ScriptContext* GetScriptContext() override { return context; }
};

struct Bench {
  ScriptValueStore store;
  ScriptContext context{&store};
  ViewHarness harness;
  ScriptedView* view = nullptr;
  bool ready = false;

  Bench() {
    benchroot::MakeDeviceRoot("bench_script_host");
    auto made = std::make_unique<ScriptedView>();
    view = made.get();
    harness.view = std::move(made);
    harness.preferences.keepsSideFiles = false;
    if (!harness.Create(240, 320)) return;
    view->context = &context;
    int32_t status = 0;
    InstallBuiltinObjects(&context.interpreter, &status, &store, &context.globalObject, view);
    if (status == 0) context.scopeChain.PushValue(&status, context.globalObject, true);
    std::string markup = "<html><body>";
    const std::string text = testbuild::SampleText(2 * 1024 * 1024, 2, 0);
    for (size_t at = 0; at < text.size(); at += 600) markup += "<p>" + text.substr(at, 600) + "</p>\n";
    markup += "</body></html>";
    testbuild::BookRecipe recipe;
    recipe.text = testbuild::EncodeBookText(markup, 1252);
    recipe.databaseName = "Bench book";
    ready = status == 0 && testbuild::WriteDeviceFile(u"\\scripted.prc", testbuild::BuildBook(recipe).Bytes()) &&
            harness.Open(u"\\scripted.prc");
  }

  // A compiled script of the text (one reference, the caller's).
  static CompiledScript* Compile(const std::string& text) {
    CompiledScript* script = DeviceNew<CompiledScript>();
    if (script == nullptr) return nullptr;
    script->AddReference();
    ScriptCompileError error;
    if (!CompileScript(Wide(text), script, &error)) {
      script->Release();
      return nullptr;
    }
    return script;
  }

  bool RunCompiled(CompiledScript* script) {
    int32_t status = 0;
    RunCompiledScript(&context.interpreter, &status, script, context.scopeChain, &store, context.globalObject, nullptr,
                      nullptr);
    return status == 0;
  }
};

Bench& TheBench() {
  static Bench* bench = new Bench();
  return *bench;
}

// Pages 2 and 3 in turn, so that every call moves.
void BM_GoToPageDirect(benchmark::State& state) {
  Bench& bench = TheBench();
  if (!bench.ready) {
    state.SkipWithError("no book");
    return;
  }
  int32_t page = 2;
  for (auto _ : state) {
    benchmark::DoNotOptimize(bench.view->GoToPage(page));
    page = page == 2 ? 3 : 2;
  }
}
BENCHMARK(BM_GoToPageDirect)->Unit(benchmark::kMicrosecond);

void BM_GoToPageThroughScript(benchmark::State& state) {
  Bench& bench = TheBench();
  CompiledScript* scripts[2] = {Bench::Compile("document.goto_page(2);"), Bench::Compile("document.goto_page(3);")};
  if (!bench.ready || scripts[0] == nullptr || scripts[1] == nullptr) {
    state.SkipWithError("no book or no script");
    return;
  }
  int which = 0;
  for (auto _ : state) {
    if (!bench.RunCompiled(scripts[which])) {
      state.SkipWithError("the script failed");
      break;
    }
    which ^= 1;
  }
  scripts[0]->Release();
  scripts[1]->Release();
}
BENCHMARK(BM_GoToPageThroughScript)->Unit(benchmark::kMicrosecond);

// As a link's onclick runs it: compiled as the event's function each time.
void BM_GoToPageThroughPageEvent(benchmark::State& state) {
  Bench& bench = TheBench();
  const SharedWideString texts[2] = {Wide("document.goto_page(2);"), Wide("document.goto_page(3);")};
  if (!bench.ready) {
    state.SkipWithError("no book");
    return;
  }
  int which = 0;
  for (auto _ : state) {
    if (!bench.view->DispatchWidgetEvent(nullptr, texts[which], Point{0, 0}, nullptr)) {
      state.SkipWithError("the event failed");
      break;
    }
    which ^= 1;
  }
}
BENCHMARK(BM_GoToPageThroughPageEvent)->Unit(benchmark::kMicrosecond);

using benchprocess::ResidentKilobytes;

// 100,000 calls of a row whose argument does not match (a text is no page
// number): nothing moves, nothing may stay behind.
void BM_NoOpRowCalls(benchmark::State& state) {
  Bench& bench = TheBench();
  CompiledScript* loop = Bench::Compile("for (var i = 0; i < 100000; i++) document.goto_page('x');");
  if (!bench.ready || loop == nullptr) {
    state.SkipWithError("no book or no script");
    return;
  }
  bench.RunCompiled(loop);  // warm
  const long before = ResidentKilobytes();
  const uint32_t strings = bench.store.ReferenceTotal(kScriptTypeString);
  const uint32_t objects = bench.store.ReferenceTotal(kScriptTypeObject);
  for (auto _ : state) {
    if (!bench.RunCompiled(loop)) {
      state.SkipWithError("the script failed");
      break;
    }
  }
  state.counters["rss_before_kb"] = static_cast<double>(before);
  state.counters["rss_after_kb"] = static_cast<double>(ResidentKilobytes());
  state.counters["string_refs_added"] =
      static_cast<double>(bench.store.ReferenceTotal(kScriptTypeString)) - static_cast<double>(strings);
  state.counters["object_refs_added"] =
      static_cast<double>(bench.store.ReferenceTotal(kScriptTypeObject)) - static_cast<double>(objects);
  loop->Release();
}
BENCHMARK(BM_NoOpRowCalls)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  InstallTessalynResources();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
