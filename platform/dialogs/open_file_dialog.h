// The open-file dialog: the user picks one file of the device, among those
// whose names match the chosen filter's pattern. The answer is TRUE with
// the file's device path in lpstrFile (and its name in lpstrFileTitle when
// asked), and the chosen filter's index; FALSE when cancelled, and FALSE
// with CommDlgExtendedError() FNERR_BUFFERTOOSMALL when the path does not
// fit the caller's buffer (nothing is written past it).
//
// The dialog fills the work area: a folder drop-down (all of the device,
// My Documents, each storage card), a type drop-down (the filter's names)
// and a list of the files in the folder and its sub-folders whose names
// match the chosen type's patterns ("*.PRC;*.PDB", case-blind). A tap on
// a file, or Enter, chooses it; Escape or Cancel answers FALSE.
// OFN_OVERWRITEPROMPT means nothing for an open dialog and is ignored.
//
// In test builds a script may choose directly (platform/modals/
// modal_hooks.h: ChooseNextFile) or tap and type; a dialog with nobody to
// choose is cancelled.
#pragma once

#include "platform/windows/window_types.h"

struct OPENFILENAMEW {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCWSTR lpstrFilter;  // pairs of NUL-ended name and pattern, then a NUL
  LPWSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;  // 1-based
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
// Means nothing for an open dialog: accepted and ignored.
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;

constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;
constexpr DWORD CDERR_STRUCTSIZE = 0x0001;

BOOL GetOpenFileNameW(OPENFILENAMEW* info);
// The error of the last failed common dialog of this thread (0: cancelled).
DWORD CommDlgExtendedError();
