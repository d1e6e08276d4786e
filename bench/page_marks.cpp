// Marks of a side file while pages are painted: a book of 100 pages with
// 5,000 highlights (50 on each page) against the same book with 50 in
// all. What the marks add to painting every page, and opening the side
// file again and reading every mark, each per mark; the goal is that a
// mark costs no more than twice as much among 5,000 as among 50: finding a
// mark must not grow with the number of marks the file holds.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "layout/drawing/drawing_surface.h"
#include "layout/markup/markup_parser.h"
#include "layout/pages/layout_context.h"
#include "layout/render/page_renderer.h"
#include "platform/files/device_root.h"
#include "platform/windows/windows.h"
#include "storage/side_file/book_parameter_file.h"
#include "tests/layout/pages/markup_item_builder.h"
#include "tests/support/fake_document.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPages = 100;

class Fonts : public FontTable {
 public:
  bool GetEntry(uint8_t id, FontTableEntry* out) const override {
    if (id != 1) return false;
    out->kind = 0;
    out->name = u"Tahoma";
    out->nameLength = 6;
    return true;
  }
};

class BookText : public FakeDocument {
 public:
  using FakeDocument::FakeDocument;
  bool IsPlainDocument() override { return false; }
};

struct Reader {
  Fonts fonts;
  HWND window = nullptr;
  DrawingSurface surface{&fonts};
  std::unique_ptr<BookText> document;
  MarkupParser parser;
  MarkupItemBuilder builder;
  LayoutContext context;
  PageRenderer renderer{&context};
  std::vector<std::pair<uint32_t, uint32_t>> pages;  // start and end of each page

  Reader() {
    std::string markup = "<html><body>";
    for (int i = 0; markup.size() < 150000; ++i)
      markup += "<p>Paragraph " + std::to_string(i) + " of the marked book, with words enough to fill lines.</p>";
    markup += "</body></html>";
    auto decoded = FakeDocument::FromUtf8(markup, 4096);
    document = std::make_unique<BookText>(decoded->text(), 4096);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"PageMarksBench";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, u"PageMarksBench", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                             nullptr, nullptr);
    surface.SetWindow(window);
    parser.AttachSource(document.get(), 0);
    context.AttachParser(&parser, document.get(), &builder);
    context.SetSurface(&surface);
    context.SetBaseStyle(12, 1, TextStyle{});
    context.SetPageRect(Rect{0, 0, 240, 320});
    context.Start();
    for (int i = 0; i < kPages; ++i) {
      LaidOutPage* page = context.GetCurrentPage();
      if (page == nullptr) break;
      uint32_t first = 0, end = 0;
      page->store.GetPositionRange(&first, &end);
      pages.emplace_back(first, end);
      if (!context.StepPage(context.GetCurrentPosition(), kStepPage)) break;
    }
  }
  ~Reader() {
    context.Detach();
    DestroyWindow(window);
  }
  // Paints every page once; seconds.
  double PaintAll(BookParameterFile* marks) {
    renderer.SetAnnotations(marks);
    context.GoToPage(1);
    const auto start = Clock::now();
    for (size_t i = 0; i < pages.size(); ++i) {
      renderer.PaintCurrentPage(0);
      if (i + 1 < pages.size()) context.StepPage(context.GetCurrentPosition(), kStepPage);
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
  }
};

Reader& TheReader() {
  static Reader* reader = [] {
    const auto root = std::filesystem::temp_directory_path() / ("bench_page_marks_" + std::to_string(::getpid()));
    std::filesystem::create_directories(root);
    devicefs::SetRoot(root, {});
    return new Reader;
  }();
  return *reader;
}

EncodedString SidePath(int marks) {
  EncodedString path;
  path.FromWide((u"\\marks" + std::u16string(1, static_cast<char16_t>(u'a' + marks % 26)) + u".prc").c_str());
  return path;
}

// A side file with `total` highlights spread evenly over the pages.
void MakeMarks(int total) {
  Reader& reader = TheReader();
  BookParameterFile file;
  file.Create(SidePath(total), "marks", 5, false, true, false);
  const int pages = static_cast<int>(reader.pages.size());
  for (int i = 0; i < total; ++i) {
    const auto& [first, end] = reader.pages[static_cast<size_t>(i * pages / total)];
    const uint32_t span = end > first ? end - first : 1;
    const uint32_t start = first + static_cast<uint32_t>((uint64_t{span} * (i % 50)) / 50);
    file.AddBookmark(start, start + 3, 0, 0, 1 + i % 8, 4);
  }
}

// Opens the side file and reads every mark; seconds.
double OpenAndRead(int total, int* read) {
  const auto start = Clock::now();
  BookParameterFile file;
  file.Open(SidePath(total), true);
  MarkIterator iterator;
  *read = 0;
  for (uint32_t mark = file.FirstBookmark(0, 0xFFFFFFFFu, &iterator); mark != 0xFFFFFFFFu;
       mark = file.NextBookmark(&iterator)) {
    uint32_t s = 0, e = 0, v = 0, x = 0, extra = 0;
    if (file.GetBookmarkRange(mark, &s, &e, &v, &x, &extra) == RecordResult::kOk) ++*read;
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void PaintAndOpenWithMarks(benchmark::State& state) {
  Reader& reader = TheReader();
  if (reader.pages.size() != kPages) {
    state.SkipWithError("the book has fewer pages than wanted");
    return;
  }
  MakeMarks(50);
  MakeMarks(5000);
  double paint0 = 0, paint50 = 0, paint5000 = 0, open50 = 0, open5000 = 0;
  int read50 = 0, read5000 = 0;
  for (auto _ : state) {
    paint0 += reader.PaintAll(nullptr);
    {
      BookParameterFile marks;
      marks.Open(SidePath(50), true);
      paint50 += reader.PaintAll(&marks);
    }
    {
      BookParameterFile marks;
      marks.Open(SidePath(5000), true);
      paint5000 += reader.PaintAll(&marks);
    }
    open50 += OpenAndRead(50, &read50);
    open5000 += OpenAndRead(5000, &read5000);
  }
  const double n = static_cast<double>(state.iterations());
  const double mark50 = (paint50 - paint0) / n / 50 * 1e6;
  const double mark5000 = (paint5000 - paint0) / n / 5000 * 1e6;
  state.counters["paint_ms_no_marks"] = paint0 / n * 1e3;
  state.counters["paint_us_per_mark_50"] = mark50;
  state.counters["paint_us_per_mark_5000"] = mark5000;
  state.counters["paint_ratio"] = mark50 > 0 ? mark5000 / mark50 : 0;
  state.counters["open_us_per_mark_50"] = open50 / n / 50 * 1e6;
  state.counters["open_us_per_mark_5000"] = open5000 / n / 5000 * 1e6;
  state.counters["open_ratio"] = (open5000 / 5000) / (open50 / 50);
  state.counters["marks_read"] = read5000;
  if (read50 != 50 || read5000 != 5000) state.SkipWithError("marks lost");
}

}  // namespace

BENCHMARK(PaintAndOpenWithMarks)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
