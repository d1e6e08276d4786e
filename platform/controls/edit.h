// The edit control ("EDIT"): one line that scrolls sideways, or several
// lines (ES_MULTILINE) wrapped at words, with a vertical scroll bar for
// WS_VSCROLL; read-only (ES_READONLY) and password (ES_PASSWORD, shown as
// '*') forms. Lines end in "\r\n" in the text, as on the device.
//
// The caret and the selection follow the stylus (a tap places the caret, a
// drag selects) and the keys (arrows, Home and End, Shift to select,
// Delete; Backspace and typing come as WM_CHAR; Return inserts a line break
// in a multi-line edit with ES_WANTRETURN). A change made by the user, by
// WM_SETTEXT or by EM_REPLACESEL sends EN_UPDATE and then EN_CHANGE;
// text cut at the limit sends EN_MAXTEXT. The focus sends EN_SETFOCUS and
// EN_KILLFOCUS. The style is read when the control lays out and handles
// input, so adding ES_MULTILINE after creation makes it wrap.
//
// Every message goes through the window's procedure, so a subclass
// (SetWindowLongW GWL_WNDPROC, CallWindowProcW) sees them and reads the
// real caret with EM_GETSEL.
#pragma once

#include "platform/types/device_types.h"

constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_UPPERCASE = 0x0008;
constexpr DWORD ES_LOWERCASE = 0x0010;
constexpr DWORD ES_PASSWORD = 0x0020;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_NOHIDESEL = 0x0100;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_WANTRETURN = 0x1000;
constexpr DWORD ES_NUMBER = 0x2000;

constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_SCROLLCARET = 0x00B7;
constexpr UINT EM_GETMODIFY = 0x00B8;
constexpr UINT EM_SETMODIFY = 0x00B9;
constexpr UINT EM_GETLINECOUNT = 0x00BA;
constexpr UINT EM_LINEINDEX = 0x00BB;
constexpr UINT EM_LINELENGTH = 0x00C1;
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_SETLIMITTEXT = EM_LIMITTEXT;
constexpr UINT EM_LINEFROMCHAR = 0x00C9;
constexpr UINT EM_SETPASSWORDCHAR = 0x00CC;
constexpr UINT EM_GETFIRSTVISIBLELINE = 0x00CE;
constexpr UINT EM_SETREADONLY = 0x00CF;
constexpr UINT EM_GETLIMITTEXT = 0x00D5;

constexpr WORD EN_SETFOCUS = 0x0100;
constexpr WORD EN_KILLFOCUS = 0x0200;
constexpr WORD EN_CHANGE = 0x0300;
constexpr WORD EN_UPDATE = 0x0400;
constexpr WORD EN_ERRSPACE = 0x0500;
constexpr WORD EN_MAXTEXT = 0x0501;

// The text limit of a new edit, in characters.
constexpr int kDefaultEditLimit = 30000;
