// Throughput of the system's conversions to UTF-16 (UTF-8 by its own decoder,
// 1252 through the platform's converter) beside glibc iconv converting the
// same buffers, in bytes of input per second. The UTF-8 conversion is also
// measured as books use it: record by record (4096 bytes), each filling the
// character-position map that lets positions cross between bytes and
// characters, beside iconv converting the same records.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "foundation/code_pages/code_page.h"

namespace {

constexpr size_t kTextBytes = 256 * 1024;

// Mostly ASCII prose with accented letters, some punctuation beyond Latin-1
// and a sprinkling of CJK and emoji, as a book's text would have.
const std::string& Utf8Text() {
  static const std::string text = [] {
    std::mt19937 random(42);
    const char* pieces[] = {"the ", "quick ", "brown ", "fox ", "caf\xC3\xA9 ", "na\xC3\xAFve ",
                            "\xE2\x80\x9Cquoted\xE2\x80\x9D ", "\xE2\x82\xAC\x35 ", "\xE6\x97\xA5\xE6\x9C\xAC ",
                            "\xF0\x9F\x98\x80 ", ".\n"};
    const unsigned weights[] = {20, 20, 20, 20, 6, 4, 3, 2, 2, 1, 5};
    std::discrete_distribution<int> pick(std::begin(weights), std::end(weights));
    std::string out;
    while (out.size() < kTextBytes) out += pieces[pick(random)];
    return out;
  }();
  return text;
}

const std::string& Cp1252Text() {
  static const std::string text = [] {
    std::mt19937 random(43);
    std::string out;
    while (out.size() < kTextBytes) {
      unsigned r = random() % 100;
      if (r < 85) {
        out.push_back(static_cast<char>(0x20 + random() % 0x5F));
      } else if (r < 95) {
        out.push_back(static_cast<char>(0xC0 + random() % 0x40));
      } else {
        // The assigned characters of 0x80-0x9F (iconv refuses the other five).
        static const char kHigh[] = "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E"
                                    "\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F";
        out.push_back(kHigh[random() % (sizeof(kHigh) - 1)]);
      }
    }
    return out;
  }();
  return text;
}

void SystemToWide(benchmark::State& state, const std::string& text, int32_t cp) {
  std::vector<WCHAR> out(text.size() + 16);
  for (auto _ : state) {
    uint32_t len = static_cast<uint32_t>(out.size() * 2);
    int result = MultiByteToWide(reinterpret_cast<const uint8_t*>(text.data()), static_cast<uint32_t>(text.size()),
                                 cp, out.data(), &len);
    if (result != kConvertOk) {
      state.SkipWithError("conversion failed");
      break;
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void IconvToWide(benchmark::State& state, const std::string& text, const char* from) {
  iconv_t cd = iconv_open("UTF-16LE", from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    state.SkipWithError("iconv_open failed");
    return;
  }
  std::vector<char16_t> out(text.size() + 16);
  for (auto _ : state) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* outPtr = reinterpret_cast<char*>(out.data());
    size_t outLeft = out.size() * 2;
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
      state.SkipWithError("iconv failed");
      break;
    }
    benchmark::DoNotOptimize(out.data());
  }
  iconv_close(cd);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

constexpr size_t kRecordBytes = 4096;

// The text cut into records of at most kRecordBytes that hold whole
// characters, as a book whose records carry a cut character's bytes gives
// them to the conversion: the start offsets, then the end.
const std::vector<size_t>& RecordStarts() {
  static const std::vector<size_t> starts = [] {
    const std::string& text = Utf8Text();
    std::vector<size_t> out{0};
    while (out.back() < text.size()) {
      size_t end = std::min(out.back() + kRecordBytes, text.size());
      while (end < text.size() && (static_cast<uint8_t>(text[end]) & 0xC0) == 0x80) --end;
      out.push_back(end);
    }
    return out;
  }();
  return starts;
}

// The smallest map shift whose tables cover a record (at most 64 blocks).
uint32_t MapShiftFor(size_t bytes) {
  uint32_t shift = 0;
  while ((bytes >> shift) > CharPositionMap::kMaxBlocks) ++shift;
  return shift;
}

void BM_Utf8ToUtf16_Records_WithMap_System(benchmark::State& state) {
  const std::string& text = Utf8Text();
  std::vector<WCHAR> out(kRecordBytes + 16);
  std::vector<uint32_t> mapWords(CharPositionMapSize(kRecordBytes) / 4 + 1);
  CharPositionMap* map = reinterpret_cast<CharPositionMap*>(mapWords.data());
  for (auto _ : state) {
    const std::vector<size_t>& starts = RecordStarts();
    for (size_t r = 0; r + 1 < starts.size(); ++r) {
      const size_t at = starts[r];
      const size_t length = starts[r + 1] - at;
      map->shift = MapShiftFor(length);
      uint32_t len = static_cast<uint32_t>(out.size() * 2);
      if (ConvertFromUtf8(reinterpret_cast<const uint8_t*>(text.data() + at), static_cast<uint32_t>(length),
                          kCodePageUtf16, out.data(), &len, map) != kConvertOk) {
        state.SkipWithError("conversion failed");
        return;
      }
      benchmark::DoNotOptimize(out.data());
      benchmark::DoNotOptimize(map);
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_Utf8ToUtf16_Records_Iconv(benchmark::State& state) {
  const std::string& text = Utf8Text();
  iconv_t cd = iconv_open("UTF-16LE", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    state.SkipWithError("iconv_open failed");
    return;
  }
  std::vector<char16_t> out(kRecordBytes + 16);
  for (auto _ : state) {
    const std::vector<size_t>& starts = RecordStarts();
    for (size_t r = 0; r + 1 < starts.size(); ++r) {
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      char* in = const_cast<char*>(text.data() + starts[r]);
      size_t inLeft = starts[r + 1] - starts[r];
      char* outPtr = reinterpret_cast<char*>(out.data());
      size_t outLeft = out.size() * 2;
      if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
        state.SkipWithError("iconv failed");
        iconv_close(cd);
        return;
      }
      benchmark::DoNotOptimize(out.data());
    }
  }
  iconv_close(cd);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_Utf8ToUtf16_System(benchmark::State& state) { SystemToWide(state, Utf8Text(), kCodePageUtf8); }
void BM_Utf8ToUtf16_Iconv(benchmark::State& state) { IconvToWide(state, Utf8Text(), "UTF-8"); }
void BM_Cp1252ToUtf16_System(benchmark::State& state) { SystemToWide(state, Cp1252Text(), kCodePage1252); }
void BM_Cp1252ToUtf16_Iconv(benchmark::State& state) { IconvToWide(state, Cp1252Text(), "CP1252"); }

BENCHMARK(BM_Utf8ToUtf16_System);
BENCHMARK(BM_Utf8ToUtf16_Iconv);
BENCHMARK(BM_Utf8ToUtf16_Records_WithMap_System);
BENCHMARK(BM_Utf8ToUtf16_Records_Iconv);
BENCHMARK(BM_Cp1252ToUtf16_System);
BENCHMARK(BM_Cp1252ToUtf16_Iconv);

}  // namespace

BENCHMARK_MAIN();
