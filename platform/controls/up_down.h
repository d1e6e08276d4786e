// The up-down control ("msctls_updown32"): two arrows, one above the other
// (or side by side with UDS_HORZ), stepping a position within a range
// (0 to 100 unless set; UDS_WRAP wraps at the ends).
//
// The delta of each arrow: the up arrow (vertical) and the right arrow
// (UDS_HORZ) give +1; the down and left arrows give -1; a tap on an arrow,
// or the Up and Down (Right and Left) keys while it has the focus, step
// once. Before any change UDN_DELTAPOS (NMUPDOWN: the position and the
// delta) goes to the parent, and a non-zero answer refuses the step; then
// the position moves (clamped to the range) and the parent gets
// WM_VSCROLL (WM_HSCROLL with UDS_HORZ) with MAKELONG(SB_THUMBPOSITION,
// position), and SB_ENDSCROLL when the stylus is lifted. With
// UDS_SETBUDDYINT the buddy window's text follows the position.
#pragma once

#include "platform/controls/notifications.h"

constexpr DWORD UDS_WRAP = 0x0001;
constexpr DWORD UDS_SETBUDDYINT = 0x0002;
constexpr DWORD UDS_ALIGNRIGHT = 0x0004;
constexpr DWORD UDS_ALIGNLEFT = 0x0008;
constexpr DWORD UDS_AUTOBUDDY = 0x0010;
constexpr DWORD UDS_ARROWKEYS = 0x0020;
constexpr DWORD UDS_HORZ = 0x0040;
constexpr DWORD UDS_NOTHOUSANDS = 0x0080;

constexpr UINT UDM_SETBUDDY = 0x0400 + 105;
constexpr UINT UDM_GETBUDDY = 0x0400 + 106;
constexpr UINT UDM_SETRANGE32 = 0x0400 + 111;
constexpr UINT UDM_GETRANGE32 = 0x0400 + 112;
constexpr UINT UDM_SETPOS32 = 0x0400 + 113;
constexpr UINT UDM_GETPOS32 = 0x0400 + 114;

constexpr UINT UDN_DELTAPOS = static_cast<UINT>(-722);

struct NMUPDOWN {
  NMHDR hdr;
  int iPos;
  int iDelta;
};

// WM_VSCROLL and WM_HSCROLL codes.
constexpr WORD SB_THUMBPOSITION = 4;
constexpr WORD SB_ENDSCROLL = 8;

// The step of each arrow.
constexpr int kUpDownUpDelta = 1;
constexpr int kUpDownDownDelta = -1;
