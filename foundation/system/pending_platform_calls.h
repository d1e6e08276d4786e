// Stand-ins for the device calls the platform does not offer yet: the
// open-file dialog comes with the platform's dialogs, shell execution with
// the application frame's shell journal (the dialog-item and menu-item
// calls are the platform's own, platform/dialogs/ and platform/menus/). Until they land, each answers failure exactly as
// the device does when the call fails (false, 0, an empty text, a
// cancelled dialog), so the window utilities take their failure paths.
// This file goes when the real calls land; its records and constants move
// with them.
#pragma once

#include "platform/types/device_types.h"
#include "platform/types/window_handle.h"
#include "platform/dialogs/dialog_items.h"
#include "platform/menus/menus.h"

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

BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info);                         // FALSE
BOOL GetOpenFileNameW(OPENFILENAMEW* info);                            // FALSE: cancelled
