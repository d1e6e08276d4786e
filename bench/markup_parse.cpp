// Tokenize-and-parse throughput of the markup parser on a generated 2 MB
// book (MB/s of UTF-8 input), and of the tokenizer alone. The comparison
// with libxml2's HTML parser is made on clean HTML, as whole processes, by
// bench/whole_process.py (markup-elements --count beside xmllint --html
// --noout): on this generated book, whose markup xmllint finds faulty, the
// peer spends its time reporting errors.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "layout/markup/markup_parser.h"
#include "layout/markup/markup_scanner_table.h"
#include "tests/support/fake_document.h"
#include "tests/support/fake_document_markup.h"

namespace {

constexpr size_t kBookBytes = 2u << 20;

const std::string& Book() {
  static const std::string book = GenerateMarkupBook(42, kBookBytes);
  return book;
}

void BM_TokenizeAndParse(benchmark::State& state) {
  auto document = FakeDocument::FromUtf8(Book(), 4096);
  size_t elements = 0;
  for (auto _ : state) {
    MarkupParser parser;
    parser.AttachSource(document.get(), 0);
    parser.Restart(0, false);
    for (;;) {
      int32_t kind = parser.Next();
      if (kind == kElementEnd) break;
      if (kind == kElementAgain) continue;
      ++elements;
      parser.ReleaseChunks();
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Book().size()));
  state.counters["elements"] = benchmark::Counter(static_cast<double>(elements) / state.iterations());
}
BENCHMARK(BM_TokenizeAndParse)->Unit(benchmark::kMillisecond);

void BM_TokenizeOnly(benchmark::State& state) {
  auto document = FakeDocument::FromUtf8(Book(), 4096);
  for (auto _ : state) {
    MarkupTokenizer tokenizer;
    tokenizer.Scanner().SetTable(GetMarkupScannerTable());
    tokenizer.Attach(document.get(), 0);
    tokenizer.Seek(0);
    for (;;) {
      int32_t token = -1;
      int32_t answer = tokenizer.NextToken(&token, tokenizer.Scanner().Mode() == kModeText ? 30 : -1);
      if (answer == kTokenEnd || answer == kTokenNoMemory) break;
      int32_t code = 0;
      bool isText = false;
      if (answer == kTokenNotAccepted) {
        tokenizer.Scanner().SelectMode(kModeSkipToEnd);
      } else {
        tokenizer.GetTokenInfo(token, &code, &isText);
      }
      tokenizer.ReleaseChunks(tokenizer.CurrentBlock());
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Book().size()));
}
BENCHMARK(BM_TokenizeOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
