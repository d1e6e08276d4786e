// The drawing primitives on a screen-sized bitmap: fills, inversions and
// blits between the formats the reader meets (16-bit screen, 8-bit
// pictures, 32-bit sections), stretched and keyed blits, and scrolling.
#include <benchmark/benchmark.h>

#include "platform/gdi/gdi.h"

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 320;

struct Surface {
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
  explicit Surface(int bits) {
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateBitmap(kWidth, kHeight, 1, bits, nullptr);
    old = SelectObject(dc, bitmap);
    for (int y = 0; y < kHeight; y += 7) {
      for (int x = 0; x < kWidth; x += 5) SetPixel(dc, x, y, RGB(x, y & 0xFF, (x * y) & 0xFF));
    }
  }
  ~Surface() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
};

void FillRectScreen(benchmark::State& state) {
  Surface screen(16);
  HBRUSH brush = CreateSolidBrush(RGB(10, 200, 30));
  RECT all{0, 0, kWidth, kHeight};
  for (auto _ : state) FillRect(screen.dc, &all, brush);
  DeleteObject(brush);
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(FillRectScreen);

void InvertRectangleScreen(benchmark::State& state) {
  Surface screen(16);
  SetROP2(screen.dc, R2_NOT);
  SelectObject(screen.dc, GetStockObject(NULL_PEN));
  SelectObject(screen.dc, GetStockObject(BLACK_BRUSH));
  for (auto _ : state) Rectangle(screen.dc, 0, 0, kWidth + 1, kHeight + 1);
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(InvertRectangleScreen);

// Source bits, target bits.
void BitBltFormats(benchmark::State& state) {
  Surface source(static_cast<int>(state.range(0)));
  Surface target(static_cast<int>(state.range(1)));
  for (auto _ : state) BitBlt(target.dc, 0, 0, kWidth, kHeight, source.dc, 0, 0, SRCCOPY);
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BitBltFormats)->Args({16, 16})->Args({32, 32})->Args({8, 16})->Args({32, 16})->Args({16, 32})->Args({16, 8});

void BitBltSourceAnd(benchmark::State& state) {
  Surface source(16), target(16);
  for (auto _ : state) BitBlt(target.dc, 0, 0, kWidth, kHeight, source.dc, 0, 0, SRCAND);
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BitBltSourceAnd);

void StretchHalf(benchmark::State& state) {
  Surface source(16), target(16);
  for (auto _ : state) {
    StretchBlt(target.dc, 0, 0, kWidth / 2, kHeight / 2, source.dc, 0, 0, kWidth, kHeight, SRCCOPY);
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight / 4);
}
BENCHMARK(StretchHalf);

void TransparentScreen(benchmark::State& state) {
  Surface source(16), target(16);
  for (auto _ : state) {
    TransparentImage(target.dc, 0, 0, kWidth, kHeight, source.dc, 0, 0, kWidth, kHeight, RGB(0, 0, 0));
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(TransparentScreen);

void ScrollScreen(benchmark::State& state) {
  Surface screen(16);
  RECT area{0, 0, kWidth, kHeight};
  for (auto _ : state) ScrollDC(screen.dc, 0, -16, &area, nullptr, nullptr, nullptr);
  state.SetItemsProcessed(state.iterations() * kWidth * (kHeight - 16));
}
BENCHMARK(ScrollScreen);

}  // namespace

BENCHMARK_MAIN();
