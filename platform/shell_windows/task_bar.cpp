// The task bar and the shell's dialog calls of task_bar.h.
#include "platform/shell_windows/task_bar.h"

#include <set>
#include <string>

#include "platform/core/last_error.h"
#include "platform/gdi/gdi.h"
#include "platform/dialogs/dialog_items.h"
#include "platform/input_panel/input_panel.h"
#include "platform/shell_windows/menu_bar.h"
#include "platform/system/system_parameters.h"
#include "platform/text_drawing/text.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/painting.h"
#include "platform/windows/timers.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"

namespace devshellwin {
namespace {

constexpr WCHAR kClassName[] = u"HHTaskBar";

constexpr UINT_PTR kWatchTimer = 1;
constexpr UINT kWatchMilliseconds = 250;

struct TaskBarState {
  HWND window = nullptr;
  // What the bar shows now: redrawn when the foreground window, its title
  // or its Done button change.
  HWND shownWindow = nullptr;
  std::u16string shownTitle;
  bool shownDone = false;
  bool hidden = false;
  bool startIcon = true;
  std::set<HWND> doneWindows;
};

TaskBarState& State() {
  static TaskBarState state;
  return state;
}

RECT BarRect() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), work.top};
}

int DoneWidth(const RECT& client) { return client.bottom * 3 / 2; }

// The title without the '&' that marks a mnemonic ("&&" is one '&').
std::u16string PlainTitle(HWND window) {
  WCHAR text[128] = {};
  GetWindowTextW(window, text, 128);
  std::u16string plain;
  for (size_t i = 0; text[i] != 0; ++i) {
    if (text[i] == u'&' && text[i + 1] != 0) ++i;
    plain.push_back(text[i]);
  }
  return plain;
}

void Paint(HWND bar) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(bar, &paint);
  if (dc == nullptr) return;
  RECT client;
  GetClientRect(bar, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkMode(dc, TRANSPARENT);
  int left = 4;
  if (State().startIcon) {
    int size = client.bottom - 8;
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Ellipse(dc, 4, 4, 4 + size, 4 + size);
    left += size + 6;
  }
  HWND foreground = GetForegroundWindow();
  bool done = foreground != nullptr && HasDoneButton(foreground);
  State().shownWindow = foreground;
  State().shownTitle = foreground != nullptr ? PlainTitle(foreground) : std::u16string();
  State().shownDone = done;
  RECT title{left, 0, client.right - (done ? DoneWidth(client) : 0) - 2, client.bottom};
  if (foreground != nullptr) {
    std::u16string text = PlainTitle(foreground);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &title,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (done) {
    RECT button{client.right - DoneWidth(client), 3, client.right - 3, client.bottom - 3};
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    SelectObject(dc, GetStockObject(WHITE_PEN));
    RoundRect(dc, button.left, button.top, button.right, button.bottom, 6, 6);
    DrawTextW(dc, u"ok", 2, &button, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  EndPaint(bar, &paint);
}

LRESULT BarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN: {
      RECT client;
      GetClientRect(bar, &client);
      int x = static_cast<short>(LOWORD(static_cast<uintptr_t>(lParam)));
      HWND foreground = GetForegroundWindow();
      if (foreground != nullptr && HasDoneButton(foreground) && x >= client.right - DoneWidth(client))
        PostMessageW(foreground, WM_COMMAND, IDOK, 0);
      return 0;
    }
    case WM_PAINT:
      Paint(bar);
      return 0;
    case WM_TIMER: {
      TaskBarState& state = State();
      HWND foreground = GetForegroundWindow();
      bool done = foreground != nullptr && HasDoneButton(foreground);
      std::u16string title = foreground != nullptr ? PlainTitle(foreground) : std::u16string();
      if (foreground != state.shownWindow || done != state.shownDone || title != state.shownTitle)
        InvalidateRect(bar, nullptr, TRUE);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_DESTROY:
      if (State().window == bar) State().window = nullptr;
      break;
  }
  return DefWindowProcW(bar, message, wParam, lParam);
}

HWND EnsureBar() {
  TaskBarState& state = State();
  if (state.window != nullptr && IsWindow(state.window)) return state.window;
  WNDCLASSW existing;
  if (!GetClassInfoW(nullptr, kClassName, &existing)) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = BarProc;
    wc.lpszClassName = kClassName;
    if (RegisterClassW(&wc) == 0) return nullptr;
  }
  RECT place = BarRect();
  state.window = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, u"",
                                 WS_POPUP, place.left, place.top, place.right - place.left,
                                 place.bottom - place.top, nullptr, nullptr, nullptr, nullptr);
  if (state.window == nullptr) return nullptr;
  devsip::MarkShellWindow(state.window);
  SetTimer(state.window, kWatchTimer, kWatchMilliseconds, nullptr);
  if (!state.hidden) ShowWindow(state.window, SW_SHOWNOACTIVATE);
  return state.window;
}

}  // namespace

bool HasDoneButton(HWND window) { return State().doneWindows.count(window) != 0 && IsWindow(window); }
HWND TaskBar() { return State().window; }

void RefreshTaskBar() {
  if (HWND bar = EnsureBar()) InvalidateRect(bar, nullptr, TRUE);
}

// A handle that is not a window of this process (another program's, or
// one already gone) is accepted and left alone, as the shell's calls
// answered before its windows existed.
BOOL InitDialog(SHINITDLGINFO* info) {
  if (info == nullptr || info->hDlg == nullptr) return FALSE;
  if (!IsWindow(info->hDlg)) return TRUE;
  if ((info->dwMask & SHIDIM_FLAGS) == 0) return TRUE;
  DWORD flags = info->dwFlags;
  if (flags & SHIDIF_DONEBUTTON) State().doneWindows.insert(info->hDlg);
  if (flags & SHIDIF_SIPDOWN) SipShowIM(SIPF_OFF);
  if (flags & (SHIDIF_SIZEDLG | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_FULLSCREENNOMENUBAR)) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    if ((flags & SHIDIF_FULLSCREENNOMENUBAR) == 0) work.bottom -= devsip::MenuBarHeight();
    if ((flags & SHIDIF_SIZEDLG) && devsip::PanelShown()) work.bottom = devsip::PanelRect().top;
    SetWindowPos(info->hDlg, nullptr, work.left, work.top, work.right - work.left, work.bottom - work.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RefreshTaskBar();
  return TRUE;
}

BOOL DoneButton(HWND window, DWORD state) {
  if (window == nullptr) return FALSE;
  if (!IsWindow(window)) return TRUE;
  if (state == SHDB_SHOW) State().doneWindows.insert(window);
  else State().doneWindows.erase(window);
  RefreshTaskBar();
  return TRUE;
}

BOOL FullScreen(HWND window, DWORD state) {
  if (window == nullptr) return FALSE;
  TaskBarState& bar = State();
  if (state & SHFS_HIDETASKBAR) bar.hidden = true;
  if (state & SHFS_SHOWTASKBAR) bar.hidden = false;
  if (state & SHFS_HIDESTARTICON) bar.startIcon = false;
  if (state & SHFS_SHOWSTARTICON) bar.startIcon = true;
  if (state & SHFS_HIDESIPBUTTON) ShowPanelButtons(false);
  if (state & SHFS_SHOWSIPBUTTON) ShowPanelButtons(true);
  if (HWND taskBar = EnsureBar()) {
    ShowWindow(taskBar, bar.hidden ? SW_HIDE : SW_SHOWNOACTIVATE);
    InvalidateRect(taskBar, nullptr, TRUE);
  }
  return TRUE;
}

void ResetTaskBar() {
  TaskBarState& state = State();
  if (state.window != nullptr && IsWindow(state.window)) DestroyWindow(state.window);
  state = TaskBarState{};
}

}  // namespace devshellwin
