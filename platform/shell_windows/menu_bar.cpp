// The menu bar of menu_bar.h.
#include "platform/shell_windows/menu_bar.h"

#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "platform/controls/control_classes.h"
#include "platform/controls/toolbar.h"
#include "platform/core/last_error.h"
#include "platform/input_panel/input_panel.h"
#include "platform/menus/menus.h"
#include "platform/resources/load_string.h"
#include "platform/resources/resources.h"
#include "platform/text_drawing/text.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/painting.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"

namespace devshellwin {
namespace {

constexpr WCHAR kFrameClass[] = u"menu_worker";
constexpr int kBarId = 1;
constexpr WORD kNoImage = 0xFFFE;
constexpr WORD kNoMenu = 0xFFFF;
constexpr WORD kMaxKeys = 32;

struct Bar {
  HWND owner = nullptr;
  HWND frame = nullptr;
  HWND toolbar = nullptr;
  HMENU menu = nullptr;
  WNDPROC toolbarProc = nullptr;
  std::vector<SoftKey> keys;
  std::vector<std::u16string> texts;
};

std::map<HWND, Bar*>& Bars() {  // by toolbar and by frame
  static std::map<HWND, Bar*> bars;
  return bars;
}
bool& PanelButtonsShown() {
  static bool shown = true;
  return shown;
}

Bar* BarOf(HWND window) {
  auto found = Bars().find(window);
  return found == Bars().end() ? nullptr : found->second;
}

int PanelButtonWidth() { return devsip::MenuBarHeight(); }

const SoftKey* KeyOf(const Bar& bar, int command) {
  for (const SoftKey& key : bar.keys)
    if (key.command == command) return &key;
  return nullptr;
}

HMENU SubMenuOf(const Bar& bar, const SoftKey& key) {
  if (key.menuIndex == kNoMenu || bar.menu == nullptr) return nullptr;
  return GetSubMenu(bar.menu, key.menuIndex);
}

// A key's tap: its menu above the bar, or its command.
void Press(Bar& bar, int command) {
  const SoftKey* key = KeyOf(bar, command);
  if (key == nullptr) return;
  HMENU sub = SubMenuOf(bar, *key);
  if (sub == nullptr) {
    PostMessageW(bar.owner, WM_COMMAND, command, 0);
    return;
  }
  RECT item{};
  int index = static_cast<int>(SendMessageW(bar.toolbar, TB_COMMANDTOINDEX, command, 0));
  SendMessageW(bar.toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
  POINT corner{item.left, 0};
  ClientToScreen(bar.toolbar, &corner);
  bool right = index > 0 && index == static_cast<int>(bar.keys.size()) - 1;
  if (right) {
    POINT end{item.right, 0};
    ClientToScreen(bar.toolbar, &end);
    corner.x = end.x;
  }
  UINT chosen = static_cast<UINT>(TrackPopupMenuEx(
      sub, TPM_RETURNCMD | TPM_BOTTOMALIGN | (right ? TPM_RIGHTALIGN : TPM_LEFTALIGN), corner.x, corner.y, bar.owner,
      nullptr));
  if (chosen != 0 && IsWindow(bar.owner)) PostMessageW(bar.owner, WM_COMMAND, chosen, 0);
}

LRESULT ToolbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Bar* bar = BarOf(window);
  if (bar == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  WNDPROC base = bar->toolbarProc;
  switch (message) {
    case SHCMBM_GETSUBMENU: {
      const SoftKey* key = KeyOf(*bar, static_cast<int>(lParam));
      return key != nullptr ? reinterpret_cast<LRESULT>(SubMenuOf(*bar, *key)) : 0;
    }
    case SHCMBM_GETMENU:
      return reinterpret_cast<LRESULT>(bar->menu);
    case WM_NCDESTROY: {
      LRESULT result = CallWindowProcW(base, window, message, wParam, lParam);
      Bars().erase(window);
      return result;
    }
  }
  return CallWindowProcW(base, window, message, wParam, lParam);
}

void PaintFrame(HWND frame) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(frame, &paint);
  if (dc == nullptr) return;
  RECT client;
  GetClientRect(frame, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  MoveToEx(dc, 0, 0, nullptr);
  LineTo(dc, client.right, 0);
  if (PanelButtonsShown()) {
    // The input panel's button: a small keyboard.
    int size = client.bottom;
    RECT key{client.right - size + size / 5, size / 3, client.right - size / 5, size - size / 4};
    Rectangle(dc, key.left, key.top, key.right, key.bottom);
    int step = (key.right - key.left) / 4;
    for (int i = 1; i < 4; ++i) {
      MoveToEx(dc, key.left + i * step, key.top, nullptr);
      LineTo(dc, key.left + i * step, key.bottom - (key.bottom - key.top) / 3);
    }
    MoveToEx(dc, key.left, key.bottom - (key.bottom - key.top) / 3, nullptr);
    LineTo(dc, key.right, key.bottom - (key.bottom - key.top) / 3);
  }
  EndPaint(frame, &paint);
}

LRESULT FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  Bar* bar = BarOf(frame);
  switch (message) {
    case WM_COMMAND:
      if (bar != nullptr && reinterpret_cast<HWND>(lParam) == bar->toolbar) Press(*bar, LOWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      const auto* notice = reinterpret_cast<const NMTOOLBARW*>(lParam);
      if (bar != nullptr && notice != nullptr && notice->hdr.code == TBN_DROPDOWN) {
        Press(*bar, notice->iItem);
        return TBDDRET_NODEFAULT;
      }
      return 0;
    }
    case WM_LBUTTONDOWN: {
      RECT client;
      GetClientRect(frame, &client);
      int x = static_cast<short>(LOWORD(static_cast<uintptr_t>(lParam)));
      if (PanelButtonsShown() && x >= client.right - PanelButtonWidth()) devsip::TogglePanel();
      return 0;
    }
    case WM_PAINT:
      PaintFrame(frame);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_NCDESTROY:
      if (bar != nullptr) {
        // The toolbar may outlive this message by a little: it gets its
        // own procedure back and the bar is forgotten under both names.
        if (bar->toolbar != nullptr && IsWindow(bar->toolbar) && BarOf(bar->toolbar) == bar)
          SetWindowLongPtrW(bar->toolbar, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(bar->toolbarProc));
        Bars().erase(bar->toolbar);
        Bars().erase(frame);
        if (bar->menu != nullptr) DestroyMenu(bar->menu);
        delete bar;
      }
      break;
  }
  return DefWindowProcW(frame, message, wParam, lParam);
}

bool RegisterFrame() {
  WNDCLASSW existing;
  if (GetClassInfoW(nullptr, kFrameClass, &existing)) return true;
  WNDCLASSW wc{};
  wc.lpfnWndProc = FrameProc;
  wc.lpszClassName = kFrameClass;
  return RegisterClassW(&wc) != 0;
}

WORD Word(const BYTE* at) { return static_cast<WORD>(at[0] | (at[1] << 8)); }

}  // namespace

bool ReadBarDefinition(const BYTE* data, size_t size, WORD* menuId, std::vector<SoftKey>* keys) {
  keys->clear();
  if (data == nullptr || size < 4) return false;
  *menuId = Word(data);
  WORD count = Word(data + 2);
  if (count > kMaxKeys || size != 4 + static_cast<size_t>(count) * 14) return false;
  for (WORD i = 0; i < count; ++i) {
    const BYTE* at = data + 4 + static_cast<size_t>(i) * 14;
    keys->push_back({Word(at), Word(at + 2), Word(at + 4), Word(at + 6), Word(at + 8), Word(at + 10), Word(at + 12)});
  }
  return true;
}

BOOL CreateMenuBar(SHMENUBARINFO* info) {
  if (info == nullptr || info->cbSize != sizeof(SHMENUBARINFO) || !IsWindow(info->hwndParent) || !RegisterFrame()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::unique_ptr<Bar> bar(new (std::nothrow) Bar);
  if (bar == nullptr) return FALSE;
  bar->owner = info->hwndParent;
  if ((info->dwFlags & SHCMBF_EMPTYBAR) == 0) {
    HINSTANCE instance = info->hInstRes;
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(static_cast<WORD>(info->nToolBarId)), RT_RCDATA);
    WORD menuId = 0;
    if (found == nullptr ||
        !ReadBarDefinition(static_cast<const BYTE*>(LockResource(LoadResource(instance, found))),
                           SizeofResource(instance, found), &menuId, &bar->keys)) {
      SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
      return FALSE;
    }
    if (info->dwFlags & SHCMBF_HMENU) {
      bar->menu = nullptr;  // the caller's menu is not the bar's to destroy
    } else {
      bar->menu = LoadMenuW(instance, MAKEINTRESOURCEW(menuId));
      if (bar->menu == nullptr) return FALSE;
    }
    int menus = bar->menu != nullptr ? GetMenuItemCount(bar->menu) : 0;
    for (const SoftKey& key : bar->keys) {
      if (key.menuIndex != kNoMenu && (static_cast<int>(key.menuIndex) >= menus ||
                                       GetSubMenu(bar->menu, key.menuIndex) == nullptr)) {
        if (bar->menu != nullptr) DestroyMenu(bar->menu);
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return FALSE;
      }
    }
  }
  int height = devsip::MenuBarHeight();
  int width = GetSystemMetrics(SM_CXSCREEN);
  int top = GetSystemMetrics(SM_CYSCREEN) - height;
  HWND frame = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOPMOST, kFrameClass, u"", WS_POPUP, 0, top, width, height,
                               info->hwndParent, nullptr, nullptr, nullptr);
  if (frame == nullptr) {
    if (bar->menu != nullptr) DestroyMenu(bar->menu);
    return FALSE;
  }
  devsip::MarkShellWindow(frame);
  Bar* kept = bar.release();
  kept->frame = frame;
  Bars()[frame] = kept;
  int toolbarWidth = width - (PanelButtonsShown() ? PanelButtonWidth() : 0);
  kept->toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, u"",
                                  WS_CHILD | WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER |
                                      TBSTYLE_FLAT | TBSTYLE_LIST,
                                  0, 1, toolbarWidth, height - 1, frame,
                                  reinterpret_cast<HMENU>(static_cast<uintptr_t>(kBarId)), nullptr, nullptr);
  if (kept->toolbar == nullptr) {
    DestroyWindow(frame);
    return FALSE;
  }
  Bars()[kept->toolbar] = kept;
  kept->toolbarProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(kept->toolbar, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&ToolbarProc)));
  SendMessageW(kept->toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  kept->texts.reserve(kept->keys.size());
  for (const SoftKey& key : kept->keys) {
    const WCHAR* text = nullptr;
    LONG_PTR length = LoadStringW(info->hInstRes, key.textId, reinterpret_cast<LPWSTR>(&text), 0);
    kept->texts.emplace_back(text != nullptr && length > 0 ? std::u16string(text, static_cast<size_t>(length))
                                                           : std::u16string());
  }
  for (size_t i = 0; i < kept->keys.size(); ++i) {
    const SoftKey& key = kept->keys[i];
    TBBUTTON button{};
    button.iBitmap = key.image == kNoImage ? -2 : key.image;
    button.idCommand = key.command;
    button.fsState = static_cast<BYTE>(key.state);
    button.fsStyle = static_cast<BYTE>(key.style & ~TBSTYLE_DROPDOWN);  // the bar opens menus on the tap
    button.iString = reinterpret_cast<intptr_t>(kept->texts[i].c_str());
    SendMessageW(kept->toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
  }
  if ((info->dwFlags & SHCMBF_HIDDEN) == 0) ShowWindow(frame, SW_SHOWNOACTIVATE);
  info->hwndMB = kept->toolbar;
  return TRUE;
}

void ShowPanelButtons(bool show) {
  if (PanelButtonsShown() == show) return;
  PanelButtonsShown() = show;
  for (auto& entry : Bars()) {
    Bar* bar = entry.second;
    if (entry.first != bar->frame) continue;
    RECT client;
    GetClientRect(bar->frame, &client);
    MoveWindow(bar->toolbar, 0, 1, client.right - (show ? PanelButtonWidth() : 0), client.bottom - 1, TRUE);
    InvalidateRect(bar->frame, nullptr, TRUE);
  }
}

HWND BarFrameOf(HWND bar) {
  Bar* found = BarOf(bar);
  return found != nullptr ? found->frame : nullptr;
}

}  // namespace devshellwin
