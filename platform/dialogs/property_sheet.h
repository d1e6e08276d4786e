// Property sheets: a full-screen modal window with a tab control and one
// child dialog per page, each made from its template the first time it is
// shown (WM_INITDIALOG's lParam is the sheet's copy of its PROPSHEETPAGEW).
//
// Pages learn of the sheet through WM_NOTIFY with a PSHNOTIFY whose
// hdr.hwndFrom is the sheet window: PSN_SETACTIVE when shown,
// PSN_KILLACTIVE before another page is shown or the sheet is applied (a
// non-zero DWL_MSGRESULT keeps the page), PSN_APPLY on OK (a non-zero
// DWL_MSGRESULT keeps the sheet open) and PSN_RESET on Cancel; the last
// three reach only pages that were made. OK comes from PSM_PRESSBUTTON
// PSBTN_OK, from WM_COMMAND IDOK (the Done button, Enter) or a scripted
// answer; Cancel from PSBTN_CANCEL, IDCANCEL or Escape.
//
// With PSH_USECALLBACK the callback is asked PSCB_GETVERSION first, told
// PSCB_INITIALIZED once the sheet window and its tab control exist (it may
// change the tab control's style: TCS_BOTTOM puts the tabs at the bottom),
// and asked PSCB_GETTITLE (the title shown as the sheet's text when it
// gives one) and PSCB_GETLINKTEXT (the text under the pages) with buffers
// of kSheetTextMax characters.
//
// PropertySheetW answers 1 after OK, 0 after Cancel and -1 when the sheet
// could not be made (a bad header or page size, no pages, a page whose
// template is missing or malformed).
#pragma once

#include "platform/controls/notifications.h"
#include "platform/dialogs/dialogs.h"
#include "platform/types/gdi_handles.h"

using LPFNPSPCALLBACKW = UINT (*)(HWND, UINT, struct _PROPSHEETPAGEW*);
using PFNPROPSHEETCALLBACK = int (*)(HWND sheet, UINT stage, LPARAM lParam);

struct _PROPSHEETPAGEW {
  DWORD dwSize;
  DWORD dwFlags;
  HINSTANCE hInstance;
  union {
    LPCWSTR pszTemplate;
    LPCDLGTEMPLATEW pResource;
  };
  union {
    HICON hIcon;
    LPCWSTR pszIcon;
  };
  LPCWSTR pszTitle;
  DLGPROC pfnDlgProc;
  LPARAM lParam;
  LPFNPSPCALLBACKW pfnCallback;
  UINT* pcRefParent;
};
using PROPSHEETPAGEW = _PROPSHEETPAGEW;

struct PROPSHEETHEADERW {
  DWORD dwSize;
  DWORD dwFlags;
  HWND hwndParent;
  HINSTANCE hInstance;
  union {
    HICON hIcon;
    LPCWSTR pszIcon;
  };
  LPCWSTR pszCaption;
  UINT nPages;
  union {
    UINT nStartPage;
    LPCWSTR pStartPage;
  };
  union {
    const PROPSHEETPAGEW* ppsp;
    void* const* phpage;
  };
  PFNPROPSHEETCALLBACK pfnCallback;
};

struct PSHNOTIFY {
  NMHDR hdr;
  LPARAM lParam;
};

constexpr DWORD PSP_DLGINDIRECT = 0x0001;
constexpr DWORD PSP_USETITLE = 0x0008;
constexpr DWORD PSH_PROPSHEETPAGE = 0x0008;
constexpr DWORD PSH_NOAPPLYNOW = 0x0080;
constexpr DWORD PSH_USECALLBACK = 0x0100;
constexpr DWORD PSH_MAXIMIZE = 0x2000;

constexpr UINT PSCB_INITIALIZED = 1;
constexpr UINT PSCB_PRECREATE = 2;
constexpr UINT PSCB_GETVERSION = 3;
constexpr UINT PSCB_GETTITLE = 4;
constexpr UINT PSCB_GETLINKTEXT = 5;
constexpr int kSheetTextMax = 128;

constexpr UINT PSN_SETACTIVE = static_cast<UINT>(-200);
constexpr UINT PSN_KILLACTIVE = static_cast<UINT>(-201);
constexpr UINT PSN_APPLY = static_cast<UINT>(-202);
constexpr UINT PSN_RESET = static_cast<UINT>(-203);
constexpr LONG_PTR PSNRET_NOERROR = 0;
constexpr LONG_PTR PSNRET_INVALID = 1;
constexpr LONG_PTR PSNRET_INVALID_NOCHANGEPAGE = 2;

constexpr UINT PSM_SETCURSEL = 0x0400 + 101;
constexpr UINT PSM_PRESSBUTTON = 0x0400 + 112;
constexpr UINT PSM_GETTABCONTROL = 0x0400 + 116;
constexpr UINT PSM_GETCURRENTPAGEHWND = 0x0400 + 118;
constexpr WPARAM PSBTN_OK = 3;
constexpr WPARAM PSBTN_CANCEL = 5;

// The class of the sheet window.
#define WC_PROPSHEETW u"PropertySheet"

INT_PTR PropertySheetW(const PROPSHEETHEADERW* header);
