// The status window ("msctls_statusbar32") and its creation call: a bar
// along the bottom of its parent, one line high, split into parts. It
// places itself along its parent's bottom, the parent's width wide, when it
// is made and whenever it gets WM_SIZE (the parent passes its own WM_SIZE
// on, as on the device); its height is its window height. Parts are given
// by their right edges (-1: to the bar's end); each holds a text drawn
// sunken, or flat with SBT_NOBORDERS. In simple mode (SB_SIMPLE) one text
// (part 255) fills the bar.
#pragma once

#include "platform/types/device_types.h"
#include "platform/types/window_handle.h"

constexpr UINT SB_SETTEXTW = 0x0400 + 11;
constexpr UINT SB_GETTEXTW = 0x0400 + 13;
constexpr UINT SB_GETTEXTLENGTHW = 0x0400 + 12;
constexpr UINT SB_SETPARTS = 0x0400 + 4;
constexpr UINT SB_GETPARTS = 0x0400 + 6;
constexpr UINT SB_GETBORDERS = 0x0400 + 7;
constexpr UINT SB_SETMINHEIGHT = 0x0400 + 8;
constexpr UINT SB_SIMPLE = 0x0400 + 9;
constexpr UINT SB_GETRECT = 0x0400 + 10;
constexpr UINT SB_ISSIMPLE = 0x0400 + 14;

constexpr WPARAM SBT_NOBORDERS = 0x0100;
constexpr WPARAM SBT_POPOUT = 0x0200;
constexpr WPARAM SBT_OWNERDRAW = 0x1000;
constexpr WPARAM SB_SIMPLEID = 0x00FF;
constexpr DWORD SBARS_SIZEGRIP = 0x0100;

// The most parts a bar holds.
constexpr int kStatusBarMaxParts = 256;

// The borders SB_GETBORDERS reports: horizontal, vertical, between parts.
constexpr int kStatusBorderHorizontal = 0;
constexpr int kStatusBorderVertical = 2;
constexpr int kStatusBorderBetween = 2;

HWND CreateStatusWindowW(LONG style, LPCWSTR text, HWND parent, UINT id);
