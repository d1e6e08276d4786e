// The property sheet of property_sheet.h.
#include "platform/dialogs/property_sheet.h"

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "platform/controls/control_classes.h"
#include "platform/controls/tab_control.h"
#include "platform/core/last_error.h"
#include "platform/dialogs/dialog_state.h"
#include "platform/gdi/gdi.h"
#include "platform/input/virtual_keys.h"
#include "platform/modals/modal_loop.h"
#include "platform/system/system_parameters.h"
#include "platform/text_drawing/text.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/painting.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"
#ifdef TESSALYN_TEST_HOOKS
#include "platform/modals/modal_hooks.h"
#endif

namespace {

constexpr int kTabId = 0x3020;
constexpr UINT kMaxPages = 64;

struct Page {
  PROPSHEETPAGEW copy{};
  const BYTE* data = nullptr;
  size_t size = 0;
  UINT templateId = 0;
  std::u16string title;
  HWND window = nullptr;  // null until first shown
};

struct Sheet {
  HWND window = nullptr;
  HWND tab = nullptr;
  HINSTANCE instance = nullptr;
  std::vector<Page> pages;
  int current = -1;
  bool done = false;
  INT_PTR result = 0;
};

Sheet* SheetOf(HWND window) { return reinterpret_cast<Sheet*>(GetWindowLongPtrW(window, GWL_USERDATA)); }

LRESULT Notify(Sheet& sheet, HWND page, UINT code) {
  if (page == nullptr || !IsWindow(page)) return 0;
  SetWindowLongPtrW(page, DWL_MSGRESULT, 0);
  PSHNOTIFY notice{};
  notice.hdr.hwndFrom = sheet.window;
  notice.hdr.idFrom = 0;
  notice.hdr.code = code;
  SendMessageW(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice));
  return IsWindow(page) ? GetWindowLongPtrW(page, DWL_MSGRESULT) : 0;
}

// The pages lie over the tab control's display area.
void Layout(Sheet& sheet) {
  RECT client;
  GetClientRect(sheet.window, &client);
  MoveWindow(sheet.tab, 0, 0, client.right, client.bottom, TRUE);
  RECT area = client;
  SendMessageW(sheet.tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  for (Page& page : sheet.pages) {
    if (page.window == nullptr) continue;
    SetWindowPos(page.window, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOACTIVATE);
  }
}

// Shows page `index`, making it first; false when it could not be made.
bool Show(Sheet& sheet, int index) {
  if (index < 0 || index >= static_cast<int>(sheet.pages.size())) return false;
  Page& page = sheet.pages[static_cast<size_t>(index)];
  if (page.window == nullptr) {
    page.window = devdialog::CreateFromTemplate(page.copy.hInstance, page.data, page.size, page.templateId,
                                                sheet.window, page.copy.pfnDlgProc,
                                                reinterpret_cast<LPARAM>(&page.copy), devdialog::DialogRole::Page);
    if (page.window == nullptr) return false;
    Layout(sheet);
  }
  int previous = sheet.current;
  sheet.current = index;
  SendMessageW(sheet.tab, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  Notify(sheet, page.window, PSN_SETACTIVE);
  if (previous >= 0 && previous != index) {
    HWND old = sheet.pages[static_cast<size_t>(previous)].window;
    if (old != nullptr) ShowWindow(old, SW_HIDE);
  }
  if (IsWindow(page.window)) {
    ShowWindow(page.window, SW_SHOW);
    HWND first = GetNextDlgTabItem(page.window, nullptr, FALSE);
    if (first != nullptr && GetActiveWindow() == sheet.window) SetFocus(first);
  }
  return true;
}

// Leaving the current page: false when it refuses.
bool LeaveCurrent(Sheet& sheet) {
  if (sheet.current < 0) return true;
  return Notify(sheet, sheet.pages[static_cast<size_t>(sheet.current)].window, PSN_KILLACTIVE) == 0;
}

void PressOk(Sheet& sheet) {
  if (sheet.done || !LeaveCurrent(sheet)) return;
  for (size_t i = 0; i < sheet.pages.size(); ++i) {
    LRESULT answer = Notify(sheet, sheet.pages[i].window, PSN_APPLY);
    if (answer != PSNRET_NOERROR) {
      if (answer == PSNRET_INVALID && static_cast<int>(i) != sheet.current) Show(sheet, static_cast<int>(i));
      return;
    }
  }
  sheet.done = true;
  sheet.result = 1;
}

void PressCancel(Sheet& sheet) {
  if (sheet.done) return;
  for (Page& page : sheet.pages) Notify(sheet, page.window, PSN_RESET);
  sheet.done = true;
  sheet.result = 0;
}

LRESULT SheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Sheet* sheet = SheetOf(window);
  if (sheet == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case PSM_PRESSBUTTON:
      if (wParam == PSBTN_OK) PressOk(*sheet);
      else if (wParam == PSBTN_CANCEL) PressCancel(*sheet);
      return 0;
    case PSM_SETCURSEL: {
      int index = static_cast<int>(wParam);
      if (lParam != 0) {
        for (size_t i = 0; i < sheet->pages.size(); ++i)
          if (reinterpret_cast<LPARAM>(sheet->pages[i].window) == lParam) index = static_cast<int>(i);
      }
      if (index == sheet->current) return TRUE;
      if (index < 0 || index >= static_cast<int>(sheet->pages.size()) || !LeaveCurrent(*sheet)) return FALSE;
      return Show(*sheet, index) ? TRUE : FALSE;
    }
    case PSM_GETTABCONTROL:
      return reinterpret_cast<LRESULT>(sheet->tab);
    case PSM_GETCURRENTPAGEHWND:
      return sheet->current >= 0 ? reinterpret_cast<LRESULT>(sheet->pages[static_cast<size_t>(sheet->current)].window)
                                 : 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) PressOk(*sheet);
      else if (LOWORD(wParam) == IDCANCEL) PressCancel(*sheet);
      return 0;
    case WM_CLOSE:
      PressCancel(*sheet);
      return 0;
    case WM_NOTIFY: {
      const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
      if (notice == nullptr || notice->hwndFrom != sheet->tab) break;
      if (notice->code == TCN_SELCHANGING) return LeaveCurrent(*sheet) ? 0 : 1;
      if (notice->code == TCN_SELCHANGE) {
        int chosen = static_cast<int>(SendMessageW(sheet->tab, TCM_GETCURSEL, 0, 0));
        if (!Show(*sheet, chosen)) SendMessageW(sheet->tab, TCM_SETCURSEL, static_cast<WPARAM>(sheet->current), 0);
      }
      return 0;
    }
    case WM_SIZE:
      if (sheet->tab != nullptr) Layout(*sheet);
      return 0;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      return 1;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterSheetClass() {
  WNDCLASSW existing;
  if (GetClassInfoW(nullptr, WC_PROPSHEETW, &existing)) return true;
  WNDCLASSW wc{};
  wc.lpfnWndProc = SheetProc;
  wc.lpszClassName = WC_PROPSHEETW;
  return RegisterClassW(&wc) != 0;
}

// Tab, Enter and Escape: Tab moves within the current page, Enter presses
// OK and Escape Cancel unless the focused control takes them.
bool FilterSheetKeys(HWND modal, const MSG& message, void* context) {
  auto* sheet = static_cast<Sheet*>(context);
  if (message.message != WM_KEYDOWN || (message.hwnd != modal && !IsChild(modal, message.hwnd))) return false;
  HWND page = sheet->current >= 0 ? sheet->pages[static_cast<size_t>(sheet->current)].window : nullptr;
  if (message.wParam == VK_TAB) return page != nullptr && devdialog::HandleDialogKey(page, message);
  if (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE) return false;
  HWND focus = GetFocus();
  if (focus != nullptr && (SendMessageW(focus, WM_GETDLGCODE, message.wParam, 0) & DLGC_WANTALLKEYS)) return false;
  if (message.wParam == VK_RETURN) PressOk(*sheet);
  else PressCancel(*sheet);
  return true;
}

// Copies the header's pages with their template bytes; false for a bad
// size, a missing template or too many pages.
bool ReadPages(const PROPSHEETHEADERW& header, Sheet* sheet) {
  if ((header.dwFlags & PSH_PROPSHEETPAGE) == 0 || header.ppsp == nullptr || header.nPages == 0 ||
      header.nPages > kMaxPages)
    return false;
  sheet->pages.resize(header.nPages);
  for (UINT i = 0; i < header.nPages; ++i) {
    const PROPSHEETPAGEW& source = header.ppsp[i];
    if (source.dwSize != sizeof(PROPSHEETPAGEW)) return false;
    Page& page = sheet->pages[i];
    page.copy = source;
    bool found = (source.dwFlags & PSP_DLGINDIRECT) != 0
                     ? (devdialog::TemplateBytes(source.pResource, &page.data, &page.size, &page.templateId),
                        page.data != nullptr)
                     : devdialog::LoadTemplate(source.hInstance, source.pszTemplate, &page.data, &page.size,
                                               &page.templateId);
    if (!found) return false;
    devdialog::DialogTemplate form;
    if (!devdialog::ParseDialogTemplate(page.data, page.size, &form)) return false;
    if ((source.dwFlags & PSP_USETITLE) && source.pszTitle != nullptr) page.title = source.pszTitle;
    else page.title = form.title;
  }
  return true;
}

INT_PTR Run(const PROPSHEETHEADERW& header, Sheet& sheet) {
  bool callback = (header.dwFlags & PSH_USECALLBACK) != 0 && header.pfnCallback != nullptr;
  if (callback) header.pfnCallback(nullptr, PSCB_GETVERSION, 0);
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  sheet.window = CreateWindowExW(0, WC_PROPSHEETW, header.pszCaption != nullptr ? header.pszCaption : u"", WS_POPUP,
                                 area.left, area.top, area.right - area.left, area.bottom - area.top,
                                 header.hwndParent, nullptr, header.hInstance, nullptr);
  if (sheet.window == nullptr) return -1;
  SetWindowLongPtrW(sheet.window, GWL_USERDATA, reinterpret_cast<LONG_PTR>(&sheet));
  sheet.tab = CreateWindowExW(0, WC_TABCONTROLW, u"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, sheet.window,
                              reinterpret_cast<HMENU>(static_cast<uintptr_t>(kTabId)), header.hInstance, nullptr);
  if (sheet.tab == nullptr) {
    DestroyWindow(sheet.window);
    return -1;
  }
  for (size_t i = 0; i < sheet.pages.size(); ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = sheet.pages[i].title.data();
    SendMessageW(sheet.tab, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  if (callback) {
    header.pfnCallback(sheet.window, PSCB_INITIALIZED, 0);
    WCHAR title[kSheetTextMax] = {};
    header.pfnCallback(sheet.window, PSCB_GETTITLE, reinterpret_cast<LPARAM>(title));
    title[kSheetTextMax - 1] = 0;
    if (title[0] != 0) SetWindowTextW(sheet.window, title);
    WCHAR link[kSheetTextMax] = {};
    header.pfnCallback(sheet.window, PSCB_GETLINKTEXT, reinterpret_cast<LPARAM>(link));
  }
  if (!IsWindow(sheet.window)) return -1;
  Layout(sheet);
  bool ownerEnabled = DisableOwner(header.hwndParent);
  ShowWindow(sheet.window, SW_SHOW);
  SetForegroundWindow(sheet.window);
  UINT start = header.nStartPage < sheet.pages.size() ? header.nStartPage : 0;
  if (!Show(sheet, static_cast<int>(start))) {
    RestoreOwner(header.hwndParent, ownerEnabled);
    DestroyWindow(sheet.window);
    return -1;
  }
  bool scripted = false;
#ifdef TESSALYN_TEST_HOOKS
  if (devtest::ModalScript script = devtest::TakeModalScript(devtest::ModalKind::PropertySheet)) {
    scripted = true;
    devtest::ModalView view;
    view.kind = devtest::ModalKind::PropertySheet;
    view.window = sheet.window;
    view.templateId = static_cast<int>(sheet.pages[start].templateId);
    HWND window = sheet.window;
    view.end = [window](INT_PTR answer) {
      if (IsWindow(window)) SendMessageW(window, PSM_PRESSBUTTON, answer != 0 ? PSBTN_OK : PSBTN_CANCEL, 0);
    };
    script(view);
  }
#endif
  if (!RunModalLoop(sheet.window, &sheet.done, FilterSheetKeys, &sheet) && IsWindow(sheet.window)) {
    PressCancel(sheet);
  }
  RestoreOwner(header.hwndParent, ownerEnabled);
  if (IsWindow(sheet.window)) {
    SetWindowLongPtrW(sheet.window, GWL_USERDATA, 0);
    DestroyWindow(sheet.window);
  }
#ifdef TESSALYN_TEST_HOOKS
  devtest::ModalRecord record;
  record.kind = devtest::ModalKind::PropertySheet;
  record.templateId = static_cast<int>(sheet.pages[start].templateId);
  for (const Page& page : sheet.pages) record.pages.push_back(static_cast<int>(page.templateId));
  record.startPage = static_cast<int>(start);
  record.result = sheet.result;
  record.scripted = scripted;
  devtest::DialogJournal().push_back(std::move(record));
#else
  (void)scripted;
#endif
  return sheet.result;
}

}  // namespace

INT_PTR PropertySheetW(const PROPSHEETHEADERW* header) {
  if (header == nullptr || header->dwSize != sizeof(PROPSHEETHEADERW)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  std::unique_ptr<Sheet> sheet(new (std::nothrow) Sheet);
  if (sheet == nullptr || !ReadPages(*header, sheet.get()) || !RegisterSheetClass()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  sheet->instance = header->hInstance;
  return Run(*header, *sheet);
}
