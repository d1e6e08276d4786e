// The focus and the active window of each thread, and the foreground window
// across processes. Only what the core needs: focus changes with their
// messages, activation with WM_ACTIVATE, and the hand-over of the foreground
// to another process's window.
#include "platform/core/last_error.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/process_channel.h"
#include "platform/windows/screen.h"
#include "platform/windows/window_geometry.h"
#include "platform/windows/window_manager.h"
#include "platform/windows/windows.h"

using namespace devwin;

namespace devwin {

namespace {

// An activated window comes to the top of its band; what it covered before
// is painted again.
void BringActivatedToTop(HWND top) {
  bool covered = false;
  for (HWND other : TopLevelTopFirst()) {
    if (other == top) break;
    bool sameBand = (other->exStyle & WS_EX_TOPMOST) == (top->exStyle & WS_EX_TOPMOST);
    if (sameBand && IsShown(other)) covered = true;
  }
  if (!covered) return;
  RaiseWindow(top);
  if (IsShown(top)) InvalidateScreenArea(WindowRectOnScreen(top));
}

}  // namespace

void ActivateLocal(HWND window, bool fromOther, WORD state) {
  HWND previous = nullptr;
  HWND top = nullptr;
  {
    WindowManager& m = Manager();
    std::lock_guard<std::mutex> guard(m.lock);
    if (!IsOwnWindow(window)) return;
    top = TopLevelOf(window);
    MessageQueue* queue = top->queue;
    m.foreground = top;
    BringActivatedToTop(top);
    if (queue->active == top) return;
    previous = queue->active;
    queue->active = top;
  }
  if (previous != nullptr)
    CallOwnProcedure(previous, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(top));
  CallOwnProcedure(top, WM_ACTIVATE, state, fromOther ? 0 : reinterpret_cast<LPARAM>(previous));
}

void PassActivationOn(HWND window) {
  HWND next = nullptr;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    MessageQueue* queue = CurrentQueue();
    if (queue->active != window) return;
    if (IsLocalWindow(window) && IsOwnWindow(window->owner) && IsShown(window->owner)) next = window->owner;
    for (HWND top : TopLevelTopFirst()) {
      if (next != nullptr) break;
      if (top != window && IsOwnWindow(top) && !top->destroying && IsShown(top)) next = top;
    }
    if (next == nullptr) queue->active = nullptr;
  }
  if (next != nullptr) {
    ActivateLocal(next, false);
    return;
  }
  CallOwnProcedure(window, WM_ACTIVATE, WA_INACTIVE, 0);
  HWND focus = GetFocus();
  bool focusInside = false;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    focusInside = IsLocalWindow(focus) && IsLocalWindow(window) && IsDescendant(window, focus);
  }
  if (focusInside) SetFocus(nullptr);
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
