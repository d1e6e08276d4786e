// Speed of the system's GIF decoding (ImageDecoder) beside giflib decoding
// the same in-memory bytes, in MB/s of decoded pixels (one byte of palette
// index per pixel), with a closing table of the ratio per picture.
//
// The corpus is made at start-up: ImageMagick's convert writes noise and
// photo-like (plasma) pictures at 64x64, 320x240 and 800x600, plain and
// interlaced; the project's picture builder adds band patterns with small
// LZW code sizes. Before timing, both decoders must give the same indices
// for every picture, or the program stops.
//
// Both sides do the whole job from the file's bytes to the picture's
// indices: ImageDecoder Load + Decode at full size into an 8-bit buffer
// without palette translation, transparency or interlace fill; giflib
// DGifOpen (reading from memory) + DGifSlurp + DGifCloseFile. The
// "display16" runs add the reader's own use: 16-bit output through the
// palette, default options.
#include <benchmark/benchmark.h>
#include <gif_lib.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "storage/pictures/image_decoder.h"
#include "tests/support/picture_builder.h"
#include "tests/support/reference_pixels.h"

namespace {

using picture::Bytes;

struct Picture {
  std::string name;
  Bytes file;
  uint32_t width = 0;
  uint32_t height = 0;
};

std::vector<Picture>& Corpus() {
  static std::vector<Picture> corpus;
  return corpus;
}

// ---- Making the corpus ----

const uint32_t kSizes[][2] = {{64, 64}, {320, 240}, {800, 600}};

// One run of convert per size and kind, writing the plain and interlaced
// files from the same pixels.
bool MakeConverterPictures(const refpix::ScratchFolder& dir, std::vector<std::string>* names) {
  std::string script = "set -e; cd '" + dir.path() + "'\n";
  for (const auto& size : kSizes) {
    std::string geometry = std::to_string(size[0]) + "x" + std::to_string(size[1]);
    const std::string kinds[][2] = {{"noise", "xc: +noise Random"}, {"photo", "plasma:fractal -blur 0x1"}};
    for (const auto& kind : kinds) {
      std::string base = kind[0] + "_" + geometry;
      script += "convert -seed 7 -size " + geometry + " " + kind[1] + " -colors 256 -write " + base +
                ".gif -interlace GIF " + base + "_interlaced.gif\n";
      names->push_back(base);
      names->push_back(base + "_interlaced");
    }
  }
  refpix::WriteFile(dir.File("make_corpus.sh"), Bytes(script.begin(), script.end()));
  std::string log;
  if (refpix::Run("sh '" + dir.File("make_corpus.sh") + "'", &log) != 0) {
    std::fprintf(stderr, "making the corpus with ImageMagick failed:\n%s\n", log.c_str());
    return false;
  }
  return true;
}

bool LoadCorpus() {
  refpix::ScratchFolder dir;
  if (dir.path().empty()) {
    std::fprintf(stderr, "no scratch folder\n");
    return false;
  }
  std::vector<std::string> names;
  if (!MakeConverterPictures(dir, &names)) return false;
  for (const std::string& name : names) {
    Picture p;
    p.name = name;
    if (!refpix::ReadFile(dir.File(name + ".gif"), &p.file)) {
      std::fprintf(stderr, "cannot read %s.gif\n", name.c_str());
      return false;
    }
    Corpus().push_back(std::move(p));
  }

  // Builder-made: wide bands of few colours, so long LZW strings and small
  // code sizes (2 and 4 bits), the larger one interlaced.
  struct Made {
    const char* name;
    uint16_t width, height;
    uint32_t colours;
    uint8_t minCodeSize;
    bool interlaced;
  };
  const Made made[] = {{"bands4_320x240_interlaced", 320, 240, 4, 2, true},
                       {"bands16_800x600", 800, 600, 16, 4, false}};
  for (const Made& m : made) {
    picture::GifImage image;
    image.width = m.width;
    image.height = m.height;
    image.minCodeSize = m.minCodeSize;
    image.interlaced = m.interlaced;
    Bytes indices = picture::PatternIndices(m.width, m.height, m.colours, 3);
    image.indices = m.interlaced ? picture::InterlaceRows(indices, m.width, m.height) : indices;
    Picture p;
    p.name = m.name;
    p.file = picture::SimpleGif(image, picture::TestPaletteTriples(m.colours));
    Corpus().push_back(std::move(p));
  }
  return true;
}

// ---- The two decoders ----

// ImageDecoder into `indices` (width x height bytes); false on any failure.
bool SystemDecode(ImageDecoder& d, const Picture& p, Bytes& indices) {
  if (!d.Load(p.file.data(), static_cast<uint32_t>(p.file.size()))) return false;
  d.SetOptions(false, true, false, false, true);
  if (d.SetOutput(d.Width(), d.Height(), 8, indices.data(), 0, nullptr, nullptr, true) != kImageOk) return false;
  return d.Decode(0, 0) == kImageOk;
}

// ImageDecoder as the reader shows pictures: 16-bit pixels through the
// palette, default options.
bool SystemDecode16(ImageDecoder& d, const Picture& p, Bytes& pixels) {
  if (!d.Load(p.file.data(), static_cast<uint32_t>(p.file.size()))) return false;
  if (d.SetOutput(d.Width(), d.Height(), 16, pixels.data(), 0, nullptr, nullptr, false) != kImageOk) return false;
  return d.Decode(0, 0) == kImageOk;
}

struct MemoryReader {
  const uint8_t* data;
  size_t size;
  size_t pos;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int wanted) {
  auto* reader = static_cast<MemoryReader*>(gif->UserData);
  size_t left = reader->size - reader->pos;
  size_t n = wanted < 0 ? 0 : static_cast<size_t>(wanted);
  if (n > left) n = left;
  std::memcpy(out, reader->data + reader->pos, n);
  reader->pos += n;
  return static_cast<int>(n);
}

// giflib; calls `use` with the first image's indices (rows in display
// order: DGifSlurp undoes the interlace). False on any failure.
template <class Use>
bool GiflibDecode(const Picture& p, Use use) {
  MemoryReader reader{p.file.data(), p.file.size(), 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&reader, ReadFromMemory, &error);
  if (gif == nullptr) return false;
  bool ok = DGifSlurp(gif) == GIF_OK && gif->ImageCount >= 1;
  if (ok) {
    const SavedImage& image = gif->SavedImages[0];
    ok = image.RasterBits != nullptr;
    if (ok) use(image.ImageDesc.Width, image.ImageDesc.Height, image.RasterBits);
  }
  DGifCloseFile(gif, &error);
  return ok;
}

// Both decoders must agree on every picture before anything is timed.
bool CheckAgreement() {
  bool all = true;
  for (Picture& p : Corpus()) {
    ImageDecoder d;
    if (!d.Load(p.file.data(), static_cast<uint32_t>(p.file.size()))) {
      std::fprintf(stderr, "%s: ImageDecoder refuses it\n", p.name.c_str());
      all = false;
      continue;
    }
    p.width = d.Width();
    p.height = d.Height();
    Bytes mine(size_t{p.width} * p.height);
    if (!SystemDecode(d, p, mine)) {
      std::fprintf(stderr, "%s: ImageDecoder fails to decode it\n", p.name.c_str());
      all = false;
      continue;
    }
    bool same = false;
    bool decoded = GiflibDecode(p, [&](int w, int h, const GifByteType* raster) {
      same = static_cast<uint32_t>(w) == p.width && static_cast<uint32_t>(h) == p.height &&
             std::memcmp(raster, mine.data(), mine.size()) == 0;
    });
    if (!decoded || !same) {
      std::fprintf(stderr, "%s: %s\n", p.name.c_str(), decoded ? "the decoders disagree" : "giflib fails");
      all = false;
    }
  }
  return all;
}

// ---- Benchmarks ----

int64_t PixelCount(const std::vector<const Picture*>& set) {
  int64_t n = 0;
  for (const Picture* p : set) n += int64_t{p->width} * p->height;
  return n;
}

void RunSystem(benchmark::State& state, std::vector<const Picture*> set, bool display16) {
  std::vector<Bytes> outputs;
  for (const Picture* p : set) outputs.emplace_back(size_t{p->width} * p->height * (display16 ? 2 : 1));
  ImageDecoder d;
  for (auto _ : state) {
    for (size_t i = 0; i < set.size(); ++i) {
      bool ok = display16 ? SystemDecode16(d, *set[i], outputs[i]) : SystemDecode(d, *set[i], outputs[i]);
      if (!ok) {
        state.SkipWithError("ImageDecoder failed");
        return;
      }
      benchmark::DoNotOptimize(outputs[i].data());
      benchmark::ClobberMemory();
    }
  }
  state.SetBytesProcessed(state.iterations() * PixelCount(set));
}

void RunGiflib(benchmark::State& state, std::vector<const Picture*> set) {
  for (auto _ : state) {
    for (const Picture* p : set) {
      bool ok = GiflibDecode(*p, [](int, int, const GifByteType* raster) {
        benchmark::DoNotOptimize(raster);
        benchmark::ClobberMemory();
      });
      if (!ok) {
        state.SkipWithError("giflib failed");
        return;
      }
    }
  }
  state.SetBytesProcessed(state.iterations() * PixelCount(set));
}

// Decoder names, in the closing table's column order.
const char* const kDecoders[] = {"system", "giflib", "display16"};

void RegisterAll() {
  std::vector<std::pair<std::string, std::vector<const Picture*>>> sets;
  std::vector<const Picture*> whole;
  for (const Picture& p : Corpus()) {
    sets.push_back({p.name, {&p}});
    whole.push_back(&p);
  }
  sets.push_back({"whole_corpus", whole});
  for (const auto& [name, set] : sets) {
    benchmark::RegisterBenchmark(("system/" + name).c_str(), RunSystem, set, false);
    benchmark::RegisterBenchmark(("giflib/" + name).c_str(), RunGiflib, set);
    benchmark::RegisterBenchmark(("display16/" + name).c_str(), RunSystem, set, true);
  }
}

// ---- The closing table ----

// The console output, then per picture the MB/s of each decoder and the
// ratio system / giflib (above 1: the system is faster).
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal, as the library's own console output.
  RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration) continue;
      auto rate = run.counters.find("bytes_per_second");
      if (rate == run.counters.end() || rate->second.value <= 0) continue;
      const std::string& full = run.run_name.function_name;
      size_t slash = full.find('/');
      if (slash == std::string::npos) continue;
      std::string picture = full.substr(slash + 1);
      if (rates_.find(picture) == rates_.end()) order_.push_back(picture);
      Sum& sum = rates_[picture][full.substr(0, slash)];
      sum.total += rate->second.value / 1e6;
      sum.count += 1;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::FILE* out = stdout;
    std::fprintf(out, "\nMB/s (10^6 bytes) of decoded pixels, 1 byte per pixel; ratio = system / giflib\n");
    std::fprintf(out, "%-28s %10s %10s %10s %7s\n", "picture", kDecoders[0], kDecoders[1], kDecoders[2], "ratio");
    double logSum = 0;
    int logCount = 0;
    for (const std::string& picture : order_) {
      auto& row = rates_[picture];
      double mbs[3];
      for (int i = 0; i < 3; ++i) {
        auto it = row.find(kDecoders[i]);
        mbs[i] = it == row.end() ? 0 : it->second.total / it->second.count;
      }
      std::fprintf(out, "%-28s %10.1f %10.1f %10.1f", picture.c_str(), mbs[0], mbs[1], mbs[2]);
      if (mbs[0] > 0 && mbs[1] > 0) {
        double ratio = mbs[0] / mbs[1];
        std::fprintf(out, " %7.2f\n", ratio);
        if (picture != "whole_corpus") {
          logSum += std::log(ratio);
          ++logCount;
        }
      } else {
        std::fprintf(out, " %7s\n", "-");
      }
    }
    if (logCount > 0)
      std::fprintf(out, "geometric mean of the per-picture ratios: %.2f\n", std::exp(logSum / logCount));
  }

 private:
  struct Sum {
    double total = 0;
    int count = 0;
  };
  std::vector<std::string> order_;
  std::map<std::string, std::map<std::string, Sum>> rates_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  if (!LoadCorpus() || !CheckAgreement()) return 1;
  RegisterAll();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
