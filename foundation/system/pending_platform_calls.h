// The stand-in for shell execution, which comes with the application
// frame's shell journal; until it lands it answers failure exactly as the
// device does when the call fails, so the window utilities take their
// failure paths. The dialog-item, menu-item and open-file calls are the
// platform's own (platform/dialogs/, platform/menus/).
// This file goes when the real calls land; its records and constants move
// with them.
#pragma once

#include "platform/types/device_types.h"
#include "platform/types/window_handle.h"
#include "platform/dialogs/dialog_items.h"
#include "platform/dialogs/open_file_dialog.h"
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


BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info);                         // FALSE
