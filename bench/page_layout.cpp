// Paging, as a reader pages: a generated 2 MB book laid out page by page
// at 240 x 320 from its first page to its end, the cost per page, and its
// ratio to tokenizing and parsing the same book (goal: layout at most 3
// times the parse); GoToPage(k) for k from 10 to 1,000, which should cost
// the same whatever k; and a hostile book of 60,000 tiny text records paged
// to its end, whose cost per page should stay within 3 times that
// of the 2 MB book. Items come from the small markup builder of the pager
// tests (text runs, spaces, block ends); styles are not resolved.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "layout/drawing/drawing_surface.h"
#include "layout/markup/markup_parser.h"
#include "layout/pages/layout_context.h"
#include "platform/files/device_root.h"
#include "platform/windows/windows.h"
#include "storage/books/book_document.h"
#include "tests/layout/pages/markup_item_builder.h"
#include "tests/support/book_builder.h"
#include "tests/support/book_builder_reader.h"
#include "tests/support/fake_document.h"
#include "tests/support/fake_document_markup.h"

namespace {

using Clock = std::chrono::steady_clock;

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

// A book read where asked (the fake's default is from the start only).
class BookText : public FakeDocument {
 public:
  using FakeDocument::FakeDocument;
  bool IsPlainDocument() override { return false; }
};

const std::string& Markup2MB() {
  static const std::string book = GenerateMarkupBook(42, 2u << 20);
  return book;
}

Document* Document2MB() {
  static std::unique_ptr<BookText> document = [] {
    auto decoded = FakeDocument::FromUtf8(Markup2MB(), 4096);
    return std::make_unique<BookText>(decoded->text(), 4096);
  }();
  return document.get();
}

int32_t hostileError = 0;

// The hostile book: its markup cut into 60,000 text records of the
// smallest size the book reader accepts (256 bytes; it refuses a book that
// states less).
constexpr uint32_t kHostileRecords = 60000;
constexpr uint32_t kHostileRecordBytes = 256;
Document* HostileBook() {
  static testbuild::OpenedBook opened = [] {
    const auto root = std::filesystem::temp_directory_path() / ("bench_page_layout_" + std::to_string(::getpid()));
    std::filesystem::create_directories(root);
    devicefs::SetRoot(root, {});
    testbuild::BookRecipe recipe;
    const std::string markup = GenerateMarkupBook(43, size_t{kHostileRecords} * kHostileRecordBytes);
    recipe.text.assign(markup.begin(),
                       markup.begin() + std::min<size_t>(markup.size(), size_t{kHostileRecords} * kHostileRecordBytes));
    recipe.codePage = 65001;
    recipe.compression = testbuild::TextCompression::kNone;
    recipe.recordSize = kHostileRecordBytes;
    const std::vector<uint8_t> bytes = testbuild::BuildBook(recipe).Bytes();
    testbuild::WriteDeviceFile(u"\\hostile.corv", bytes);
    return testbuild::OpenBookFile(u"\\hostile.corv", 65002);
  }();
  hostileError = opened.error;
  return opened.error == 0 ? opened.doc.get() : nullptr;
}
int32_t HostileBookError() { return hostileError; }

struct Reader {
  Fonts fonts;
  HWND window = nullptr;
  DrawingSurface surface{&fonts};
  MarkupParser parser;
  MarkupItemBuilder builder;
  LayoutContext context;

  explicit Reader(Document* document) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"PageLayoutBench";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, u"PageLayoutBench", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                             nullptr, nullptr);
    surface.SetWindow(window);
    surface.BeginDraw(false);
    parser.AttachSource(document, 0);
    context.AttachParser(&parser, document, &builder);
    context.SetSurface(&surface);
    context.SetBaseStyle(12, 1, TextStyle{});
    context.SetPageRect(Rect{0, 0, 240, 320});
  }
  ~Reader() {
    surface.EndDraw();
    DestroyWindow(window);
  }
};

// Pages from the first page to the end; the number of pages, or 0.
int64_t PageToTheEnd(Document* document) {
  Reader reader(document);
  if (!reader.context.Start()) {
    fprintf(stderr, "no start; length %u\n", document->GetTextLength());
    return 0;
  }
  int64_t pages = 0;
  for (;;) {
    if (reader.context.GetCurrentPage() == nullptr) {
      fprintf(stderr, "page %lld at %u failed\n", static_cast<long long>(pages), reader.context.GetCurrentPosition());
      return 0;
    }
    ++pages;
    if (!reader.context.StepPage(reader.context.GetCurrentPosition(), kStepPage)) break;
  }
  return pages;
}

double ParseSeconds(Document* document) {
  double best = 1e9;
  for (int run = 0; run < 3; ++run) {
    const auto start = Clock::now();
    MarkupParser parser;
    parser.AttachSource(document, 0);
    parser.Restart(0, false);
    int64_t elements = 0;
    for (int32_t kind = parser.Next(); kind != kElementEnd; kind = parser.Next()) ++elements;
    benchmark::DoNotOptimize(elements);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (seconds < best) best = seconds;
  }
  return best;
}

void PageTwoMegabyteBook(benchmark::State& state) {
  Document* document = Document2MB();
  const double parse = ParseSeconds(document);
  int64_t pages = 0;
  // The best walk, as the parse is its best of three: on a shared machine
  // the others measure the neighbours.
  double perWalk = 1e9;
  for (auto _ : state) {
    const auto start = Clock::now();
    pages = PageToTheEnd(document);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (seconds < perWalk) perWalk = seconds;
  }
  if (pages == 0) state.SkipWithError("paging failed");
  state.counters["pages"] = static_cast<double>(pages);
  state.counters["us_per_page"] = perWalk * 1e6 / static_cast<double>(pages ? pages : 1);
  state.counters["parse_ms"] = parse * 1e3;
  state.counters["layout_over_parse"] = perWalk / parse;
}

void GoToPageK(benchmark::State& state) {
  Reader reader(Document2MB());
  if (!reader.context.Start()) {
    state.SkipWithError("no first page");
    return;
  }
  const uint32_t k = static_cast<uint32_t>(state.range(0));
  for (auto _ : state) {
    // Buffers dropped so that every jump prepares and lays out its page.
    reader.context.Invalidate(1);
    if (!reader.context.GoToPage(k) || reader.context.GetCurrentPage() == nullptr) {
      state.SkipWithError("jump failed");
      return;
    }
  }
  state.counters["page"] = reader.context.GetCurrentPageNumber();
}

void PageHostileBook(benchmark::State& state) {
  Document* hostile = HostileBook();
  if (hostile == nullptr) {
    state.SkipWithError(("hostile book did not open: " + std::to_string(HostileBookError())).c_str());
    return;
  }
  int64_t pages = 0;
  int64_t pages2MB = 0;
  double hostileSeconds = 0;
  double seconds2MB = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    pages = PageToTheEnd(hostile);
    hostileSeconds += std::chrono::duration<double>(Clock::now() - start).count();
    start = Clock::now();
    pages2MB = PageToTheEnd(Document2MB());
    seconds2MB += std::chrono::duration<double>(Clock::now() - start).count();
  }
  if (pages == 0 || pages2MB == 0) {
    state.SkipWithError("paging failed");
    return;
  }
  const double perPage = hostileSeconds / static_cast<double>(pages);
  const double perPage2MB = seconds2MB / static_cast<double>(pages2MB);
  state.counters["pages"] = static_cast<double>(pages);
  state.counters["us_per_page"] = perPage * 1e6 / static_cast<double>(state.iterations());
  state.counters["over_2MB_per_page"] = perPage / perPage2MB;
}

}  // namespace

BENCHMARK(PageTwoMegabyteBook)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(GoToPageK)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(PageHostileBook)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
