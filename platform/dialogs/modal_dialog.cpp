// Modal dialogs: DialogBox*, EndDialog.
#include <utility>

#include "platform/core/last_error.h"
#include "platform/dialogs/dialog_state.h"
#include "platform/modals/modal_loop.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"
#ifdef TESSALYN_TEST_HOOKS
#include "platform/modals/modal_hooks.h"
#endif

namespace {

#ifdef TESSALYN_TEST_HOOKS
void Journal(UINT id, INT_PTR result, bool scripted) {
  devtest::ModalRecord record;
  record.kind = devtest::ModalKind::Dialog;
  record.templateId = static_cast<int>(id);
  record.result = result;
  record.scripted = scripted;
  devtest::DialogJournal().push_back(std::move(record));
}
#endif

bool FilterDialogKeys(HWND modal, const MSG& message, void*) { return devdialog::HandleDialogKey(modal, message); }

INT_PTR RunModal(HINSTANCE instance, const BYTE* data, size_t size, UINT id, HWND owner, DLGPROC procedure,
                 LPARAM parameter) {
  HWND dialog = devdialog::CreateFromTemplate(instance, data, size, id, owner, procedure, parameter,
                                                   devdialog::DialogRole::Modal);
  devdialog::DialogState* state = devdialog::StateOf(dialog);
  if (state == nullptr) {
#ifdef TESSALYN_TEST_HOOKS
    Journal(id, -1, false);
#endif
    return -1;
  }
  bool ended = state->ended;
  INT_PTR result = state->result;
  state->endedSignal = &ended;
  state->resultSignal = &result;
  bool ownerEnabled = DisableOwner(owner);
  bool scripted = false;
  if (!ended) {
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
    HWND focus = GetFocus();
    if (focus == nullptr || !IsChild(dialog, focus)) {
      HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
      SetFocus(first != nullptr ? first : dialog);
    }
#ifdef TESSALYN_TEST_HOOKS
    if (devtest::ModalScript script = devtest::TakeModalScript(devtest::ModalKind::Dialog)) {
      scripted = true;
      devtest::ModalView view;
      view.kind = devtest::ModalKind::Dialog;
      view.window = dialog;
      view.templateId = static_cast<int>(id);
      view.end = [dialog](INT_PTR answer) { EndDialog(dialog, answer); };
      script(view);
    }
#endif
    if (!RunModalLoop(dialog, &ended, FilterDialogKeys, nullptr) && IsWindow(dialog) && !ended) {
      // Nobody answered (a test without a script, or WM_QUIT): the
      // dialog's own Cancel handling runs, and ends it at 0 if it will not.
      SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      if (IsWindow(dialog) && !ended) EndDialog(dialog, 0);
    }
  }
  // The window may be gone (its procedure destroyed it): the answer is
  // then what EndDialog gave, or 0.
  if (!ended) result = 0;
  RestoreOwner(owner, ownerEnabled);
  if (IsWindow(dialog) && devdialog::StateOf(dialog) == state) {
    state->endedSignal = nullptr;
    state->resultSignal = nullptr;
    DestroyWindow(dialog);
  }
#ifdef TESSALYN_TEST_HOOKS
  Journal(id, result, scripted);
#else
  (void)scripted;
#endif
  return result;
}

}  // namespace

INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate, HWND owner, DLGPROC procedure,
                                LPARAM parameter) {
  const BYTE* data = nullptr;
  size_t size = 0;
  UINT id = 0;
  devdialog::TemplateBytes(dialogTemplate, &data, &size, &id);
  return RunModal(instance, data, size, id, owner, procedure, parameter);
}

INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner, DLGPROC procedure, LPARAM parameter) {
  const BYTE* data = nullptr;
  size_t size = 0;
  UINT id = 0;
  if (!devdialog::LoadTemplate(instance, templateName, &data, &size, &id)) return -1;
  return RunModal(instance, data, size, id, owner, procedure, parameter);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  devdialog::DialogState* state = devdialog::StateOf(dialog);
  if (state == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (!state->modal) {
    // A modeless dialog ended this way is only hidden, as on the device.
    ShowWindow(dialog, SW_HIDE);
    return TRUE;
  }
  if (!state->ended) {
    state->ended = true;
    state->result = result;
    if (state->endedSignal != nullptr) *state->endedSignal = true;
    if (state->resultSignal != nullptr) *state->resultSignal = result;
    ShowWindow(dialog, SW_HIDE);
  }
  return TRUE;
}
