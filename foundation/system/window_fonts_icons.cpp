// Window utilities: fonts scaled for the screen, icons of the device's
// size (16 pixels, 32 above 129 dots per inch), image lists of them, and
// the separator line of dialogs.
#include <cstring>

#include "foundation/system/window_utilities.h"
#include "platform/modules/modules.h"
#include "platform/resources/resources.h"
#include "platform/windows/painting.h"
#include "platform/windows/window_positions.h"

namespace {

constexpr WCHAR kDefaultFace[] = u"Nina";

int LogPixels(HWND window, int index) {
  HDC dc = GetDC(window);
  if (dc == nullptr) return 96;
  int value = GetDeviceCaps(dc, index);
  ReleaseDC(window, dc);
  return value;
}

void CopyFace(WCHAR* to, const WCHAR* face) {
  size_t n = 0;
  while (face != nullptr && face[n] != 0 && n < LF_FACESIZE - 1) ++n;
  if (n != 0) std::memcpy(to, face, n * sizeof(WCHAR));
  to[n] = 0;
}

}  // namespace

HFONT CreateUiFont(HWND window, int32_t size, const WCHAR* face, bool bold, bool antialiased, bool inPoints) {
  LOGFONTW font{};
  int32_t height = size;
  if (inPoints) {
    int dpi = LogPixels(window, LOGPIXELSY);
    if (size == 0) {
      height = dpi == 96 ? 13 : -(8 * dpi / 72);
    } else {
      height = -(size * dpi / 72);
    }
  }
  font.lfHeight = height;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = antialiased ? ANTIALIASED_QUALITY : DEFAULT_QUALITY;
  CopyFace(font.lfFaceName, face != nullptr ? face : kDefaultFace);
  return CreateFontIndirectW(&font);
}

HFONT CreateFontFromFace(const WCHAR* face, int32_t size, bool bold, bool underline, bool italic) {
  LOGFONTW font{};
  font.lfHeight = -size;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfUnderline = underline ? 1 : 0;
  font.lfItalic = italic ? 1 : 0;
  font.lfCharSet = DEFAULT_CHARSET;
  CopyFace(font.lfFaceName, face);
  return CreateFontIndirectW(&font);
}

bool IsHighDpi(HWND window) { return LogPixels(window, LOGPIXELSX) > 129; }

int32_t IconSizeFor(HWND window) { return IsHighDpi(window) ? 32 : 16; }

HICON LoadIconScaled(HWND window, uint32_t iconId, int32_t* size) {
  *size = IconSizeFor(window);
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(static_cast<WORD>(iconId)),
                                       IMAGE_ICON, *size, *size, 0));
}

HIMAGELIST CreateIconImageList(HWND window, int32_t initialCount, int32_t* size) {
  *size = IconSizeFor(window);
  HIMAGELIST list = ImageList_Create(*size, *size, ILC_MASK, initialCount, 0);
  if (list != nullptr) ImageList_SetBkColor(list, CLR_NONE);
  return list;
}

bool AddIconToImageList(HIMAGELIST list, uint32_t iconId, int32_t size) {
  if (list == nullptr) return false;
  HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(static_cast<WORD>(iconId)),
                                             IMAGE_ICON, size, size, 0));
  if (icon == nullptr) return false;
  int index = ImageList_ReplaceIcon(list, -1, icon);
  DestroyIcon(icon);
  return index >= 0;
}

void DrawDialogSeparator(HWND dialog, HDC dc, int item) {
  HWND control = GetDlgItem(dialog, item);
  RECT dialogRect{}, itemRect{};
  if (control == nullptr || dc == nullptr || !GetWindowRect(dialog, &dialogRect) || !GetWindowRect(control, &itemRect)) {
    return;
  }
  int thickness = LogPixels(dialog, LOGPIXELSY) / 96;
  if (thickness < 1) thickness = 1;
  HPEN pen = CreatePen(PS_SOLID, thickness, 0);
  if (pen == nullptr) return;
  HGDIOBJ previous = SelectObject(dc, pen);
  int y = itemRect.bottom - dialogRect.top + 6;
  MoveToEx(dc, 0, y, nullptr);
  LineTo(dc, dialogRect.right - dialogRect.left, y);
  SelectObject(dc, previous);
  DeleteObject(pen);
}
