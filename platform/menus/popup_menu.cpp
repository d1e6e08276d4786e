// Pop-up menus: the owner is told first (WM_INITMENUPOPUP, also before each
// sub-menu opens), then the menu is drawn in a window of its own, kept on
// the screen, and a modal loop runs in which a tap on an item chooses it
// (or opens its sub-menu), a tap outside every open level cancels, the
// arrow keys move through the items and into and out of sub-menus, Enter
// chooses and Escape closes the deepest level. The choice is answered or
// posted to the owner as WM_COMMAND. Menus do not take the activation.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/core/device_profile.h"
#include "platform/core/last_error.h"
#include "platform/gdi/gdi.h"
#include "platform/input/virtual_keys.h"
#include "platform/menus/menu_object.h"
#include "platform/menus/menus.h"
#include "platform/modals/modal_loop.h"
#include "platform/text_drawing/text.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/painting.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"
#ifdef TESSALYN_TEST_HOOKS
#include "platform/modals/modal_hooks.h"
#endif

namespace {

constexpr WCHAR kClassName[] = u"MNU";

int Scaled(int value) { return value * devsystem::Profile().dpi / 96; }

bool IsSeparator(const MenuItem& item) { return (item.type & MFT_SEPARATOR) != 0; }
bool IsGrey(const MenuItem& item) { return (item.state & (MF_GRAYED | MF_DISABLED)) != 0; }
bool Selectable(const MenuItem& item) { return !IsSeparator(item); }

// Whether `id` names an enabled command item of the menu or its sub-menus.
bool Choosable(HMENU menu, UINT id) {
  for (const MenuItem& item : menu->items) {
    if (item.subMenu != nullptr) {
      if (IsLiveMenu(item.subMenu) && Choosable(item.subMenu, id)) return true;
    } else if (!IsSeparator(item) && item.id == id && !IsGrey(item)) {
      return true;
    }
  }
  return false;
}

struct Level {
  HMENU menu = nullptr;
  HWND window = nullptr;
  int selected = -1;
  std::vector<RECT> items;  // client rectangles, one per item
};

struct Tracking {
  HWND owner = nullptr;
  std::vector<Level> levels;
  bool done = false;
  UINT chosen = 0;
};

Tracking* TrackingOf(HWND window) { return reinterpret_cast<Tracking*>(GetWindowLongPtrW(window, GWL_USERDATA)); }

int ItemHeight() { return Scaled(18); }
int SeparatorHeight() { return Scaled(7); }
int Margin() { return Scaled(16); }

// The items' rectangles and the window's size.
SIZE Measure(HMENU menu, std::vector<RECT>* items) {
  items->clear();
  int width = Scaled(60);
  HDC dc = GetDC(nullptr);
  int y = 1;
  for (const MenuItem& item : menu->items) {
    int height = IsSeparator(item) ? SeparatorHeight() : ItemHeight();
    if (!IsSeparator(item) && dc != nullptr) {
      SIZE text{};
      GetTextExtentPoint32W(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text);
      width = std::max(width, static_cast<int>(text.cx) + 2 * Margin() + Scaled(4));
    }
    items->push_back(RECT{1, y, 0, y + height});
    y += height;
  }
  if (dc != nullptr) ReleaseDC(nullptr, dc);
  for (RECT& r : *items) r.right = width + 1;
  return SIZE{width + 2, y + 1};
}

void DrawCheck(HDC dc, const RECT& item, bool radio) {
  int cx = item.left + Margin() / 2;
  int cy = (item.top + item.bottom) / 2;
  int r = Scaled(3);
  if (radio) {
    Ellipse(dc, cx - r, cy - r, cx + r + 1, cy + r + 1);
    return;
  }
  MoveToEx(dc, cx - r, cy, nullptr);
  LineTo(dc, cx - 1, cy + r);
  LineTo(dc, cx + r + 1, cy - r - 1);
  MoveToEx(dc, cx - r, cy + 1, nullptr);
  LineTo(dc, cx - 1, cy + r + 1);
  LineTo(dc, cx + r + 1, cy - r);
}

void DrawArrow(HDC dc, const RECT& item) {
  int x = item.right - Margin() / 2 - Scaled(2);
  int cy = (item.top + item.bottom) / 2;
  int h = Scaled(4);
  POINT points[3] = {{x, cy - h}, {x + h, cy}, {x, cy + h}};
  Polygon(dc, points, 3);
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  Tracking* tracking = TrackingOf(window);
  if (dc == nullptr) return;
  RECT client;
  GetClientRect(window, &client);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  Rectangle(dc, client.left, client.top, client.right, client.bottom);
  const Level* level = nullptr;
  if (tracking != nullptr) {
    for (const Level& candidate : tracking->levels)
      if (candidate.window == window) level = &candidate;
  }
  if (level != nullptr && IsLiveMenu(level->menu)) {
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < level->items.size() && i < level->menu->items.size(); ++i) {
      const MenuItem& item = level->menu->items[i];
      RECT r = level->items[i];
      if (IsSeparator(item)) {
        int y = (r.top + r.bottom) / 2;
        MoveToEx(dc, r.left + Scaled(2), y, nullptr);
        LineTo(dc, r.right - Scaled(2), y);
        continue;
      }
      bool selected = static_cast<int>(i) == level->selected;
      COLORREF ink = IsGrey(item) ? GetSysColor(COLOR_GRAYTEXT) : selected ? RGB(255, 255, 255) : RGB(0, 0, 0);
      if (selected) FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
      HPEN pen = CreatePen(PS_SOLID, 1, ink);
      HBRUSH brush = CreateSolidBrush(ink);
      HGDIOBJ oldPen = SelectObject(dc, pen);
      HGDIOBJ oldBrush = SelectObject(dc, brush);
      if (item.state & MF_CHECKED) DrawCheck(dc, r, (item.type & MFT_RADIOCHECK) != 0);
      if (item.subMenu != nullptr) DrawArrow(dc, r);
      SelectObject(dc, oldPen);
      SelectObject(dc, oldBrush);
      DeleteObject(pen);
      DeleteObject(brush);
      SetTextColor(dc, ink);
      RECT text{r.left + Margin(), r.top, r.right - Margin(), r.bottom};
      DrawTextW(dc, item.text.c_str(), static_cast<int>(item.text.size()), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
  }
  EndPaint(window, &paint);
}

LRESULT MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterMenuClass() {
  WNDCLASSW existing;
  if (GetClassInfoW(nullptr, kClassName, &existing)) return true;
  WNDCLASSW wc{};
  wc.lpfnWndProc = MenuWindowProc;
  wc.lpszClassName = kClassName;
  return RegisterClassW(&wc) != 0;
}

// Where a window of `size` goes for the asked point and alignment, kept on
// the screen.
POINT Place(SIZE size, int x, int y, UINT flags) {
  if (flags & TPM_RIGHTALIGN) x -= size.cx;
  else if (flags & TPM_CENTERALIGN) x -= size.cx / 2;
  if (flags & TPM_BOTTOMALIGN) y -= size.cy;
  else if (flags & TPM_VCENTERALIGN) y -= size.cy / 2;
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  x = std::max(0, std::min(x, width - static_cast<int>(size.cx)));
  y = std::max(0, std::min(y, height - static_cast<int>(size.cy)));
  return POINT{x, y};
}

// Opens `menu` as the next level at (x, y); false when it could not be.
bool Open(Tracking& tracking, HMENU menu, int x, int y, UINT flags, int index) {
  if (!tracking.levels.empty()) {
    // A sub-menu: the owner is told first, as for the menu itself.
    SendMessageW(tracking.owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), index);
    if (!IsLiveMenu(menu)) return false;
  }
  Level level;
  level.menu = menu;
  SIZE size = Measure(menu, &level.items);
  POINT at = Place(size, x, y, flags);
  level.window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kClassName, u"", WS_POPUP,
                                 at.x, at.y, size.cx, size.cy, nullptr, nullptr, nullptr, nullptr);
  if (level.window == nullptr) return false;
  SetWindowLongPtrW(level.window, GWL_USERDATA, reinterpret_cast<LONG_PTR>(&tracking));
  tracking.levels.push_back(std::move(level));
  ShowWindow(tracking.levels.back().window, SW_SHOWNOACTIVATE);
  return true;
}

void CloseDeepest(Tracking& tracking) {
  if (tracking.levels.empty()) return;
  HWND window = tracking.levels.back().window;
  tracking.levels.pop_back();
  if (IsWindow(window)) DestroyWindow(window);
}

void Select(Level& level, int index) {
  if (level.selected == index) return;
  level.selected = index;
  InvalidateRect(level.window, nullptr, TRUE);
}

// Opens the selected item's sub-menu beside it.
bool OpenSelectedSubMenu(Tracking& tracking) {
  Level& level = tracking.levels.back();
  if (level.selected < 0) return false;
  const MenuItem& item = level.menu->items[static_cast<size_t>(level.selected)];
  if (item.subMenu == nullptr || !IsLiveMenu(item.subMenu) || IsGrey(item)) return false;
  RECT r = level.items[static_cast<size_t>(level.selected)];
  POINT corner{r.right, r.top};
  ClientToScreen(level.window, &corner);
  std::vector<RECT> measured;
  SIZE size = Measure(item.subMenu, &measured);
  UINT flags = 0;
  if (corner.x + size.cx > GetSystemMetrics(SM_CXSCREEN)) {
    POINT left{r.left, r.top};
    ClientToScreen(level.window, &left);
    corner.x = left.x;
    flags = TPM_RIGHTALIGN;
  }
  int index = level.selected;
  HMENU sub = item.subMenu;
  return Open(tracking, sub, corner.x, corner.y, flags, index);
}

void Activate(Tracking& tracking) {
  Level& level = tracking.levels.back();
  if (level.selected < 0) return;
  const MenuItem& item = level.menu->items[static_cast<size_t>(level.selected)];
  if (item.subMenu != nullptr) {
    if (OpenSelectedSubMenu(tracking)) {
      Level& opened = tracking.levels.back();
      for (size_t i = 0; i < opened.menu->items.size(); ++i)
        if (Selectable(opened.menu->items[i])) {
          Select(opened, static_cast<int>(i));
          break;
        }
    }
    return;
  }
  if (IsSeparator(item) || IsGrey(item)) return;
  tracking.chosen = item.id;
  tracking.done = true;
}

void Move(Level& level, int step) {
  int count = static_cast<int>(level.menu->items.size());
  if (count == 0) return;
  int at = level.selected;
  for (int tries = 0; tries < count; ++tries) {
    at = at < 0 ? (step > 0 ? 0 : count - 1) : (at + step + count) % count;
    if (Selectable(level.menu->items[static_cast<size_t>(at)])) {
      Select(level, at);
      return;
    }
  }
}

// A tap at a screen point: the item under it, or a cancel outside.
void Tap(Tracking& tracking, POINT point) {
  for (size_t depth = tracking.levels.size(); depth-- > 0;) {
    Level& level = tracking.levels[depth];
    POINT local = point;
    ScreenToClient(level.window, &local);
    RECT client;
    GetClientRect(level.window, &client);
    if (local.x < 0 || local.y < 0 || local.x >= client.right || local.y >= client.bottom) continue;
    while (tracking.levels.size() > depth + 1) CloseDeepest(tracking);
    for (size_t i = 0; i < level.items.size(); ++i) {
      const RECT& r = level.items[i];
      if (local.y >= r.top && local.y < r.bottom && Selectable(level.menu->items[i])) {
        Select(level, static_cast<int>(i));
        Activate(tracking);  // may open a level: `level` is not used again
        return;
      }
    }
    return;
  }
  tracking.done = true;  // outside every level: nothing chosen
}

// Whether every open level still shows its menu as it was measured (the
// owner may change or destroy a menu while it is open).
bool LevelsIntact(const Tracking& tracking) {
  for (const Level& level : tracking.levels) {
    if (!IsLiveMenu(level.menu) || level.menu->items.size() != level.items.size()) return false;
  }
  return true;
}

bool FilterMenuInput(HWND, const MSG& message, void* context) {
  auto& tracking = *static_cast<Tracking*>(context);
  if (tracking.levels.empty()) return false;
  if (!LevelsIntact(tracking)) {
    tracking.done = true;  // nothing chosen from a menu that changed under the user
    return false;
  }
  if (message.message == WM_LBUTTONDOWN || message.message == WM_RBUTTONDOWN) {
    POINT point{static_cast<short>(LOWORD(static_cast<uintptr_t>(message.lParam))),
                static_cast<short>(HIWORD(static_cast<uintptr_t>(message.lParam)))};
    ClientToScreen(message.hwnd, &point);
    Tap(tracking, point);
    return true;
  }
  if (message.message == WM_LBUTTONUP || message.message == WM_RBUTTONUP || message.message == WM_MOUSEMOVE)
    return true;  // the tap was taken on its way down
  if (message.message == WM_CHAR || message.message == WM_KEYUP) return true;
  if (message.message != WM_KEYDOWN) return false;
  Level& level = tracking.levels.back();
  switch (message.wParam) {
    case VK_UP: Move(level, -1); break;
    case VK_DOWN: Move(level, 1); break;
    case VK_RIGHT:
      if (level.selected >= 0 && level.menu->items[static_cast<size_t>(level.selected)].subMenu != nullptr)
        Activate(tracking);
      break;
    case VK_LEFT:
      if (tracking.levels.size() > 1) CloseDeepest(tracking);
      break;
    case VK_RETURN: Activate(tracking); break;
    case VK_ESCAPE:
      if (tracking.levels.size() > 1) CloseDeepest(tracking);
      else tracking.done = true;
      break;
  }
  return true;
}

}  // namespace

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS*) {
  if (!IsLiveMenu(menu) || !IsWindow(owner)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  if (!IsLiveMenu(menu) || !RegisterMenuClass()) return FALSE;  // the owner destroyed it
  Tracking tracking;
  tracking.owner = owner;
  if (!Open(tracking, menu, x, y, flags, 0)) return FALSE;
#ifdef TESSALYN_TEST_HOOKS
  devtest::PopupMenuRecord record;
  record.flags = flags;
  for (const MenuItem& item : menu->items) {
    record.items.push_back({item.id, item.text, (item.state & MF_CHECKED) != 0, IsGrey(item), IsSeparator(item),
                            item.subMenu != nullptr});
  }
  if (devtest::ModalScript script = devtest::TakeModalScript(devtest::ModalKind::PopupMenu)) {
    record.scripted = true;
    devtest::ModalView view;
    view.kind = devtest::ModalKind::PopupMenu;
    view.menu = menu;
    view.window = tracking.levels.front().window;
    view.end = [&](INT_PTR id) {
      if (tracking.done) return;
      tracking.done = true;
      // A grey item, a separator or a sub-menu's title chooses nothing.
      if (IsLiveMenu(menu) && Choosable(menu, static_cast<UINT>(id))) tracking.chosen = static_cast<UINT>(id);
    };
    script(view);
  }
#endif
  if (!tracking.done) RunModalLoop(tracking.levels.front().window, &tracking.done, FilterMenuInput, &tracking);
  while (!tracking.levels.empty()) CloseDeepest(tracking);
  UINT chosen = tracking.chosen;
#ifdef TESSALYN_TEST_HOOKS
  record.answer = chosen;
  devtest::PopupMenuJournal().push_back(std::move(record));
#endif
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
  if (chosen != 0) PostMessageW(owner, WM_COMMAND, chosen, 0);
  return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}
