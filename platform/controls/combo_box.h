// The combo box ("COMBOBOX") in its drop-down list form (CBS_DROPDOWNLIST;
// the other forms behave the same here, without an edit field): a box
// showing the chosen entry, and a list that drops down below it (above
// when the screen has no room) as a pop-up window ("ComboLBox").
//
// A tap on the box, the action key (Return) while it has the focus, and
// CB_SHOWDROPDOWN drop the list: CBN_DROPDOWN goes to the parent first, so
// the owner may fill the list then. The list closes on a choice (a tap on
// an entry, or Return) or on a tap outside it (or Escape), then
// CBN_CLOSEUP; a choice that changes the selection sends CBN_SELCHANGE
// before it. Up and Down while the list is closed change the selection
// with CBN_SELCHANGE; while it is open they move the highlight. The focus
// sends CBN_SETFOCUS and CBN_KILLFOCUS. WM_GETTEXT answers the chosen
// entry's text.
#pragma once

#include "platform/types/device_types.h"

constexpr DWORD CBS_SIMPLE = 0x0001;
constexpr DWORD CBS_DROPDOWN = 0x0002;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
constexpr DWORD CBS_SORT = 0x0100;
constexpr DWORD CBS_HASSTRINGS = 0x0200;

constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_INSERTSTRING = 0x014A;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_FINDSTRING = 0x014C;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT CB_SHOWDROPDOWN = 0x014F;
constexpr UINT CB_GETITEMDATA = 0x0150;
constexpr UINT CB_SETITEMDATA = 0x0151;
constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
constexpr UINT CB_FINDSTRINGEXACT = 0x0158;

constexpr LRESULT CB_OKAY = 0;
constexpr LRESULT CB_ERR = -1;
constexpr LRESULT CB_ERRSPACE = -2;

constexpr WORD CBN_SELCHANGE = 1;
constexpr WORD CBN_DBLCLK = 2;
constexpr WORD CBN_SETFOCUS = 3;
constexpr WORD CBN_KILLFOCUS = 4;
constexpr WORD CBN_DROPDOWN = 7;
constexpr WORD CBN_CLOSEUP = 8;
constexpr WORD CBN_SELENDOK = 9;
constexpr WORD CBN_SELENDCANCEL = 10;

// The most entries the dropped list shows at once before it scrolls.
constexpr int kComboVisibleEntries = 8;
