// The document view as the reader uses it, on a headless window: opening a
// book to its first page painted (corv books of 100 KB, 2 MB and 10 MB, a
// 2 MB Palm Doc book from txt2pdbdoc), going to a text position near the
// start and near the end of the 10 MB book, a page turn through the view
// with its paint against the layout's own step and paint, and open/close
// cycles over two books with the live sources, streams and side files
// counted and the resident size before and after.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_device_root.h"
#include "bench/bench_process.h"
#include "browser/view/document_view.h"
#include "layout/drawing/drawing_surface.h"
#include "layout/pages/layout_context.h"
#include "resources/tessalyn_resources.h"
#include "tests/support/book_builder.h"
#include "tests/support/palm_database_builder.h"
#include "tests/support/view_harness.h"

namespace {

namespace fs = std::filesystem;

fs::path Root() {
  static const fs::path root = benchroot::MakeDeviceRoot("bench_document_view");
  return root;
}

// Prose paragraphs of about `bytes` bytes of markup.
std::string Prose(size_t bytes, uint32_t seed) {
  std::string markup = "<html><body>";
  const std::string text = testbuild::SampleText(bytes, seed, 0);
  for (size_t at = 0; at < text.size(); at += 600) markup += "<p>" + text.substr(at, 600) + "</p>\n";
  return markup + "</body></html>";
}

// The corv book of about `bytes` bytes of text at \name, written once.
std::u16string CorvBook(const char16_t* name, size_t bytes) {
  Root();
  const std::u16string path = std::u16string(u"\\") + name;
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText(Prose(bytes, static_cast<uint32_t>(bytes)), 1252);
  recipe.databaseName = "Bench book";
  testbuild::WriteDeviceFile(path, testbuild::BuildBook(recipe).Bytes());
  return path;
}

const std::u16string& Book100K() {
  static const std::u16string path = CorvBook(u"small.prc", 100 * 1024);
  return path;
}
const std::u16string& Book2M() {
  static const std::u16string path = CorvBook(u"medium.prc", 2 * 1024 * 1024);
  return path;
}
const std::u16string& Book10M() {
  static const std::u16string path = CorvBook(u"large.prc", 10 * 1024 * 1024);
  return path;
}
// The 2 MB Palm Doc book (empty when txt2pdbdoc is missing).
const std::u16string& PalmDoc2M() {
  static const std::u16string path = [] {
    const fs::path folder = Root();
    {
      std::ofstream text(folder / "prose.txt", std::ios::binary);
      text << testbuild::SampleText(2 * 1024 * 1024, 7, 0);
    }
    const std::string command = "txt2pdbdoc 'Prose' '" + (folder / "prose.txt").string() + "' '" +
                                (folder / "prose.pdb").string() + "' > /dev/null 2>&1";
    return std::system(command.c_str()) == 0 ? std::u16string(u"\\prose.pdb") : std::u16string();
  }();
  return path;
}

// One view on one window for the whole run.
ViewHarness& Harness() {
  static ViewHarness* harness = [] {
    Root();
    auto* made = new ViewHarness();
    made->Create(240, 320);
    return made;
  }();
  return *harness;
}

void OpenToFirstPage(benchmark::State& state, const std::u16string& path) {
  if (path.empty()) {
    state.SkipWithError("txt2pdbdoc is missing");
    return;
  }
  ViewHarness& harness = Harness();
  for (auto _ : state) {
    if (!harness.Open(path)) {
      state.SkipWithError("the book did not open");
      break;
    }
    harness.Paint();
    state.PauseTiming();
    harness.view->CloseCurrentDocument();
    state.ResumeTiming();
  }
}

void BM_OpenCorv100K(benchmark::State& state) { OpenToFirstPage(state, Book100K()); }
void BM_OpenCorv2M(benchmark::State& state) { OpenToFirstPage(state, Book2M()); }
void BM_OpenCorv10M(benchmark::State& state) { OpenToFirstPage(state, Book10M()); }
void BM_OpenPalmDoc2M(benchmark::State& state) { OpenToFirstPage(state, PalmDoc2M()); }
BENCHMARK(BM_OpenCorv100K)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCorv2M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCorv10M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPalmDoc2M)->Unit(benchmark::kMillisecond);

// GoToTextPosition at state.range(0) percent of the 10 MB book, from a
// freshly opened book each time (no page start known beyond the first).
void BM_GoToTextPosition10M(benchmark::State& state) {
  ViewHarness& harness = Harness();
  const std::u16string& path = Book10M();
  for (auto _ : state) {
    state.PauseTiming();
    harness.view->CloseCurrentDocument();
    harness.preferences.keepsSideFiles = false;  // every opening starts at page 1
    const bool opened = harness.Open(path);
    const uint32_t length = opened ? harness.view->GetLayout()->GetDocumentLength() : 0;
    const uint32_t target = static_cast<uint32_t>(uint64_t{length} * static_cast<uint64_t>(state.range(0)) / 100);
    state.ResumeTiming();
    if (!opened || !harness.view->GoToTextPosition(target)) {
      state.SkipWithError("no move");
      break;
    }
    harness.Paint();
  }
  harness.view->CloseCurrentDocument();
  harness.preferences.keepsSideFiles = true;
}
BENCHMARK(BM_GoToTextPosition10M)->Arg(10)->Arg(90)->Unit(benchmark::kMillisecond);

// A page turn as the user makes it: the view's step and its paint.
void BM_PageTurnThroughView(benchmark::State& state) {
  ViewHarness& harness = Harness();
  harness.preferences.keepsSideFiles = false;
  if (!harness.Open(Book2M())) {
    state.SkipWithError("the book did not open");
    return;
  }
  DocumentView& view = *harness.view;
  for (auto _ : state) {
    if (!view.GoToPageRelative(+2, 1, 255)) {
      state.PauseTiming();
      view.GoToFirstPage();
      state.ResumeTiming();
    }
    harness.Paint();
  }
  view.CloseCurrentDocument();
  harness.preferences.keepsSideFiles = true;
}
BENCHMARK(BM_PageTurnThroughView)->Unit(benchmark::kMicrosecond);

// The same turn by the layout alone: its step from the current page and
// its renderer's paint, in one drawing pass, on the same book and window.
void BM_PageTurnLayoutOnly(benchmark::State& state) {
  ViewHarness& harness = Harness();
  harness.preferences.keepsSideFiles = false;
  if (!harness.Open(Book2M())) {
    state.SkipWithError("the book did not open");
    return;
  }
  LayoutContext* layout = harness.view->GetLayout();
  for (auto _ : state) {
    harness.surface.BeginDraw(true);
    if (!layout->StepPage(layout->GetCurrentPosition(), kStepPage)) {
      state.PauseTiming();
      layout->GoToPage(1);
      state.ResumeTiming();
    }
    layout->PaintCurrentPage(0);
    harness.surface.EndDraw();
  }
  harness.view->CloseCurrentDocument();
  harness.preferences.keepsSideFiles = true;
}
BENCHMARK(BM_PageTurnLayoutOnly)->Unit(benchmark::kMicrosecond);

using benchprocess::ResidentKilobytes;

// 1,000 open/close cycles over two books (one opening each per cycle).
void BM_OpenCloseCycles(benchmark::State& state) {
  ViewHarness& harness = Harness();
  const std::u16string first = Book100K();
  const std::u16string second = Book2M();
  // Warm: the first cycles grow the caches that stay.
  for (int i = 0; i < 20; ++i) {
    harness.Open(i % 2 == 0 ? first : second);
    harness.view->CloseCurrentDocument();
  }
  const long before = ResidentKilobytes();
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) {
      harness.Open(i % 2 == 0 ? first : second);
      harness.Paint();
      harness.view->CloseCurrentDocument();
    }
  }
  state.counters["rss_before_kb"] = static_cast<double>(before);
  state.counters["rss_after_kb"] = static_cast<double>(ResidentKilobytes());
  state.counters["cached_sources"] = static_cast<double>(harness.loader.CachedCount());
  state.counters["open_side_files"] = static_cast<double>(harness.loader.SideFileCount());
}
BENCHMARK(BM_OpenCloseCycles)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  InstallTessalynResources();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
