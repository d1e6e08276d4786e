// The list view as the library fills it: inserting rows with a text and an
// item pointer, sorting them by a callback over the items, and painting one
// screen of the list. Filling and sorting 50,000 rows should cost at most
// 15 times 5,000 rows (the ratio of FillAndSort/50000 to FillAndSort/5000);
// painting a screen should cost about the same with 50 rows as with 50,000
// (PaintScreen/50 against PaintScreen/50000).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/controls/control_classes.h"
#include "platform/controls/list_view.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/painting.h"
#include "platform/windows/windows.h"

namespace {

// What a row points at: a sort key, as a library item would carry.
struct Item {
  uint32_t key;
  std::u16string title;
};

std::vector<Item> MakeItems(int count) {
  std::vector<Item> items(static_cast<size_t>(count));
  uint32_t seed = 12345;
  for (int i = 0; i < count; ++i) {
    seed = seed * 1103515245u + 12345u;
    items[static_cast<size_t>(i)].key = seed >> 8;
    std::string digits = std::to_string(seed % 100000);
    items[static_cast<size_t>(i)].title = u"Book " + std::u16string(digits.begin(), digits.end());
  }
  return items;
}

int CompareItems(LPARAM a, LPARAM b, LPARAM) {
  uint32_t x = reinterpret_cast<const Item*>(a)->key, y = reinterpret_cast<const Item*>(b)->key;
  return x < y ? -1 : x > y ? 1 : 0;
}

HWND MakeList() {
  InitCommonControls();
  return CreateWindowExW(0, u"SysListView32", u"", WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | WS_VSCROLL, 0, 0, 240, 320,
                         nullptr, nullptr, nullptr, nullptr);
}

void Fill(HWND list, std::vector<Item>& items) {
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = 220;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  for (size_t i = 0; i < items.size(); ++i) {
    LVITEMW row{};
    row.mask = LVIF_TEXT | LVIF_PARAM;
    row.iItem = static_cast<int>(i);
    row.pszText = items[i].title.data();
    row.lParam = reinterpret_cast<LPARAM>(&items[i]);
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row));
  }
}

void FillAndSort(benchmark::State& state) {
  std::vector<Item> items = MakeItems(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    HWND list = MakeList();
    Fill(list, items);
    SendMessageW(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(CompareItems));
    DestroyWindow(list);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(FillAndSort)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);

void PaintScreen(benchmark::State& state) {
  std::vector<Item> items = MakeItems(static_cast<int>(state.range(0)));
  HWND list = MakeList();
  Fill(list, items);
  SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(items.size() / 2), FALSE);
  for (auto _ : state) {
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
  }
  DestroyWindow(list);
}
BENCHMARK(PaintScreen)->Arg(50)->Arg(50000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
