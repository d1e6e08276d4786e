// The focus and the active window of each thread, and the foreground window
// across processes. Only what the core needs: focus changes with their
// messages, activation with WM_ACTIVATE, and the hand-over of the foreground
// to another process's window.
#include "platform/core/last_error.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/process_channel.h"
#include "platform/windows/window_manager.h"
#include "platform/windows/windows.h"

using namespace devwin;

namespace devwin {

void ActivateLocal(HWND window, bool fromOther) {
  HWND previous = nullptr;
  HWND top = nullptr;
  {
    WindowManager& m = Manager();
    std::lock_guard<std::mutex> guard(m.lock);
    if (!IsOwnWindow(window)) return;
    top = TopLevelOf(window);
    MessageQueue* queue = top->queue;
    m.foreground = top;
    if (queue->active == top) return;
    previous = queue->active;
    queue->active = top;
  }
  if (previous != nullptr)
    CallOwnProcedure(previous, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(top));
  CallOwnProcedure(top, WM_ACTIVATE, WA_ACTIVE, fromOther ? 0 : reinterpret_cast<LPARAM>(previous));
}

void DeactivateForOtherProgram() {
  HWND previous = nullptr;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    MessageQueue* queue = CurrentQueue();
    previous = queue->active;
    queue->active = nullptr;
  }
  if (previous != nullptr) CallOwnProcedure(previous, WM_ACTIVATE, WA_INACTIVE, 0);
}

}  // namespace devwin

HWND SetFocus(HWND window) {
  HWND before = nullptr;
  bool activate = false;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    if (window != nullptr && !IsOwnWindow(window)) {
      SetLastError(IsLocalWindow(window) ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    MessageQueue* queue = CurrentQueue();
    before = queue->focus;
    activate = window != nullptr && queue->active != TopLevelOf(window);
  }
  // Activation may already move the focus (the default procedure of the
  // window being activated takes it).
  if (activate) ActivateLocal(window, false);
  HWND previous = nullptr;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    if (window != nullptr && !IsOwnWindow(window)) return nullptr;
    MessageQueue* queue = CurrentQueue();
    previous = queue->focus;
    if (previous == window) return before;
    queue->focus = window;
  }
  if (previous != nullptr) CallOwnProcedure(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
  bool stillFocused = false;
  if (window != nullptr) {
    std::lock_guard<std::mutex> guard(Manager().lock);
    stillFocused = IsOwnWindow(window) && CurrentQueue()->focus == window;
  }
  if (stillFocused) CallOwnProcedure(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  return before;
}

HWND GetFocus() {
  std::lock_guard<std::mutex> guard(Manager().lock);
  return CurrentQueue()->focus;
}

HWND GetActiveWindow() {
  std::lock_guard<std::mutex> guard(Manager().lock);
  return CurrentQueue()->active;
}

BOOL SetForegroundWindow(HWND window) {
  WindowIdentity identity;
  {
    WindowManager& m = Manager();
    std::lock_guard<std::mutex> guard(m.lock);
    if (IsLocalWindow(window)) {
      if (window->queue != CurrentQueue()) {
        // Another thread's window: activate it on its own thread.
        auto sent = std::make_shared<SentMessage>();
        HWND target = window;
        sent->work = [target] {
          ActivateLocal(target, false);
          return LRESULT{0};
        };
        window->queue->incoming.push_back(sent);
        window->queue->wake.notify_all();
        m.foreground = TopLevelOf(window);
        return TRUE;
      }
    } else if (IsRemoteWindow(window)) {
      identity = window->identity;
    } else {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
  }
  if (identity.pid == 0) {
    ActivateLocal(window, false);
    return TRUE;
  }
  ChannelRequest request{};
  request.kind = RequestKind::kActivate;
  request.serial = identity.serial;
  ChannelReply reply{};
  bool timedOut = false;
  if (!CallProcess(identity.pid, request, 2000, nullptr, &reply, &timedOut) || reply.status != ReplyStatus::kOk) {
    SetLastError(timedOut ? ERROR_TIMEOUT : ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  DeactivateForOtherProgram();
  std::lock_guard<std::mutex> guard(Manager().lock);
  Manager().foreground = window;
  return TRUE;
}

HWND GetForegroundWindow() {
  std::lock_guard<std::mutex> guard(Manager().lock);
  return Manager().foreground;
}
