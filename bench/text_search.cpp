// Search speed: the generated 2 MB book searched from its start for a word
// placed at its very end, so every character passes through the matcher.
// Reported in bytes of the book per second, for the plain search, the
// case-folding one and the whole-word one, over the characters as they are
// and over the visible text of the markup.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "layout/search/markup_text_searcher.h"
#include "layout/search/text_searcher.h"
#include "tests/support/fake_document.h"
#include "tests/support/fake_document_markup.h"

namespace {

constexpr size_t kBookBytes = 2u << 20;
const std::u16string kWord = u"quuxification";

const std::string& Book() {
  static const std::string book = GenerateMarkupBook(42, kBookBytes) + " quuxification";
  return book;
}

template <typename Searcher>
void SearchToTheEnd(benchmark::State& state, bool wholeWord, bool caseInsensitive) {
  RefPtr<FakeDocument> document;
  document.Adopt(FakeDocument::FromUtf8(Book(), 4096).release());
  Searcher searcher;
  searcher.Attach(document.Get());
  SearchRequest request;
  request.pattern = kWord.data();
  request.length = static_cast<uint32_t>(kWord.size());
  request.wholeWord = wholeWord;
  request.caseInsensitive = caseInsensitive;
  uint32_t start = 0, end = 0;
  bool stopped = false;
  for (auto _ : state) {
    bool found = searcher.Scan(request, 0, document->GetTextLength(), &start, &end, &stopped);
    if (!found || end != document->GetTextLength()) state.SkipWithError("the word at the end was not found");
    benchmark::DoNotOptimize(start);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Book().size()));
}

void BM_SearchExact(benchmark::State& state) { SearchToTheEnd<PlainTextSearcher>(state, false, false); }
void BM_SearchCaseFolded(benchmark::State& state) { SearchToTheEnd<PlainTextSearcher>(state, false, true); }
void BM_SearchWholeWord(benchmark::State& state) { SearchToTheEnd<PlainTextSearcher>(state, true, true); }
void BM_MarkupSearchExact(benchmark::State& state) { SearchToTheEnd<MarkupTextSearcher>(state, false, false); }
void BM_MarkupSearchCaseFolded(benchmark::State& state) { SearchToTheEnd<MarkupTextSearcher>(state, false, true); }
void BM_MarkupSearchWholeWord(benchmark::State& state) { SearchToTheEnd<MarkupTextSearcher>(state, true, true); }
BENCHMARK(BM_SearchExact)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchCaseFolded)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchWholeWord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarkupSearchExact)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarkupSearchCaseFolded)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarkupSearchWholeWord)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
