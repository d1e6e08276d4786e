// The cost of the tag-to-layout builder over the generated 2 MB book: the
// parse alone, then the parse with every element turned into layout items
// (the store emptied every 2,000 elements, about a page, as the pager hands
// pages over). The ratio of the two is what the builder adds to reading.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "layout/builder/layout_builder.h"
#include "layout/items/layout_item_store.h"
#include "layout/markup/element_record_stack.h"
#include "layout/markup/markup_parser.h"
#include "layout/styles/element_style_records.h"
#include "tests/support/fake_document.h"
#include "tests/support/fake_document_markup.h"

namespace {

constexpr size_t kBookBytes = 2u << 20;
constexpr uint32_t kElementsPerPage = 2000;

const std::string& Book() {
  static const std::string book = GenerateMarkupBook(42, kBookBytes);
  return book;
}

class Host : public LayoutBuilderHost {
 public:
  int32_t MeasureSpace() override { return 4; }
  Size ScreenSize() override { return Size{240, 320}; }
};

void BM_ParseOnly(benchmark::State& state) {
  auto document = FakeDocument::FromUtf8(Book(), 4096);
  for (auto _ : state) {
    MarkupParser parser;
    parser.AttachSource(document.get(), 0);
    parser.Restart(0, false);
    for (uint32_t n = 1;; ++n) {
      int32_t kind = parser.Next();
      while (kind == kElementAgain) kind = parser.Next();
      if (kind == kElementEnd) break;
      if (n % kElementsPerPage == 0) parser.ReleaseChunks();
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Book().size()));
}
BENCHMARK(BM_ParseOnly)->Unit(benchmark::kMillisecond);

void BM_ParseAndBuild(benchmark::State& state) {
  auto document = FakeDocument::FromUtf8(Book(), 4096);
  Host host;
  DefaultStyle defaults;
  ElementStyle base;
  base.kind = kStyleBlock;
  size_t items = 0;
  for (auto _ : state) {
    MarkupParser parser;
    parser.AttachSource(document.get(), 0);
    parser.Restart(0, false);
    ElementRecordStack records;
    ElementStyleRecords styles;
    LayoutItemStore store;
    LayoutBuilderContext context;
    context.stream = &parser;
    context.host = &host;
    context.defaults = &defaults;
    context.baseStyle = &base;
    LayoutPageBuilder page;
    page.records = &records;
    page.styles = &styles;
    page.store = &store;
    for (uint32_t n = 1;; ++n) {
      const uint32_t position = parser.GetPosition();
      int32_t kind = parser.Next();
      while (kind == kElementAgain) kind = parser.Next();
      if (!ReadLayoutItems(context, &page, position) || kind == kElementEnd) break;
      if (n % kElementsPerPage == 0) {
        items += store.Count();
        store.Clear();
        parser.ReleaseChunks();
      }
    }
    items += store.Count();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Book().size()));
  state.counters["items"] = benchmark::Counter(static_cast<double>(items) / state.iterations());
}
BENCHMARK(BM_ParseAndBuild)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
