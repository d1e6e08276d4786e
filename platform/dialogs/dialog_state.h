// What the dialog manager keeps of each dialog window beside its DWL_
// slots: its font and base units, its default button, and, for a modal
// dialog, whether EndDialog ended it and with what. Internal to
// platform/dialogs.
#pragma once

#include "platform/dialogs/dialogs.h"
#include "platform/types/gdi_handles.h"

namespace devdialog {

struct DialogState {
  HFONT font = nullptr;
  bool ownsFont = false;
  int unitX = 4;  // average character width
  int unitY = 8;  // character height
  int defaultId = 0;
  HWND lastFocus = nullptr;
  UINT templateId = 0;
  bool modal = false;
  bool ended = false;
  INT_PTR result = 0;
  // A modal dialog's loop keeps its end and result on its own stack, so
  // that a dialog destroyed by its procedure leaves them readable.
  bool* endedSignal = nullptr;
  INT_PTR* resultSignal = nullptr;
};

// The state of a dialog window made here (null for any other window).
DialogState* StateOf(HWND window);

enum class DialogRole { Modeless, Modal, Page };
// Makes the dialog; null when the template is refused or a control could
// not be made. A modal dialog stays hidden until its loop shows it; a page
// is made a hidden child of `owner` (the sheet) at its top left, whatever
// its template says.
HWND CreateFromTemplate(HINSTANCE instance, const BYTE* data, size_t size, UINT templateId, HWND owner,
                        DLGPROC procedure, LPARAM parameter, DialogRole role);
// The bytes of a template passed by address: those of the installed
// resource it lies in, else what its own counts say (at most 64 KiB).
void TemplateBytes(LPCDLGTEMPLATEW dialogTemplate, const BYTE** data, size_t* size, UINT* id);
// The bytes of RT_DIALOG `name`; false when there is none.
bool LoadTemplate(HINSTANCE instance, LPCWSTR name, const BYTE** data, size_t* size, UINT* id);

// Enter, Escape, Tab and Shift+Tab for `dialog`: true when `message` was
// one of them and was acted on.
bool HandleDialogKey(HWND dialog, const MSG& message);

}  // namespace devdialog
