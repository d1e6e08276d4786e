// Dialogs: windows made from a template (dialog_template.h), their
// controls created from its items, sized in dialog units of the dialog's
// font, and run modelessly (CreateDialog*) or modally (DialogBox*).
//
// A dialog's procedure answers TRUE for a message it handled and FALSE to
// leave it to the default handling; its answer to a message that needs a
// result goes in DWL_MSGRESULT. DWL_MSGRESULT, DWL_DLGPROC and DWL_USER are
// pointer-sized slots of the dialog window, read and written with
// Get/SetWindowLongPtrW.
//
// WM_INITDIALOG carries the first control with WS_TABSTOP in wParam and the
// caller's parameter in lParam; when the procedure answers TRUE that
// control receives the focus, when FALSE the procedure set the focus.
//
// A modal dialog disables its owner (which receives WM_ACTIVATE inactive
// naming the dialog, and is active again afterwards), runs the modal loop
// until EndDialog and answers EndDialog's result (-1 when the dialog could
// not be made). In every dialog, modal or one whose program's loop calls
// IsDialogMessageW, Tab and Shift+Tab move the focus between the enabled,
// visible WS_TABSTOP controls; Enter sends WM_COMMAND for the focused push
// button, else for the default push button, else IDOK with lParam 0;
// Escape sends IDCANCEL (with the Cancel button's handle when there is one).
#pragma once

#include "platform/dialogs/dialog_items.h"
#include "platform/dialogs/dialog_template.h"
#include "platform/windows/messages.h"
#include "platform/types/geometry_types.h"
#include "platform/windows/window_types.h"

struct DLGTEMPLATE {  // the fixed start of a template; items follow
  DWORD style;
  DWORD dwExtendedStyle;
  WORD cdit;
  short x;
  short y;
  short cx;
  short cy;
};
using LPCDLGTEMPLATEW = const DLGTEMPLATE*;
using DLGPROC = BOOL (*)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

constexpr int DWL_MSGRESULT = 0;
constexpr int DWL_DLGPROC = static_cast<int>(sizeof(LONG_PTR));
constexpr int DWL_USER = static_cast<int>(2 * sizeof(LONG_PTR));
constexpr int DLGWINDOWEXTRA = static_cast<int>(3 * sizeof(LONG_PTR));

constexpr UINT DM_GETDEFID = 0x0400;  // WM_USER
constexpr UINT DM_SETDEFID = 0x0401;
constexpr WORD DC_HASDEFID = 0x534B;

constexpr UINT WM_GETDLGCODE = 0x0087;
constexpr UINT WM_NEXTDLGCTL = 0x0028;
constexpr LRESULT DLGC_WANTARROWS = 0x0001;
constexpr LRESULT DLGC_WANTTAB = 0x0002;
constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
constexpr LRESULT DLGC_WANTMESSAGE = 0x0004;
constexpr LRESULT DLGC_HASSETSEL = 0x0008;
constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
constexpr LRESULT DLGC_WANTCHARS = 0x0080;

// The class of every dialog window.
#define WC_DIALOGW u"Dialog"

HWND CreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner, DLGPROC procedure,
                                LPARAM parameter);
HWND CreateDialogParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC procedure, LPARAM parameter);
INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner, DLGPROC procedure,
                                LPARAM parameter);
INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC procedure, LPARAM parameter);
// Ends a modal dialog with `result` (hides it at once; the loop destroys it).
// FALSE for a window that is not a dialog.
BOOL EndDialog(HWND dialog, INT_PTR result);
LRESULT DefDlgProcW(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Handles Tab, Shift+Tab, Enter and Escape for `dialog` and dispatches every
// other message meant for it or its controls; FALSE for a message that is
// not the dialog's (the caller dispatches it).
BOOL IsDialogMessageW(HWND dialog, MSG* message);
// The next (or, when `previous`, the prior) enabled, visible WS_TABSTOP
// control after `control`, wrapping; `control` null starts at the ends.
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
// Dialog units to pixels by the dialog's font: x * average width / 4,
// y * height / 8.
BOOL MapDialogRect(HWND dialog, RECT* rect);
// The system font's units: average character width in the low word, height
// in the high word.
LONG GetDialogBaseUnits();
