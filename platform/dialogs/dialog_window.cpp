// Dialog windows: the class, creation from a template, the default dialog
// procedure and the dialog units.
#include <cstring>
#include <memory>
#include <new>

#include "platform/controls/button.h"
#include "platform/core/last_error.h"
#include "platform/dialogs/dialog_state.h"
#include "platform/gdi/gdi.h"
#include "platform/resources/program_resources.h"
#include "platform/resources/resources.h"
#include "platform/text_drawing/text.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/painting.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"

namespace devdialog {
namespace {

constexpr int kStateSlot = DLGWINDOWEXTRA;  // the manager's own pointer, past DWL_USER
constexpr size_t kLooseTemplateBound = 64 * 1024;

LRESULT DialogClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefDlgProcW(window, message, wParam, lParam);
}

bool RegisterDialogClass() {
  WNDCLASSW existing;
  if (GetClassInfoW(nullptr, WC_DIALOGW, &existing)) return true;
  WNDCLASSW wc{};
  wc.lpfnWndProc = DialogClassProc;
  wc.cbWndExtra = DLGWINDOWEXTRA + static_cast<int>(sizeof(LONG_PTR));
  wc.lpszClassName = WC_DIALOGW;
  return RegisterClassW(&wc) != 0;
}

// Average width of the letters and height of `font` (the system font for
// null), as the device measures dialog units.
void MeasureUnits(HFONT font, int* unitX, int* unitY) {
  *unitX = 4;
  *unitY = 8;
  HDC dc = GetDC(nullptr);
  if (dc == nullptr) return;
  HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
  static const char16_t kLetters[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE extent{};
  TEXTMETRICW metrics{};
  if (GetTextExtentPoint32W(dc, kLetters, 52, &extent) && extent.cx > 0) *unitX = (extent.cx / 26 + 1) / 2;
  if (GetTextMetricsW(dc, &metrics) && metrics.tmHeight > 0) *unitY = metrics.tmHeight;
  if (previous != nullptr) SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
}

HFONT MakeTemplateFont(const DialogTemplate& form) {
  HDC dc = GetDC(nullptr);
  int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc != nullptr) ReleaseDC(nullptr, dc);
  LOGFONTW font{};
  font.lfHeight = -static_cast<LONG>((static_cast<int64_t>(form.pointSize) * dpi + 36) / 72);
  font.lfWeight = FW_NORMAL;
  size_t length = form.faceName.size() < LF_FACESIZE - 1 ? form.faceName.size() : LF_FACESIZE - 1;
  form.faceName.copy(font.lfFaceName, length);
  return CreateFontIndirectW(&font);
}

int Scale(int value, int unit, int divisor) {
  return static_cast<int>(static_cast<int64_t>(value) * unit / divisor);
}

void DeliverFont(HWND window, HFONT font) {
  if (font != nullptr) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

}  // namespace

DialogState* StateOf(HWND window) {
  if (!IsWindow(window)) return nullptr;
  WCHAR name[16];
  if (GetClassNameW(window, name, 16) <= 0 || std::u16string(name) != WC_DIALOGW) return nullptr;
  return reinterpret_cast<DialogState*>(GetWindowLongPtrW(window, kStateSlot));
}

void TemplateBytes(LPCDLGTEMPLATEW dialogTemplate, const BYTE** data, size_t* size, UINT* id) {
  *id = 0;
  if (FindInstalledTemplate(dialogTemplate, data, size, id)) return;
  *data = reinterpret_cast<const BYTE*>(dialogTemplate);
  *size = dialogTemplate != nullptr ? kLooseTemplateBound : 0;
}

bool LoadTemplate(HINSTANCE instance, LPCWSTR name, const BYTE** data, size_t* size, UINT* id) {
  HRSRC found = FindResourceW(instance, name, RT_DIALOG);
  if (found == nullptr) return false;
  *data = static_cast<const BYTE*>(LockResource(LoadResource(instance, found)));
  *size = SizeofResource(instance, found);
  *id = found->id;
  return *data != nullptr;
}

HWND CreateFromTemplate(HINSTANCE instance, const BYTE* data, size_t size, UINT templateId, HWND owner,
                        DLGPROC procedure, LPARAM parameter, DialogRole role) {
  bool modal = role == DialogRole::Modal;
  DialogTemplate form;
  if (!ParseDialogTemplate(data, size, &form)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  if (!form.className.empty() || !RegisterDialogClass()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::unique_ptr<DialogState> state(new (std::nothrow) DialogState);
  if (state == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  state->templateId = templateId;
  state->modal = modal;
  if ((form.style & DS_SETFONT) && form.pointSize > 0) {
    state->font = MakeTemplateFont(form);
    state->ownsFont = state->font != nullptr;
  }
  MeasureUnits(state->font, &state->unitX, &state->unitY);

  DWORD style = form.style;
  if (role == DialogRole::Page) {
    style = (style & ~(WS_POPUP | WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_VISIBLE)) | WS_CHILD | DS_CONTROL;
    form.x = form.y = 0;
  }
  bool visible = (style & WS_VISIBLE) != 0;
  style &= ~WS_VISIBLE;
  int frame = (style & (WS_BORDER | WS_DLGFRAME)) != 0 ? 1 : 0;
  int width = Scale(form.cx, state->unitX, 4) + 2 * frame;
  int height = Scale(form.cy, state->unitY, 8) + 2 * frame;
  int x = Scale(form.x, state->unitX, 4);
  int y = Scale(form.y, state->unitY, 8);
  if (role == DialogRole::Page) {
    // placed by the sheet
  } else if (style & DS_CENTER) {
    x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  } else if (owner != nullptr && (style & WS_CHILD) == 0 && (style & DS_ABSALIGN) == 0) {
    POINT origin{0, 0};
    ClientToScreen(owner, &origin);
    x += origin.x;
    y += origin.y;
  }
  HWND dialog = CreateWindowExW(form.exStyle, WC_DIALOGW, form.title.c_str(), style, x, y, width, height, owner,
                                nullptr, instance, nullptr);
  if (dialog == nullptr) {
    if (state->ownsFont) DeleteObject(state->font);
    return nullptr;
  }
  DialogState* kept = state.release();
  SetWindowLongPtrW(dialog, kStateSlot, reinterpret_cast<LONG_PTR>(kept));
  SetWindowLongPtrW(dialog, DWL_DLGPROC, reinterpret_cast<LONG_PTR>(procedure));
  if (kept->font != nullptr) SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(kept->font), FALSE);

  for (const ItemTemplate& item : form.items) {
    DWORD itemStyle = (item.style | WS_CHILD) & ~WS_POPUP;
    if ((itemStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON && item.className == u"BUTTON" && kept->defaultId == 0)
      kept->defaultId = item.id;
    const char16_t* text = item.textIsOrdinal ? u"" : item.text.c_str();
    HWND control = CreateWindowExW(item.exStyle, item.className.c_str(), text, itemStyle,
                                   Scale(item.x, kept->unitX, 4), Scale(item.y, kept->unitY, 8),
                                   Scale(item.cx, kept->unitX, 4), Scale(item.cy, kept->unitY, 8), dialog,
                                   reinterpret_cast<HMENU>(static_cast<uintptr_t>(item.id)), instance, nullptr);
    if (control == nullptr) {
      DestroyWindow(dialog);
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    // Each control goes below those before it, so that the children are
    // listed (GW_CHILD, GW_HWNDNEXT) in the template's order, the Tab order.
    SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DeliverFont(control, kept->font);
  }

  HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
  LRESULT focusAsked = SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), parameter);
  if (!IsWindow(dialog)) return nullptr;
  if (visible && !(modal && kept->ended)) ShowWindow(dialog, SW_SHOW);
  if (focusAsked != 0 && first != nullptr && (visible || modal)) SetFocus(first);
  kept->lastFocus = focusAsked != 0 ? first : GetFocus();
  return dialog;
}

}  // namespace devdialog

using devdialog::DialogState;

LRESULT DefDlgProcW(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(dialog, DWL_DLGPROC));
  if (procedure != nullptr) {
    BOOL handled = procedure(dialog, message, wParam, lParam);
    if (handled) {
      switch (message) {
        case WM_INITDIALOG:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
          return handled;
        case WM_NCDESTROY:
          break;
        default:
          return IsWindow(dialog) ? GetWindowLongPtrW(dialog, DWL_MSGRESULT) : 0;
      }
    } else if (message == WM_INITDIALOG) {
      return 0;
    }
  } else if (message == WM_INITDIALOG) {
    return 1;
  }
  DialogState* state = devdialog::StateOf(dialog);
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(dialog, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
      return 1;
    }
    case WM_CLOSE:
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
      return 0;
    case WM_SETFONT:
      if (state != nullptr && reinterpret_cast<HFONT>(wParam) != state->font) {
        if (state->ownsFont) DeleteObject(state->font);
        state->font = reinterpret_cast<HFONT>(wParam);
        state->ownsFont = false;
      }
      return 0;
    case WM_GETFONT:
      return state != nullptr ? reinterpret_cast<LRESULT>(state->font) : 0;
    case WM_SETFOCUS: {
      HWND target = state != nullptr && IsWindow(state->lastFocus) && IsChild(dialog, state->lastFocus)
                        ? state->lastFocus
                        : GetNextDlgTabItem(dialog, nullptr, FALSE);
      if (target != nullptr) SetFocus(target);
      return 0;
    }
    case WM_ACTIVATE:
      if (state != nullptr && LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(dialog, focus)) state->lastFocus = focus;
      }
      return 0;
    case WM_NEXTDLGCTL: {
      HWND target = lParam != 0 ? reinterpret_cast<HWND>(wParam)
                                : GetNextDlgTabItem(dialog, GetFocus(), wParam != 0 ? TRUE : FALSE);
      if (target != nullptr && IsChild(dialog, target)) SetFocus(target);
      return 0;
    }
    case DM_GETDEFID:
      return state != nullptr && state->defaultId != 0 ? MAKELONG(static_cast<WORD>(state->defaultId), DC_HASDEFID)
                                                       : 0;
    case DM_SETDEFID:
      if (state != nullptr) state->defaultId = static_cast<int>(wParam);
      return 1;
    case WM_NCDESTROY:
      if (state != nullptr) {
        SetWindowLongPtrW(dialog, devdialog::kStateSlot, 0);
        if (state->ownsFont) DeleteObject(state->font);
        delete state;
      }
      break;
  }
  return DefWindowProcW(dialog, message, wParam, lParam);
}

HWND CreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner, DLGPROC procedure,
                                LPARAM parameter) {
  const BYTE* data = nullptr;
  size_t size = 0;
  UINT id = 0;
  devdialog::TemplateBytes(dialogTemplate, &data, &size, &id);
  return devdialog::CreateFromTemplate(instance, data, size, id, owner, procedure, parameter,
                                       devdialog::DialogRole::Modeless);
}

HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC procedure, LPARAM parameter) {
  const BYTE* data = nullptr;
  size_t size = 0;
  UINT id = 0;
  if (!devdialog::LoadTemplate(instance, templateName, &data, &size, &id)) return nullptr;
  return devdialog::CreateFromTemplate(instance, data, size, id, owner, procedure, parameter,
                                       devdialog::DialogRole::Modeless);
}

BOOL MapDialogRect(HWND dialog, RECT* rect) {
  DialogState* state = devdialog::StateOf(dialog);
  if (state == nullptr || rect == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  rect->left = devdialog::Scale(rect->left, state->unitX, 4);
  rect->right = devdialog::Scale(rect->right, state->unitX, 4);
  rect->top = devdialog::Scale(rect->top, state->unitY, 8);
  rect->bottom = devdialog::Scale(rect->bottom, state->unitY, 8);
  return TRUE;
}

LONG GetDialogBaseUnits() {
  int x = 4, y = 8;
  devdialog::MeasureUnits(nullptr, &x, &y);
  return static_cast<LONG>(MAKELONG(static_cast<WORD>(x), static_cast<WORD>(y)));
}
