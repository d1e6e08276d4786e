// The track bar ("msctls_trackbar32"), horizontal: a channel with a thumb
// and ticks below it (every TBM_SETTICFREQ step with TBS_AUTOTICKS, else at
// both ends; none with TBS_NOTICKS).
//
// It tells its parent with WM_HSCROLL (wParam MAKELONG(code, position for
// TB_THUMBTRACK), lParam the bar): while the thumb is dragged TB_THUMBTRACK
// for each new position, and one TB_ENDTRACK when the stylus is lifted; a
// tap beside the thumb moves a page (TB_PAGEUP to the left, TB_PAGEDOWN to
// the right) and then TB_ENDTRACK on the lift; the arrow keys move a line
// (TB_LINEUP, TB_LINEDOWN), Page Up and Page Down a page, Home and End to
// the ends (TB_TOP, TB_BOTTOM), each followed by TB_ENDTRACK when the key
// is released. The page is a fifth of the range unless set.
#pragma once

#include "platform/types/device_types.h"

constexpr DWORD TBS_AUTOTICKS = 0x0001;
constexpr DWORD TBS_VERT = 0x0002;
constexpr DWORD TBS_HORZ = 0x0000;
constexpr DWORD TBS_TOP = 0x0004;
constexpr DWORD TBS_BOTTOM = 0x0000;
constexpr DWORD TBS_BOTH = 0x0008;
constexpr DWORD TBS_NOTICKS = 0x0010;
constexpr DWORD TBS_NOTHUMB = 0x0080;

constexpr UINT TBM_GETPOS = 0x0400;
constexpr UINT TBM_GETRANGEMIN = 0x0400 + 1;
constexpr UINT TBM_GETRANGEMAX = 0x0400 + 2;
constexpr UINT TBM_SETTIC = 0x0400 + 4;
constexpr UINT TBM_SETPOS = 0x0400 + 5;
constexpr UINT TBM_SETRANGE = 0x0400 + 6;
constexpr UINT TBM_SETRANGEMIN = 0x0400 + 7;
constexpr UINT TBM_SETRANGEMAX = 0x0400 + 8;
constexpr UINT TBM_CLEARTICS = 0x0400 + 9;
constexpr UINT TBM_SETTICFREQ = 0x0400 + 20;
constexpr UINT TBM_SETPAGESIZE = 0x0400 + 21;
constexpr UINT TBM_GETPAGESIZE = 0x0400 + 22;
constexpr UINT TBM_SETLINESIZE = 0x0400 + 23;
constexpr UINT TBM_GETLINESIZE = 0x0400 + 24;

constexpr WORD TB_LINEUP = 0;
constexpr WORD TB_LINEDOWN = 1;
constexpr WORD TB_PAGEUP = 2;
constexpr WORD TB_PAGEDOWN = 3;
constexpr WORD TB_THUMBPOSITION = 4;
constexpr WORD TB_THUMBTRACK = 5;
constexpr WORD TB_TOP = 6;
constexpr WORD TB_BOTTOM = 7;
constexpr WORD TB_ENDTRACK = 8;
