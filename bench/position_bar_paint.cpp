// Painting the reading-position bar with 2,000 marks on a 480-pixel bar
// (a 480 x 640 screen): one whole paint (background, track, caps, every
// bracket, the page label) per iteration. The goal is under 5 ms a paint:
// the bar is repainted on every page turn.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench/bench_device_root.h"
#include "browser/bar/position_bar.h"
#include "layout/drawing/drawing_surface.h"
#include "platform/windows/windows.h"
#include "storage/side_file/book_parameter_file.h"

namespace {

constexpr uint32_t kLength = 1000000;
constexpr int kMarks = 2000;

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

// The view at the middle of a book of a million characters, page 412.
class Host : public PositionBarHost {
 public:
  uint32_t GetTextLength() override { return kLength; }
  uint32_t GetCurrentPosition() override { return kLength / 2; }
  uint32_t GetCurrentPageNumber() override { return 412; }
  BookParameterFile* GetSideFile() override { return sideFile; }
  bool PreviousBookmark() override { return false; }
  bool NextBookmark() override { return false; }
  bool GoToBookmark(uint32_t) override { return false; }
  bool GoToTextPosition(uint32_t) override { return false; }
  void RunCommand(int32_t) override {}
  void ApplyProgressBarSetting() override {}
  int32_t GetDefaultSetting(uint32_t key) override { return key == 12 ? 12 : key == 13 ? 8 : 3; }
  Color GetBackgroundColor() override { return Color::FromRgb(255, 255, 255); }
  Color GetTextColor() override { return Color::FromRgb(0, 0, 0); }
  int8_t GetFontSize() override { return 10; }

  BookParameterFile* sideFile = nullptr;
};

void PaintWithMarks(benchmark::State& state) {
  benchroot::MakeDeviceRoot("bench_position_bar");
  Fonts fonts;
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"PositionBarBench";
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(0, u"PositionBarBench", u"", WS_POPUP | WS_VISIBLE, 0, 0, 480, 640, nullptr, nullptr,
                                nullptr, nullptr);
  Host host;
  host.sideFile = new BookParameterFile;
  EncodedString path;
  path.FromWide(u"\\book.prc");
  if (host.sideFile->Create(path, "book", 4, false, true, false) != RecordResult::kOk) {
    state.SkipWithError("no side file");
    return;
  }
  for (int i = 0; i < kMarks; ++i) {
    uint32_t p = static_cast<uint32_t>(uint64_t{kLength} * static_cast<uint64_t>(i) / kMarks + 7);
    host.sideFile->AddBookmark(p, p + 10, p, 0, 0, 1u << (i % 6));
  }
  {
    DrawingSurface surface(&fonts);
    surface.SetWindow(window);
    PositionBar* bar = new PositionBar(&host);
    bar->SetContainer(&surface);
    bar->SetVisible(true);
    Rect rest;
    bar->Arrange(&rest, Rect{0, 0, 480, 640});
    bar->PaintNow();  // measures the label once
    for (auto _ : state) bar->PaintNow();
    state.counters["bar_px"] = bar->Band().width;
    state.counters["marks"] = kMarks;
    bar->LeaveParent();
    bar->Release();
  }
  host.sideFile->Release();
  DestroyWindow(window);
}

}  // namespace

BENCHMARK(PaintWithMarks)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  // The device's screen: a 480-pixel bar needs a screen that wide.
  setenv("TESSALYN_SCREEN", "480x640", 1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
