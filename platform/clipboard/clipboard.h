// The clipboard: one owner at a time opens it, empties it and sets blocks
// by format; the system takes the blocks it is given (and frees them when
// the clipboard is emptied again). Setting data on a clipboard that is not
// open fails with null, and the block stays the caller's to free.
#pragma once

#include "platform/clipboard/movable_memory.h"
#include "platform/windows/window_types.h"

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_UNICODETEXT = 13;

BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
HANDLE SetClipboardData(UINT format, HANDLE block);
// The block of `format` (owned by the clipboard; null when none or closed).
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);

// Text set on the device clipboard (CF_UNICODETEXT) also goes to the
// desktop's clipboard when a backend gives a sink (the SDL2 window does):
// it is handed over as UTF-8 when the clipboard is closed. Null: none.
using DesktopClipboardSink = void (*)(const char* utf8);
void SetDesktopClipboardSink(DesktopClipboardSink sink);

#ifdef TESSALYN_TEST_HOOKS
#include <string>
#include <vector>

namespace devtest {
// The clipboard's text (CF_UNICODETEXT up to its NUL; empty when none).
std::u16string ClipboardText();
// Each text put on the clipboard (CF_UNICODETEXT), in order, as it stood
// when the clipboard was closed.
std::vector<std::u16string>& ClipboardJournal();
// Empties and closes the clipboard (part of the device reset).
void ResetClipboard();
}  // namespace devtest
#endif
