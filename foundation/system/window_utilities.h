// Small helpers over the device's window, dialog, menu, font, icon, file
// dialog and shell calls, shared by the application frame, the dialogs and
// the page elements: they move text between EncodedString values and the
// UTF-16 calls, take localised texts by string identifier, and scale fonts
// and icons for high-resolution screens. None keeps state; every one
// answers false, null or an empty string when the platform call or an
// allocation fails, and none shows a message.
//
// Files: window_text.cpp (dialog and window text, menus, menu bars,
// dialogs), window_fonts_icons.cpp (fonts, icons, image lists, the dialog
// separator), window_shell.cpp (the file dialog, shell execution, the
// version and dates).
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_strings.h"
#include "foundation/encoded_string/encoded_string.h"
#include "platform/dialogs/dialog_items.h"
#include "platform/dialogs/open_file_dialog.h"
#include "platform/launch/launch.h"
#include "platform/menus/menus.h"
#include "platform/gdi/gdi.h"
#include "platform/text_drawing/text.h"
#include "platform/types/window_handle.h"

// ---- Dialog and window text
void GetDlgItemEncodedText(HWND dialog, int item, EncodedString* out);
bool SetDlgItemEncodedText(HWND dialog, int item, const EncodedString& text);
bool SetDlgItemResourceText(HWND dialog, int item, uint32_t stringId);
bool SetWindowEncodedText(HWND window, const EncodedString& text);

// ---- Menus, menu bars, dialogs
struct MenuTextEntry {
  uint16_t item;
  uint16_t stringId;
  uint16_t byPosition;  // only the low byte counts
};
// Sets each entry's item text to its localised string; false when any
// could not be set (all are tried).
bool SetMenuItemTexts(HMENU menu, const MenuTextEntry* table, uint32_t count);
bool SetMenuItemText(HMENU menu, uint32_t item, const EncodedString& text);
// The menu bar's window, or null.
HWND CreateMenuBarFor(HWND window, uint32_t menuBarId);
bool InitDialogFullScreen(HWND dialog);
// A black line 6 pixels below the item, as thick as dpi / 96.
void DrawDialogSeparator(HWND dialog, HDC dc, int item);

// ---- Fonts, icons, image lists
HFONT CreateUiFont(HWND window, int32_t size, const WCHAR* face, bool bold, bool antialiased, bool inPoints);
HFONT CreateFontFromFace(const WCHAR* face, int32_t size, bool bold, bool underline, bool italic);
// Above 129 dots per inch (of the window's DC, or the screen's).
bool IsHighDpi(HWND window);
// 16-pixel icons, 32 on a high-resolution screen.
int32_t IconSizeFor(HWND window);
HICON LoadIconScaled(HWND window, uint32_t iconId, int32_t* size);
HIMAGELIST CreateIconImageList(HWND window, int32_t initialCount, int32_t* size);
bool AddIconToImageList(HIMAGELIST list, uint32_t iconId, int32_t size);

// ---- Files, processes, the version, dates
// The open-file dialog for one file: true and the path (appended to
// `result`) when a file was chosen; the folder, when given, becomes the
// chosen file's folder.
bool ShowOpenFileDialogSingle(HWND owner, const WCHAR* filter, SegmentedStringArray* result, uint32_t filterIndex,
                              EncodedString* folder);
bool ShellOpen(const EncodedString& path, HWND window);
// False unless the platform is Windows CE.
bool GetOsVersion(uint32_t* major, uint32_t* minor);
bool IsOsVersionAbove50();
// Seconds since 1970 as the user's short date.
bool FormatUnixDate(int64_t seconds, EncodedString* out);
