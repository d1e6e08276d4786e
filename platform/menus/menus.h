// Menus: bars and pop-ups of items (strings, separators, sub-menus), each
// with its command id, state and data. A menu handle is checked before use:
// a handle that is not a live menu fails with ERROR_INVALID_HANDLE (a
// menu's calls never read through a stale or made-up handle).
#pragma once

#include "platform/types/geometry_types.h"
#include "platform/windows/window_types.h"

struct MENUITEMINFOW {
  UINT cbSize;
  UINT fMask;
  UINT fType;
  UINT fState;
  UINT wID;
  HMENU hSubMenu;
  HANDLE hbmpChecked;
  HANDLE hbmpUnchecked;
  ULONG_PTR dwItemData;
  LPWSTR dwTypeData;
  UINT cch;
};
constexpr UINT MIIM_STATE = 0x00000001;
constexpr UINT MIIM_ID = 0x00000002;
constexpr UINT MIIM_SUBMENU = 0x00000004;
constexpr UINT MIIM_CHECKMARKS = 0x00000008;
constexpr UINT MIIM_TYPE = 0x00000010;
constexpr UINT MIIM_DATA = 0x00000020;

constexpr UINT MFT_STRING = 0x00000000;
constexpr UINT MFT_RADIOCHECK = 0x00000200;
constexpr UINT MFT_SEPARATOR = 0x00000800;

constexpr UINT MF_BYCOMMAND = 0x00000000;
constexpr UINT MF_BYPOSITION = 0x00000400;
constexpr UINT MF_STRING = 0x00000000;
constexpr UINT MF_ENABLED = 0x00000000;
constexpr UINT MF_GRAYED = 0x00000001;
constexpr UINT MF_DISABLED = 0x00000002;
constexpr UINT MF_UNCHECKED = 0x00000000;
constexpr UINT MF_CHECKED = 0x00000008;
constexpr UINT MF_POPUP = 0x00000010;
constexpr UINT MF_SEPARATOR = 0x00000800;
constexpr UINT MFS_GRAYED = 0x00000003;
constexpr UINT MFS_CHECKED = MF_CHECKED;

HMENU CreateMenu();
HMENU CreatePopupMenu();
// Destroys the menu and its sub-menus.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
int GetMenuItemCount(HMENU menu);  // -1 for a bad handle
// The id of the item at `position`; -1 (as UINT) for a sub-menu or none.
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
// `newItem` is the id, or the sub-menu with MF_POPUP; `text` the string.
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR newItem, LPCWSTR text);
BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR newItem, LPCWSTR text);
BOOL InsertMenuItemW(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFOW* info);
BOOL ModifyMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR newItem, LPCWSTR text);
// RemoveMenu keeps a removed item's sub-menu; DeleteMenu destroys it.
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
BOOL GetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFOW* info);
BOOL SetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFOW* info);
// The previous check state (MF_CHECKED or MF_UNCHECKED), or -1 (as DWORD).
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
// The previous state (MF_GRAYED and MF_DISABLED bits), or -1 (as UINT).
UINT EnableMenuItem(HMENU menu, UINT item, UINT flags);

// A menu bar made from RT_MENU resource `name` (its pop-ups as sub-menus);
// null for a missing or malformed menu.
HMENU LoadMenuW(HINSTANCE instance, LPCWSTR name);
// The same from raw bytes of the resource's form.
HMENU LoadMenuFromBytes(const BYTE* data, size_t size);

// Pop-up menus.
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_CENTERALIGN = 0x0004;
constexpr UINT TPM_RIGHTALIGN = 0x0008;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_VCENTERALIGN = 0x0010;
constexpr UINT TPM_BOTTOMALIGN = 0x0020;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;
struct TPMPARAMS {
  UINT cbSize;
  RECT rcExclude;
};
// WM_INITMENUPOPUP goes to the owner before the menu opens. With
// TPM_RETURNCMD the chosen id is answered (0 for none); otherwise the
// choice is posted to the owner as WM_COMMAND and the answer is non-zero
// when the menu was shown.
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* unused);
