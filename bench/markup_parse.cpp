// Tokenize-and-parse throughput of the markup parser on a generated 2 MB
// book (MB/s of UTF-8 input), beside libxml2's HTML parser run as a whole
// process on the same file (`xmllint --html --noout`, Debian's
// libxml2-utils). The tokenizer alone is measured too.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
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

// libxml2's HTML parser as a whole process on the same file.
void BM_XmllintHtml(benchmark::State& state) {
  if (std::system("command -v xmllint > /dev/null 2>&1") != 0) {
    state.SkipWithError("xmllint is missing (Debian package libxml2-utils)");
    return;
  }
  char path[] = "/tmp/markup_parse_bench_XXXXXX";
  int fd = mkstemp(path);
  if (fd < 0) {
    state.SkipWithError("cannot write the book");
    return;
  }
  FILE* file = fdopen(fd, "wb");
  std::fwrite(Book().data(), 1, Book().size(), file);
  std::fclose(file);
  std::string command = std::string("xmllint --html --noout --nowarning ") + path + " > /dev/null 2>&1";
  for (auto _ : state) {
    int status = std::system(command.c_str());
    benchmark::DoNotOptimize(status);
  }
  std::remove(path);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Book().size()));
}
BENCHMARK(BM_XmllintHtml)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
