// The gallery window of every control.
#include "tests/platform/controls/control_gallery.h"

#include "platform/controls/button.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/control_classes.h"
#include "platform/controls/edit.h"
#include "platform/controls/list_view.h"
#include "platform/controls/static_control.h"
#include "platform/controls/status_bar.h"
#include "platform/controls/tab_control.h"
#include "platform/controls/toolbar.h"
#include "platform/controls/track_bar.h"
#include "platform/controls/up_down.h"
#include "platform/gdi/gdi.h"
#include "platform/resources/resources.h"
#include "platform/testing/gdi.h"
#include "platform/testing/windows.h"
#include "platform/text_drawing/text.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/painting.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"

namespace controltest {
namespace {

int S(int pixels) { return pixels * devtest::Display().dpi / 96; }

// The gallery's parent: draws the owner-drawn button and colours the
// clickable label as the dialogs do.
LRESULT GalleryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWITEM) {
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    HBRUSH brush = CreateSolidBrush(RGB(0x40, 0x80, 0x40));
    FillRect(item->hDC, &item->rcItem, brush);
    DeleteObject(brush);
    SetBkMode(item->hDC, TRANSPARENT);
    SetTextColor(item->hDC, RGB(0xFF, 0xFF, 0xFF));
    DrawTextW(item->hDC, u"OD", 2, &item->rcItem, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return TRUE;
  }
  if (message == WM_CTLCOLORSTATIC && GetWindowLongW(reinterpret_cast<HWND>(lParam), GWL_ID) == 40074) {
    SetTextColor(reinterpret_cast<HDC>(wParam), 0x00C00000);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

Gallery BuildGallery(bool paint) {
  InitCommonControls();
  WNDCLASSW wc{};
  wc.lpfnWndProc = GalleryProc;
  wc.lpszClassName = u"Gallery";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1));
  RegisterClassW(&wc);
  Gallery g;
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  g.window = CreateWindowExW(0, u"Gallery", u"Controls", WS_VISIBLE, 0, 0, width, height, nullptr, nullptr, nullptr, nullptr);
  LOGFONTW font{};
  font.lfHeight = -S(11);
  font.lfWeight = FW_NORMAL;
  std::u16string face = u"Tahoma";
  face.copy(font.lfFaceName, face.size());
  g.font = CreateFontIndirectW(&font);
  auto make = [&](const char16_t* cls, DWORD style, int x, int y, int w, int h, int id, const char16_t* text = u"",
                  DWORD exStyle = 0) {
    HWND control = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, S(x), S(y), S(w), S(h), g.window,
                                   reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(g.font), FALSE);
    g.controls.push_back(control);
    return control;
  };

  for (WORD id : {126, 221, 222}) g.icons.push_back(LoadIconW(nullptr, MAKEINTRESOURCEW(id)));
  int iconSize = devtest::Display().dpi > 129 ? 32 : 16;
  g.images = ImageList_Create(iconSize, iconSize, ILC_COLOR16 | ILC_MASK, 3, 1);
  for (HICON icon : g.icons) ImageList_AddIcon(g.images, icon);

  // The toolbar along the top, with a drop-down button.
  HWND bar = make(u"ToolbarWindow32", TBSTYLE_FLAT | TBSTYLE_LIST, 0, 0, 0, 0, 10100);
  SendMessageW(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(g.images));
  TBBUTTON buttons[] = {
      {-1, 10103, TBSTATE_ENABLED, TBSTYLE_DROPDOWN | TBSTYLE_AUTOSIZE, {}, 0, reinterpret_cast<intptr_t>(u"Filter by")},
      {-1, 10102, TBSTATE_INDETERMINATE, TBSTYLE_AUTOSIZE, {}, 0, reinterpret_cast<intptr_t>(u"All books")},
      {0, 0, 0, TBSTYLE_SEP, {}, 0, -1},
      {0, 40075, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1},
      {1, 40076, TBSTATE_ENABLED | TBSTATE_CHECKED, TBSTYLE_CHECK, {}, 0, -1},
  };
  SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(bar, TB_ADDBUTTONSW, 5, reinterpret_cast<LPARAM>(buttons));
  SendMessageW(bar, TB_AUTOSIZE, 0, 0);

  make(u"STATIC", SS_NOTIFY, 2, 28, 116, 14, 40074, u"Create a new list");
  HWND icon = make(u"STATIC", SS_ICON, 122, 26, 16, 16, 1024);
  SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(g.icons[0]), 0);
  make(u"STATIC", SS_RIGHT, 142, 28, 96, 14, 1012, u"Author:");

  make(u"BUTTON", BS_PUSHBUTTON, 2, 44, 54, 20, 1, u"OK");
  make(u"BUTTON", BS_DEFPUSHBUTTON, 60, 44, 54, 20, 2, u"Cancel");
  make(u"BUTTON", BS_OWNERDRAW, 118, 44, 40, 20, 1109);
  HWND check = make(u"BUTTON", BS_AUTOCHECKBOX, 162, 44, 76, 20, 1059, u"Underline");
  SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
  make(u"BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, 2, 66, 76, 18, 1201, u"Portrait");
  HWND landscape = make(u"BUTTON", BS_AUTORADIOBUTTON, 80, 66, 90, 18, 1202, u"Landscape");
  SendMessageW(landscape, BM_SETCHECK, BST_CHECKED, 0);

  make(u"EDIT", ES_AUTOHSCROLL | WS_BORDER, 2, 86, 112, 20, 1063, u"Single line text that scrolls");
  make(u"EDIT", ES_READONLY | ES_AUTOHSCROLL | WS_BORDER, 118, 86, 120, 20, 1021, u"\\My Documents\\book.pdb");
  make(u"EDIT", ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_BORDER, 2, 108, 150, 40, 1064,
       u"A multi-line edit wraps its words and shows a scroll bar.");
  HWND updown = make(u"msctls_updown32", 0, 158, 108, 16, 30, 1014);
  SendMessageW(updown, UDM_SETRANGE32, 0, 5);
  SendMessageW(updown, UDM_SETPOS32, 0, 3);

  g.combo = make(u"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_BORDER, 2, 152, 150, 20, 1110);
  for (const char16_t* text : {u"Ask", u"Highlight", u"Lookup", u"Add note"})
    SendMessageW(g.combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  SendMessageW(g.combo, CB_SETCURSEL, 1, 0);

  g.listView = make(u"SysListView32", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_VSCROLL, 2, 176,
                    236, 70, 10000);
  SendMessageW(g.listView, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  SendMessageW(g.listView, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(g.images));
  LVCOLUMNW column{};
  column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
  column.cx = S(150);
  column.pszText = const_cast<LPWSTR>(u"Title");
  SendMessageW(g.listView, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  column.fmt = LVCFMT_RIGHT;
  column.cx = S(80);
  column.pszText = const_cast<LPWSTR>(u"Size");
  SendMessageW(g.listView, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
  const char16_t* rows[][2] = {{u"Alice in Wonderland", u"120 KB"}, {u"Moby Dick", u"1.2 MB"}, {u"Ulysses", u"800 KB"}};
  for (int i = 0; i < 3; ++i) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = i;
    item.iImage = i;
    item.lParam = i;
    item.pszText = const_cast<LPWSTR>(rows[i][0]);
    SendMessageW(g.listView, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    item.mask = LVIF_TEXT;
    item.iSubItem = 1;
    item.pszText = const_cast<LPWSTR>(rows[i][1]);
    SendMessageW(g.listView, LVM_SETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(g.listView, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
  state.stateMask = LVIS_STATEIMAGEMASK;
  state.state = INDEXTOSTATEIMAGEMASK(2);
  SendMessageW(g.listView, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));

  HWND track = make(u"msctls_trackbar32", TBS_AUTOTICKS, 2, 250, 150, 26, 1060);
  SendMessageW(track, TBM_SETRANGE, TRUE, MAKELONG(6, 14));
  SendMessageW(track, TBM_SETTICFREQ, 1, 0);
  SendMessageW(track, TBM_SETPOS, TRUE, 9);
  HWND tabs = make(u"SysTabControl32", 0, 156, 250, 82, 46, 1300);
  for (const char16_t* text : {u"One", u"Two"}) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPWSTR>(text);
    SendMessageW(tabs, TCM_INSERTITEMW, 9, reinterpret_cast<LPARAM>(&item));
  }
  HWND status = CreateStatusWindowW(WS_CHILD | WS_VISIBLE, u"", g.window, 77);
  SendMessageW(status, WM_SETFONT, reinterpret_cast<WPARAM>(g.font), FALSE);
  SendMessageW(status, WM_SIZE, 0, 0);
  g.controls.push_back(status);
  int parts[] = {S(160), -1};
  SendMessageW(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  SendMessageW(status, SB_SETTEXTW, 0 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(u"3 books"));
  SendMessageW(status, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(u"2 MB"));

  if (paint) {
    InvalidateRect(g.window, nullptr, TRUE);
    devtest::PumpMessages();
  }
  return g;
}

void DestroyGallery(Gallery& g) {
  if (g.window) DestroyWindow(g.window);
  if (g.images) ImageList_Destroy(g.images);
  for (HICON icon : g.icons)
    if (icon) DestroyIcon(icon);
  if (g.font) DeleteObject(g.font);
  g = Gallery{};
}

}  // namespace controltest
