// The input panel of input_panel.h.
#include "platform/input_panel/input_panel.h"

#include <set>
#include <string>
#include <vector>

#include "platform/core/device_profile.h"
#include "platform/core/last_error.h"
#include "platform/gdi/gdi.h"
#include "platform/input/virtual_keys.h"
#include "platform/system/system_parameters.h"
#include "platform/text_drawing/text.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/painting.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"
#ifdef TESSALYN_TEST_HOOKS
#include "platform/input_panel/input_panel_hooks.h"
#endif

namespace devsip {
namespace {

constexpr WCHAR kClassName[] = u"SipWndClass";
constexpr int kMenuBarHeight = 26;  // at 96 dpi
constexpr int kPanelHeight = 80;    // at 96 dpi
constexpr int kColumns = 12;        // key widths per row

// One key: what it types and how many columns wide it is.
struct Key {
  UINT virtualKey;
  char16_t character;  // 0: Shift
  int columns;
  const char16_t* label;
};

const std::vector<std::vector<Key>>& Rows() {
  static const std::vector<std::vector<Key>> rows = [] {
    std::vector<std::vector<Key>> made(5);
    for (char16_t c : std::u16string(u"1234567890-="))
      made[0].push_back({c == u'-' ? 0xBDu : c == u'=' ? 0xBBu : static_cast<UINT>(c), c, 1, nullptr});
    for (char16_t c : std::u16string(u"qwertyuiop"))
      made[1].push_back({static_cast<UINT>(c - u'a' + u'A'), c, 1, nullptr});
    made[1].push_back({VK_BACK, 8, 2, u"<-"});
    for (char16_t c : std::u16string(u"asdfghjkl"))
      made[2].push_back({static_cast<UINT>(c - u'a' + u'A'), c, 1, nullptr});
    made[2].push_back({VK_RETURN, 13, 3, u"Enter"});
    made[3].push_back({VK_SHIFT, 0, 2, u"Shift"});
    for (char16_t c : std::u16string(u"zxcvbnm"))
      made[3].push_back({static_cast<UINT>(c - u'a' + u'A'), c, 1, nullptr});
    made[3].push_back({0xBCu, u',', 1, nullptr});
    made[3].push_back({0xBEu, u'.', 1, nullptr});
    made[3].push_back({0xBFu, u'/', 1, nullptr});
    made[4].push_back({0xBAu, u';', 1, nullptr});
    made[4].push_back({0xDEu, u'\'', 1, nullptr});
    made[4].push_back({VK_SPACE, u' ', 8, u"Space"});
    made[4].push_back({0xC0u, u'?', 1, nullptr});
    made[4].push_back({0xC1u, u'!', 1, nullptr});
    return made;
  }();
  return rows;
}

struct PanelState {
  bool shown = false;
  bool shift = false;
  HWND window = nullptr;
  std::set<HWND> shellWindows;
};

PanelState& State() {
  static PanelState state;
  return state;
}

int Scaled(int value) { return value * devsystem::Profile().dpi / 96; }

// The key's rectangle in the panel's client area.
RECT KeyRect(size_t row, int column, int columns, const RECT& client) {
  int rowHeight = (client.bottom - client.top) / 5;
  int left = client.right * column / kColumns;
  int right = client.right * (column + columns) / kColumns;
  int top = static_cast<int>(row) * rowHeight;
  return RECT{left, top, right, top + rowHeight};
}

const Key* KeyAt(POINT point, const RECT& client) {
  const auto& rows = Rows();
  for (size_t r = 0; r < rows.size(); ++r) {
    int column = 0;
    for (const Key& key : rows[r]) {
      RECT rect = KeyRect(r, column, key.columns, client);
      if (point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom) return &key;
      column += key.columns;
    }
  }
  return nullptr;
}

void Type(const Key& key) {
  PanelState& state = State();
  if (key.virtualKey == VK_SHIFT) {
    state.shift = !state.shift;
    InvalidateRect(state.window, nullptr, TRUE);
    return;
  }
  HWND focus = GetFocus();
  if (focus == nullptr) return;
  char16_t character = key.character;
  if (state.shift && character >= u'a' && character <= u'z') character = static_cast<char16_t>(character - 32);
  SendMessageW(focus, WM_KEYDOWN, key.virtualKey, 1);
  if (IsWindow(focus)) SendMessageW(focus, WM_CHAR, character, 1);
  if (IsWindow(focus)) SendMessageW(focus, WM_KEYUP, key.virtualKey, static_cast<LPARAM>(0xC0000001u));
  if (state.shift) {
    state.shift = false;
    if (IsWindow(state.window)) InvalidateRect(state.window, nullptr, TRUE);
  }
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (dc == nullptr) return;
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  const auto& rows = Rows();
  for (size_t r = 0; r < rows.size(); ++r) {
    int column = 0;
    for (const Key& key : rows[r]) {
      RECT rect = KeyRect(r, column, key.columns, client);
      column += key.columns;
      bool pressed = key.virtualKey == VK_SHIFT && State().shift;
      SelectObject(dc, GetStockObject(pressed ? GRAY_BRUSH : WHITE_BRUSH));
      Rectangle(dc, rect.left, rect.top, rect.right + 1, rect.bottom + 1);
      std::u16string label;
      if (key.label != nullptr) label = key.label;
      else if (State().shift && key.character >= u'a' && key.character <= u'z')
        label = std::u16string(1, static_cast<char16_t>(key.character - 32));
      else label = std::u16string(1, key.character);
      DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &rect,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
  }
  EndPaint(window, &paint);
}

LRESULT PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN: {
      RECT client;
      GetClientRect(window, &client);
      POINT point{static_cast<short>(LOWORD(static_cast<uintptr_t>(lParam))),
                  static_cast<short>(HIWORD(static_cast<uintptr_t>(lParam)))};
      if (const Key* key = KeyAt(point, client)) Type(*key);
      return 0;
    }
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_DESTROY:
      if (State().window == window) State().window = nullptr;
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool EnsureWindow() {
  PanelState& state = State();
  if (state.window != nullptr && IsWindow(state.window)) return true;
  WNDCLASSW existing;
  if (!GetClassInfoW(nullptr, kClassName, &existing)) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PanelProc;
    wc.lpszClassName = kClassName;
    if (RegisterClassW(&wc) == 0) return false;
  }
  RECT place = PanelRect();
  state.window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kClassName, u"", WS_POPUP,
                                 place.left, place.top, place.right - place.left, place.bottom - place.top, nullptr,
                                 nullptr, nullptr, nullptr);
  if (state.window != nullptr) state.shellWindows.insert(state.window);
  return state.window != nullptr;
}

}  // namespace

int MenuBarHeight() { return Scaled(kMenuBarHeight); }

RECT PanelRect() {
  int width = GetSystemMetrics(SM_CXSCREEN);
  int bottom = GetSystemMetrics(SM_CYSCREEN) - MenuBarHeight();
  return RECT{0, bottom - Scaled(kPanelHeight), width, bottom};
}

bool PanelShown() { return State().shown; }
HWND PanelWindow() { return State().window; }

void MarkShellWindow(HWND window) { State().shellWindows.insert(window); }

void BroadcastSettingChange(UINT what) {
  PanelState& state = State();
  HWND any = GetActiveWindow();
  if (any == nullptr) any = state.window;
  if (any == nullptr) return;
  while (GetParent(any) != nullptr && (GetWindowLongW(any, GWL_STYLE) & WS_CHILD)) any = GetParent(any);
  std::vector<HWND> windows;
  for (HWND top = GetWindow(any, GW_HWNDFIRST); top != nullptr; top = GetWindow(top, GW_HWNDNEXT)) {
    if (state.shellWindows.count(top) == 0) windows.push_back(top);
  }
  for (HWND window : windows) {
    if (IsWindow(window)) SendMessageW(window, WM_SETTINGCHANGE, what, 0);
  }
}

void TogglePanel() { SipShowIM(State().shown ? SIPF_OFF : SIPF_ON); }

void ResetPanel() {
  PanelState& state = State();
  if (state.window != nullptr && IsWindow(state.window)) DestroyWindow(state.window);
  state = PanelState{};
}

}  // namespace devsip

BOOL SipShowIM(DWORD flags) {
  if (flags != SIPF_ON && flags != SIPF_OFF) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  devsip::PanelState& state = devsip::State();
  bool on = flags == SIPF_ON;
  if (on == state.shown) return TRUE;
  if (on && !devsip::EnsureWindow()) return FALSE;
  state.shown = on;
  if (state.window != nullptr) {
    RECT place = devsip::PanelRect();
    SetWindowPos(state.window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(state.window, on ? SW_SHOWNOACTIVATE : SW_HIDE);
  }
#ifdef TESSALYN_TEST_HOOKS
  devtest::InputPanelJournal().push_back(on);
#endif
  devsip::BroadcastSettingChange(SPI_SETSIPINFO);
  return TRUE;
}

BOOL SipGetInfo(SIPINFO* info) {
  if (info == nullptr || info->cbSize != sizeof(SIPINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT panel = devsip::PanelRect();
  info->fdwFlags = SIPF_DOCKED | (devsip::PanelShown() ? SIPF_ON : 0);
  info->rcSipRect = panel;
  info->rcVisibleDesktop = work;
  int bottom = devsip::PanelShown() ? panel.top : panel.bottom;
  if (info->rcVisibleDesktop.bottom > bottom) info->rcVisibleDesktop.bottom = bottom;
  info->dwImDataSize = 0;
  return TRUE;
}

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

std::vector<bool>& InputPanelJournal() {
  static std::vector<bool> journal;
  return journal;
}

}  // namespace devtest
#endif
