// Going back and forward between two books in the document view, as the
// reader does on a headless window, each move followed by the paint of the
// page it shows:
//   - 10,000 navigations in cycles of six: open the other book by its
//     address, back, forward, open the first book again, back, forward.
//     Reported: the time per navigation (mean, median, 99th percentile, by
//     kind), the resident size after the warm-up (the first 1,000) and its
//     highest and last values over the rest, and, once the document is
//     closed and the history cleared, the loader's cached sources and open
//     side files, the device files still open (descriptors under the
//     device root) and still mapped: each must be zero.
//   - a back step to a page against a GoToTextPosition to the start of the
//     same page on the book opened anew, in rounds of one run (the goal:
//     the back step at most 1.5 times the other), and against the same
//     GoToTextPosition from where the back step started.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_device_root.h"
#include "bench/bench_process.h"
#include "browser/view/document_view.h"
#include "layout/pages/layout_context.h"
#include "resources/tessalyn_resources.h"
#include "tests/support/book_builder.h"
#include "tests/support/view_harness.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

fs::path Root() {
  static const fs::path root = benchroot::MakeDeviceRoot("bench_navigation_history");
  return root;
}

std::string Prose(size_t bytes, uint32_t seed) {
  std::string markup = "<html><body>";
  const std::string text = testbuild::SampleText(bytes, seed, 0);
  for (size_t at = 0; at < text.size(); at += 600) markup += "<p>" + text.substr(at, 600) + "</p>\n";
  return markup + "</body></html>";
}

std::u16string CorvBook(const char16_t* name, size_t bytes, const char* title) {
  Root();
  const std::u16string path = std::u16string(u"\\") + name;
  testbuild::BookRecipe recipe;
  recipe.text = testbuild::EncodeBookText(Prose(bytes, static_cast<uint32_t>(bytes)), 1252);
  recipe.databaseName = title;
  testbuild::WriteDeviceFile(path, testbuild::BuildBook(recipe).Bytes());
  return path;
}

const std::u16string& FirstBook() {
  static const std::u16string path = CorvBook(u"first.prc", 2 * 1024 * 1024, "First book");
  return path;
}
const std::u16string& SecondBook() {
  static const std::u16string path = CorvBook(u"second.prc", 512 * 1024, "Second book");
  return path;
}

ViewHarness& Harness() {
  static ViewHarness* harness = [] {
    Root();
    auto* made = new ViewHarness();
    made->Create(240, 320);
    return made;
  }();
  return *harness;
}

using benchprocess::ResidentKilobytes;

// Descriptors of this process open on files under the device root.
int OpenDeviceFiles() {
  const std::string root = fs::canonical(Root()).string();
  int count = 0;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/proc/self/fd", error)) {
    std::error_code readError;
    const fs::path target = fs::read_symlink(entry.path(), readError);
    if (!readError && target.string().rfind(root, 0) == 0) ++count;
  }
  return count;
}

// Mappings of this process of files under the device root.
int MappedDeviceFiles() {
  const std::string root = fs::canonical(Root()).string();
  std::ifstream maps("/proc/self/maps");
  int count = 0;
  for (std::string line; std::getline(maps, line);)
    if (line.find(root) != std::string::npos) ++count;
  return count;
}

double Percentile(std::vector<double> values, double q) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[static_cast<size_t>(q * static_cast<double>(values.size() - 1) + 0.5)];
}

double Mean(const std::vector<double>& values) {
  double sum = 0;
  for (double v : values) sum += v;
  return values.empty() ? 0 : sum / static_cast<double>(values.size());
}

void BM_NavigateTwoBooks(benchmark::State& state) {
  constexpr int kNavigations = 10000;
  constexpr int kWarmUp = 1000;
  ViewHarness& harness = Harness();
  const std::u16string& first = FirstBook();
  const std::u16string& second = SecondBook();
  DocumentView& view = *harness.view;
  const int filesBefore = OpenDeviceFiles();
  for (auto _ : state) {
    if (!harness.Open(first)) {
      state.SkipWithError("the first book did not open");
      return;
    }
    harness.Paint();
    std::vector<double> opens, backs, forwards, all;
    long warmRss = 0, highestRss = 0;
    int failures = 0;
    int wrongBook = 0;
    for (int n = 0; n < kNavigations; ++n) {
      const int step = n % 6;
      const std::u16string& expected = (step == 0 || step == 2 || step == 4) ? second : first;
      const Clock::time_point start = Clock::now();
      bool ok = false;
      switch (step) {
        case 0: ok = harness.Open(second); break;
        case 3: ok = harness.Open(first); break;
        case 1:
        case 4: ok = view.GoBack(false); break;
        default: ok = view.GoForward(); break;
      }
      harness.Paint();
      const double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
      if (!ok) ++failures;
      if (std::u16string(reinterpret_cast<const char16_t*>(view.GetLocation().url.text.Chars()),
                         view.GetLocation().url.text.length) != expected)
        ++wrongBook;
      all.push_back(us);
      (step == 0 || step == 3 ? opens : step == 1 || step == 4 ? backs : forwards).push_back(us);
      if (n + 1 == kWarmUp) warmRss = ResidentKilobytes();
      if (n + 1 > kWarmUp && (n + 1) % 500 == 0) highestRss = std::max(highestRss, ResidentKilobytes());
    }
    const long lastRss = ResidentKilobytes();
    view.CloseCurrentDocument();
    view.ClearHistory();
    state.counters["nav_mean_us"] = Mean(all);
    state.counters["nav_median_us"] = Percentile(all, 0.5);
    state.counters["nav_p99_us"] = Percentile(all, 0.99);
    state.counters["open_median_us"] = Percentile(opens, 0.5);
    state.counters["back_median_us"] = Percentile(backs, 0.5);
    state.counters["forward_median_us"] = Percentile(forwards, 0.5);
    state.counters["failures"] = failures;
    state.counters["wrong_book"] = wrongBook;
    state.counters["rss_warm_kb"] = static_cast<double>(warmRss);
    state.counters["rss_highest_kb"] = static_cast<double>(highestRss);
    state.counters["rss_last_kb"] = static_cast<double>(lastRss);
    state.counters["closed_cached_sources"] = harness.loader.CachedCount();
    state.counters["closed_side_files"] = harness.loader.SideFileCount();
    state.counters["closed_open_files"] = OpenDeviceFiles() - filesBefore;
    state.counters["closed_mapped_files"] = MappedDeviceFiles();
  }
}
BENCHMARK(BM_NavigateTwoBooks)->Iterations(1)->Unit(benchmark::kMillisecond);

// A back step against a GoToTextPosition to the same page, on the first
// book: page P (at range(0) percent of the text) was shown, then page Q
// (at range(1) percent). Timed, with the paint of the page:
//   back:   from Q, GoBack to P;
//   fresh:  on the book opened anew (page 1, no page start known beyond
//           it), GoToTextPosition to P's first character;
//   from Q: from Q again, GoToTextPosition to P's first character.
// In rounds: ten fresh moves, then the book opened once more, P and Q
// shown, and ten back steps each with a move from Q. The first back step
// of a round is the first state saved at Q since the opening (it reads the
// book again from its first page); it is reported apart. The goal: the
// back step at most 1.5 times the fresh move. Every move must show P.
void BM_BackAgainstGoToTextPosition(benchmark::State& state) {
  constexpr int kPerRound = 10;
  ViewHarness& harness = Harness();
  harness.preferences.keepsSideFiles = false;  // every opening starts at page 1
  DocumentView& view = *harness.view;
  const std::u16string& book = FirstBook();
  auto openAtFirstPage = [&] {
    view.CloseCurrentDocument();
    view.ClearHistory();
    const bool opened = harness.Open(book);
    harness.Paint();
    return opened;
  };
  if (!openAtFirstPage()) {
    state.SkipWithError("the book did not open");
    return;
  }
  const uint32_t length = view.GetLayout()->GetDocumentLength();
  const uint32_t p = static_cast<uint32_t>(uint64_t{length} * static_cast<uint64_t>(state.range(0)) / 100);
  const uint32_t q = static_cast<uint32_t>(uint64_t{length} * static_cast<uint64_t>(state.range(1)) / 100);
  view.GoToTextPosition(p);
  harness.Paint();
  const uint32_t pageStart = static_cast<uint32_t>(view.GetCurrentPosition());
  auto timed = [&](auto move) {
    const Clock::time_point start = Clock::now();
    move();
    harness.Paint();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
  };
  std::vector<double> backs, firstBacks, freshes, fromQ;
  int misses = 0;
  for (auto _ : state) {
    for (int i = 0; i < kPerRound; ++i) {
      if (!openAtFirstPage()) {
        state.SkipWithError("the book did not open again");
        return;
      }
      freshes.push_back(timed([&] { view.GoToTextPosition(pageStart); }));
      misses += static_cast<uint32_t>(view.GetCurrentPosition()) != pageStart;
    }
    // Now at P on the book opened anew.
    for (int i = 0; i < kPerRound; ++i) {
      view.GoToTextPosition(q);
      harness.Paint();
      const double back = timed([&] { view.GoBack(false); });
      (i == 0 ? firstBacks : backs).push_back(back);
      misses += static_cast<uint32_t>(view.GetCurrentPosition()) != pageStart;
      view.GoToTextPosition(q);
      harness.Paint();
      fromQ.push_back(timed([&] { view.GoToTextPosition(pageStart); }));
      misses += static_cast<uint32_t>(view.GetCurrentPosition()) != pageStart;
    }
  }
  state.counters["back_median_us"] = Percentile(backs, 0.5);
  state.counters["first_back_median_us"] = Percentile(firstBacks, 0.5);
  state.counters["fresh_median_us"] = Percentile(freshes, 0.5);
  state.counters["fromQ_median_us"] = Percentile(fromQ, 0.5);
  state.counters["ratio_back_fresh"] =
      Percentile(freshes, 0.5) > 0 ? Percentile(backs, 0.5) / Percentile(freshes, 0.5) : 0;
  state.counters["ratio_first_back_fresh"] =
      Percentile(freshes, 0.5) > 0 ? Percentile(firstBacks, 0.5) / Percentile(freshes, 0.5) : 0;
  state.counters["misses"] = misses;
  view.CloseCurrentDocument();
  view.ClearHistory();
  harness.preferences.keepsSideFiles = true;
}
BENCHMARK(BM_BackAgainstGoToTextPosition)
    ->Args({10, 20})
    ->Args({50, 80})
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  InstallTessalynResources();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
