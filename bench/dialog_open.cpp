// Opening the test dialog that holds every control and painting it once,
// at 240x320: it should stay under 5 ms.
#include <benchmark/benchmark.h>

#include <cstddef>

#include "platform/controls/control_classes.h"
#include "platform/dialogs/dialogs.h"
#include "platform/resources/program_resources.h"
#include "platform/resources/resources.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/painting.h"
#include "platform/windows/windows.h"

const ResourceEntry* DialogTestResources(size_t* count);

namespace {

BOOL QuietProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG ? TRUE : FALSE; }

// Delivers what is queued, the painting of the dialog and its controls.
void Drain() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void OpenAndPaintDialog(benchmark::State& state) {
  InitCommonControls();
  ProgramResources resources;
  resources.resources = DialogTestResources(&resources.resourceCount);
  InstallProgramResources(resources);
  for (auto _ : state) {
    HWND dialog = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(100), nullptr, QuietProc, 0);
    if (dialog == nullptr) {
      state.SkipWithError("the dialog could not be made");
      break;
    }
    UpdateWindow(dialog);
    Drain();
    DestroyWindow(dialog);
    Drain();
  }
}
BENCHMARK(OpenAndPaintDialog)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
