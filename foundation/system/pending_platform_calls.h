// Stand-ins for the device calls the platform does not offer yet: the
// menu-item calls and the open-file dialog come with the platform's menus
// and dialogs, shell execution with the application frame's shell journal
// (the dialog-item calls are the platform's own, platform/dialogs/). Until they land, each answers failure exactly as
// the device does when the call fails (false, 0, an empty text, a
// cancelled dialog), so the window utilities take their failure paths.
// This file goes when the real calls land; its records and constants move
// with them.
#pragma once

#include "platform/types/device_types.h"
#include "platform/types/window_handle.h"
#include "platform/dialogs/dialog_items.h"

// Menu items.
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
constexpr UINT MIIM_TYPE = 0x00000010;
constexpr UINT MFT_STRING = 0x00000000;

// Shell execution.
struct SHELLEXECUTEINFOW {
  DWORD cbSize;
  ULONG fMask;
  HWND hwnd;
  LPCWSTR lpVerb;
  LPCWSTR lpFile;
  LPCWSTR lpParameters;
  LPCWSTR lpDirectory;
  int nShow;
  HINSTANCE hInstApp;
  LPVOID lpIDList;
  LPCWSTR lpClass;
  HANDLE hkeyClass;
  DWORD dwHotKey;
  HANDLE hIcon;
  HANDLE hProcess;
};
constexpr ULONG SEE_MASK_NOCLOSEPROCESS = 0x00000040;

// The open-file dialog.
struct OPENFILENAMEW {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCWSTR lpstrFilter;
  LPWSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;
  LPWSTR lpstrFile;
  DWORD nMaxFile;
  LPWSTR lpstrFileTitle;
  DWORD nMaxFileTitle;
  LPCWSTR lpstrInitialDir;
  LPCWSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  LPCWSTR lpstrDefExt;
  LPARAM lCustData;
  LPVOID lpfnHook;
  LPCWSTR lpTemplateName;
};
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;

BOOL SetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFOW* info);  // FALSE
BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info);                         // FALSE
BOOL GetOpenFileNameW(OPENFILENAMEW* info);                            // FALSE: cancelled
