// The modal loop of modal_loop.h.
#include "platform/modals/modal_loop.h"

#include "platform/windows/message_queue.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"

namespace {

void Deliver(HWND modal, const MSG& message, ModalFilter filter, void* context) {
  if (filter != nullptr && filter(modal, message, context)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace

bool RunModalLoop(HWND modal, const bool* done, ModalFilter filter, void* context) {
  MSG message{};
#ifdef TESSALYN_TEST_HOOKS
  // Tests never wait: what the script queued is delivered, then the loop
  // ends whether or not the modal has its answer.
  while (!*done && IsWindow(modal) && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    Deliver(modal, message, filter, context);
  }
  return *done;
#else
  while (!*done && IsWindow(modal)) {
    if (!GetMessageW(&message, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    Deliver(modal, message, filter, context);
  }
  return *done;
#endif
}

bool DisableOwner(HWND owner) {
  if (owner == nullptr || !IsWindow(owner) || !IsWindowEnabled(owner)) return false;
  EnableWindow(owner, FALSE);
  return true;
}

void RestoreOwner(HWND owner, bool wasEnabled) {
  if (wasEnabled && IsWindow(owner)) EnableWindow(owner, TRUE);
}
