// The toolbar ("ToolbarWindow32"): a row of buttons with text, an image
// from its image list, or both (the image left of the text with
// TBSTYLE_LIST, above it otherwise). Button styles: plain, separator,
// check (toggles TBSTATE_CHECKED), drop-down and auto-size (its own width;
// other buttons share the width of the widest); states enabled, hidden,
// indeterminate (greyed), checked and pressed.
//
// The bar places itself along its parent's top, the parent's width wide,
// when it is made and on TB_AUTOSIZE (unless CCS_NORESIZE; with
// CCS_NOPARENTALIGN only its height changes).
//
// A tap released on an enabled button sends WM_COMMAND with its id to the
// parent; a release outside sends nothing. A drop-down button sends
// TBN_DROPDOWN (NMTOOLBARW) when the stylus goes down on it instead; an
// answer of TBDDRET_TREATPRESSED makes it a plain button for that tap.
// Holding the stylus on a button (gesture.h) shows its tooltip until the
// stylus is lifted, and that tap sends nothing.
//
// TB_SETTOOLTIPS (the device's message 1105): wParam the count, lParam an
// array of text pointers, one per button index (null: none); the texts
// are copied when the message arrives and the array is never read again,
// so the owner may free it at once, in any order with the bar. A null
// array or a count of 0 clears the tooltips.
//
// Custom draw (NM_CUSTOMDRAW, NMTBCUSTOMDRAW): a pre-paint stage; with
// CDRF_NOTIFYITEMDRAW an item pre-paint stage per shown button
// (dwItemSpec the command id); CDRF_SKIPDEFAULT leaves the part undrawn,
// CDRF_NOTIFYPOSTPAINT asks for the matching post-paint stage. Other
// answer bits are accepted and have no effect.
#pragma once

#include "platform/controls/notifications.h"
#include "platform/gdi/gdi.h"

constexpr DWORD CCS_TOP = 0x0001;
constexpr DWORD CCS_NOMOVEY = 0x0002;
constexpr DWORD CCS_BOTTOM = 0x0003;
constexpr DWORD CCS_NORESIZE = 0x0004;
constexpr DWORD CCS_NOPARENTALIGN = 0x0008;
constexpr DWORD CCS_NODIVIDER = 0x0040;

constexpr DWORD TBSTYLE_TOOLTIPS = 0x0100;
constexpr DWORD TBSTYLE_WRAPABLE = 0x0200;
constexpr DWORD TBSTYLE_FLAT = 0x0800;
constexpr DWORD TBSTYLE_LIST = 0x1000;
constexpr DWORD TBSTYLE_CUSTOMERASE = 0x2000;
constexpr DWORD TBSTYLE_EX_DRAWDDARROWS = 0x0001;

constexpr BYTE TBSTYLE_BUTTON = 0x00;
constexpr BYTE TBSTYLE_SEP = 0x01;
constexpr BYTE TBSTYLE_CHECK = 0x02;
constexpr BYTE TBSTYLE_GROUP = 0x04;
constexpr BYTE TBSTYLE_CHECKGROUP = TBSTYLE_GROUP | TBSTYLE_CHECK;
constexpr BYTE TBSTYLE_DROPDOWN = 0x08;
constexpr BYTE TBSTYLE_AUTOSIZE = 0x10;
constexpr BYTE TBSTYLE_NOPREFIX = 0x20;

constexpr BYTE TBSTATE_CHECKED = 0x01;
constexpr BYTE TBSTATE_PRESSED = 0x02;
constexpr BYTE TBSTATE_ENABLED = 0x04;
constexpr BYTE TBSTATE_HIDDEN = 0x08;
constexpr BYTE TBSTATE_INDETERMINATE = 0x10;
constexpr BYTE TBSTATE_WRAP = 0x20;

constexpr UINT TB_ENABLEBUTTON = 0x0400 + 1;
constexpr UINT TB_CHECKBUTTON = 0x0400 + 2;
constexpr UINT TB_PRESSBUTTON = 0x0400 + 3;
constexpr UINT TB_HIDEBUTTON = 0x0400 + 4;
constexpr UINT TB_INDETERMINATE = 0x0400 + 5;
constexpr UINT TB_ISBUTTONENABLED = 0x0400 + 9;
constexpr UINT TB_ISBUTTONCHECKED = 0x0400 + 10;
constexpr UINT TB_ISBUTTONPRESSED = 0x0400 + 11;
constexpr UINT TB_ISBUTTONHIDDEN = 0x0400 + 12;
constexpr UINT TB_SETSTATE = 0x0400 + 17;
constexpr UINT TB_GETSTATE = 0x0400 + 18;
constexpr UINT TB_DELETEBUTTON = 0x0400 + 22;
constexpr UINT TB_GETBUTTON = 0x0400 + 23;
constexpr UINT TB_BUTTONCOUNT = 0x0400 + 24;
constexpr UINT TB_COMMANDTOINDEX = 0x0400 + 25;
constexpr UINT TB_GETITEMRECT = 0x0400 + 29;
constexpr UINT TB_BUTTONSTRUCTSIZE = 0x0400 + 30;
constexpr UINT TB_SETBUTTONSIZE = 0x0400 + 31;
constexpr UINT TB_SETBITMAPSIZE = 0x0400 + 32;
constexpr UINT TB_AUTOSIZE = 0x0400 + 33;
constexpr UINT TB_CHANGEBITMAP = 0x0400 + 43;
constexpr UINT TB_GETBITMAP = 0x0400 + 44;
constexpr UINT TB_SETIMAGELIST = 0x0400 + 48;
constexpr UINT TB_GETIMAGELIST = 0x0400 + 49;
constexpr UINT TB_GETRECT = 0x0400 + 51;
constexpr UINT TB_GETBUTTONSIZE = 0x0400 + 58;
constexpr UINT TB_GETBUTTONINFOW = 0x0400 + 63;
constexpr UINT TB_SETBUTTONINFOW = 0x0400 + 64;
constexpr UINT TB_INSERTBUTTONW = 0x0400 + 67;
constexpr UINT TB_ADDBUTTONSW = 0x0400 + 68;
constexpr UINT TB_ADDSTRINGW = 0x0400 + 77;
constexpr UINT TB_SETEXTENDEDSTYLE = 0x0400 + 84;
constexpr UINT TB_GETEXTENDEDSTYLE = 0x0400 + 85;
constexpr UINT TB_SETTOOLTIPS = 1105;

struct TBBUTTON {
  int iBitmap;
  int idCommand;
  BYTE fsState;
  BYTE fsStyle;
  BYTE bReserved[6];
  DWORD_PTR dwData;
  intptr_t iString;  // a text pointer, an index of TB_ADDSTRINGW's texts, or -1
};

constexpr DWORD TBIF_IMAGE = 0x00000001;
constexpr DWORD TBIF_TEXT = 0x00000002;
constexpr DWORD TBIF_STATE = 0x00000004;
constexpr DWORD TBIF_STYLE = 0x00000008;
constexpr DWORD TBIF_LPARAM = 0x00000010;
constexpr DWORD TBIF_COMMAND = 0x00000020;
constexpr DWORD TBIF_SIZE = 0x00000040;
constexpr DWORD TBIF_BYINDEX = 0x80000000u;

struct TBBUTTONINFOW {
  UINT cbSize;
  DWORD dwMask;
  int idCommand;
  int iImage;
  BYTE fsState;
  BYTE fsStyle;
  WORD cx;
  DWORD_PTR lParam;
  LPWSTR pszText;
  int cchText;
};

constexpr UINT TBN_DROPDOWN = static_cast<UINT>(-710);
constexpr LRESULT TBDDRET_DEFAULT = 0;
constexpr LRESULT TBDDRET_NODEFAULT = 1;
constexpr LRESULT TBDDRET_TREATPRESSED = 2;

struct NMTOOLBARW {
  NMHDR hdr;
  int iItem;
  TBBUTTON tbButton;
  int cchText;
  LPWSTR pszText;
  RECT rcButton;
};

struct NMTBCUSTOMDRAW {
  NMCUSTOMDRAW nmcd;
  HBRUSH hbrMonoDither;
  HBRUSH hbrLines;
  HPEN hpenLines;
  COLORREF clrText;
  COLORREF clrMark;
  COLORREF clrTextHighlight;
  COLORREF clrBtnFace;
  COLORREF clrBtnHighlight;
  COLORREF clrHighlightHotTrack;
  RECT rcText;
  int nStringBkMode;
  int nHLStringBkMode;
};
