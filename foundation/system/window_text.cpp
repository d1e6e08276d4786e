// Window utilities: dialog and window text, menu texts, the menu bar and
// full-screen dialogs.
#include <new>

#include "foundation/language/localized_strings.h"
#include "foundation/system/late_bound_apis.h"
#include "foundation/system/window_utilities.h"
#include "platform/modules/modules.h"
#include "platform/windows/messages.h"
#include "platform/windows/windows.h"

namespace {

constexpr WCHAR kEmpty[] = u"";

// A UTF-16, zero-terminated copy of the text in `copy` (converted when it
// is in another code page); null on failure.
const WCHAR* WideText(const EncodedString& text, EncodedString* copy) {
  if (text.IsEmpty()) return kEmpty;
  copy->Assign(text);
  if (!copy->ConvertToUtf16()) return nullptr;
  return copy->CStr();
}

}  // namespace

void GetDlgItemEncodedText(HWND dialog, int item, EncodedString* out) {
  out->Clear();
  out->MarkUtf16();
  LRESULT length = SendDlgItemMessageW(dialog, item, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0 || length > 0x7FFFFFF) return;
  WCHAR* buffer = new (std::nothrow) WCHAR[static_cast<size_t>(length) + 1];
  if (buffer == nullptr) return;
  UINT read = GetDlgItemTextW(dialog, item, buffer, static_cast<int>(length) + 1);
  if (read > static_cast<UINT>(length)) read = static_cast<UINT>(length);
  if (read > 0) out->FromWide(buffer, static_cast<int32_t>(read));
  delete[] buffer;
}

bool SetDlgItemEncodedText(HWND dialog, int item, const EncodedString& text) {
  EncodedString copy;
  const WCHAR* wide = WideText(text, &copy);
  return wide != nullptr && SetDlgItemTextW(dialog, item, wide) != FALSE;
}

bool SetDlgItemResourceText(HWND dialog, int item, uint32_t stringId) {
  const WCHAR* text = LoadLocalizedString(stringId);
  return SetDlgItemTextW(dialog, item, text != nullptr ? text : kEmpty) != FALSE;
}

bool SetWindowEncodedText(HWND window, const EncodedString& text) {
  EncodedString copy;
  const WCHAR* wide = WideText(text, &copy);
  return wide != nullptr && SetWindowTextW(window, wide) != FALSE;
}

namespace {

bool SetItemText(HMENU menu, UINT item, bool byPosition, const WCHAR* text) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_TYPE;
  info.fType = MFT_STRING;
  info.dwTypeData = const_cast<LPWSTR>(text);
  return SetMenuItemInfoW(menu, item, byPosition ? TRUE : FALSE, &info) != FALSE;
}

}  // namespace

bool SetMenuItemTexts(HMENU menu, const MenuTextEntry* table, uint32_t count) {
  if (menu == nullptr || table == nullptr) return false;
  bool all = true;
  for (uint32_t i = 0; i < count; ++i) {
    const WCHAR* text = LoadLocalizedString(table[i].stringId);
    bool byPosition = (table[i].byPosition & 0xFF) != 0;
    if (!SetItemText(menu, table[i].item, byPosition, text != nullptr ? text : kEmpty)) all = false;
  }
  return all;
}

bool SetMenuItemText(HMENU menu, uint32_t item, const EncodedString& text) {
  if (menu == nullptr) return false;
  EncodedString copy;
  const WCHAR* wide = WideText(text, &copy);
  return wide != nullptr && SetItemText(menu, item, false, wide);
}

HWND CreateMenuBarFor(HWND window, uint32_t menuBarId) {
  SHMENUBARINFO info{};
  info.cbSize = sizeof(info);
  info.hwndParent = window;
  info.dwFlags = menuBarId == 0 ? SHCMBF_EMPTYBAR : 0;
  info.nToolBarId = menuBarId;
  info.hInstRes = GetModuleHandleW(nullptr);
  if (!CallSHCreateMenuBar(&info)) return nullptr;
  return info.hwndMB;
}

bool InitDialogFullScreen(HWND dialog) {
  SHINITDLGINFO info{};
  info.dwMask = SHIDIM_FLAGS;
  info.hDlg = dialog;
  info.dwFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN;
  return CallSHInitDialog(&info) != FALSE;
}
