// Decoding book text: the PalmDOC and HUFF/CDIC decoders alone over 1 MB of
// prose in 4096-byte records, and whole books read through BookDocument
// (cut, decompress, carry, convert to UTF-16, block cache). Throughput is
// reported in bytes of decoded text per second.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/files/device_root.h"
#include "storage/books/book_document.h"
#include "storage/compression/huff_cdic.h"
#include "storage/compression/palmdoc.h"
#include "tests/support/book_builder.h"
#include "tests/support/book_builder_reader.h"
#include "tests/support/huff_cdic_encoder.h"
#include "tests/support/palmdoc_encoder.h"

namespace {

constexpr size_t kTextBytes = 1 << 20;
constexpr size_t kRecord = 4096;

const std::vector<uint8_t>& Text() {
  static const std::vector<uint8_t> text = [] {
    std::string utf8 = testbuild::SampleText(kTextBytes, 99, 1);
    return std::vector<uint8_t>(utf8.begin(), utf8.end());
  }();
  return text;
}

void PalmDocDecoder(benchmark::State& state) {
  const std::vector<uint8_t>& text = Text();
  std::vector<std::vector<uint8_t>> records;
  for (size_t at = 0; at < text.size(); at += kRecord)
    records.push_back(testbuild::EncodePalmDoc(text.data() + at, std::min(kRecord, text.size() - at)));
  std::vector<uint8_t> out(kRecord);
  for (auto _ : state) {
    for (const auto& r : records) {
      uint32_t produced = 0;
      DecodePalmDoc(r.data(), static_cast<uint32_t>(r.size()), out.data(), kRecord, &produced);
      benchmark::DoNotOptimize(produced);
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void HuffCdicDecoderAlone(benchmark::State& state) {
  const std::vector<uint8_t>& text = Text();
  testbuild::HuffCdicEncoder encoder(text);
  std::vector<std::vector<uint8_t>> records;
  for (size_t at = 0; at < text.size(); at += kRecord)
    records.push_back(encoder.Encode(text.data() + at, std::min(kRecord, text.size() - at)));
  std::vector<const uint8_t*> cdic;
  std::vector<uint32_t> sizes;
  for (const auto& c : encoder.CdicRecords()) {
    cdic.push_back(c.data());
    sizes.push_back(static_cast<uint32_t>(c.size()));
  }
  HuffCdicDecoder decoder;
  if (!decoder.Init(encoder.HuffRecord().data(), static_cast<uint32_t>(encoder.HuffRecord().size()), cdic.data(),
                    sizes.data(), static_cast<uint32_t>(cdic.size()))) {
    state.SkipWithError("tables refused");
    return;
  }
  std::vector<uint8_t> out(kRecord);
  for (auto _ : state) {
    for (const auto& r : records) {
      uint32_t produced = 0;
      decoder.Decode(r.data(), static_cast<uint32_t>(r.size()), out.data(), kRecord, &produced);
      benchmark::DoNotOptimize(produced);
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// A whole book through the document: every block read, converted to UTF-16
// and given back, as the tokenizer reads.
void WholeBook(benchmark::State& state, testbuild::TextCompression compression, int32_t codePage) {
  static const bool rooted = [] {
    const auto root = std::filesystem::temp_directory_path() / ("bench_book_decode_" + std::to_string(::getpid()));
    std::filesystem::create_directories(root);
    devicefs::SetRoot(root, {});
    return true;
  }();
  (void)rooted;
  testbuild::BookRecipe spec;
  spec.compression = compression;
  spec.codePage = codePage;
  spec.text = Text();
  spec.extraFlags = 0x3;  // a trailing entry and, for UTF-8, the multibyte carry
  const std::u16string path = u"\\bench_" + devicefs::FromUtf8(testbuild::TextCompressionName(compression)) + u".corv";
  testbuild::WriteDeviceFile(path, testbuild::BuildBook(spec).Bytes());
  testbuild::OpenedBook opened = testbuild::OpenBookFile(path, 65002);
  if (opened.error != 0) {
    state.SkipWithError("book did not open");
    return;
  }
  for (auto _ : state) {
    testbuild::TextWalk walk;
    if (!testbuild::ReadWholeText(opened.doc.get(), &walk)) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(walk.text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * spec.text.size()));
}

void WholePalmDocBook(benchmark::State& state) { WholeBook(state, testbuild::TextCompression::kPalmDoc, 65001); }
void WholeHuffCdicBook(benchmark::State& state) { WholeBook(state, testbuild::TextCompression::kHuffCdic, 65001); }
void WholeUncompressedBook(benchmark::State& state) { WholeBook(state, testbuild::TextCompression::kNone, 65001); }

}  // namespace

BENCHMARK(PalmDocDecoder)->Unit(benchmark::kMillisecond);
BENCHMARK(HuffCdicDecoderAlone)->Unit(benchmark::kMillisecond);
BENCHMARK(WholePalmDocBook)->Unit(benchmark::kMillisecond);
BENCHMARK(WholeHuffCdicBook)->Unit(benchmark::kMillisecond);
BENCHMARK(WholeUncompressedBook)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
