// SendMessageW and SendMessageTimeoutW: a direct call on the window's own
// thread; otherwise the message waits in the window thread's queue (or
// travels to the window's process) and the sender waits for the answer,
// handling messages sent to its own thread meanwhile so that two threads
// sending to each other do not block for ever.
#include <chrono>
#include <memory>

#include "platform/core/last_error.h"
#include "platform/threads/sync.h"
#include "platform/threads/waitable.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/remote_messages.h"
#include "platform/windows/window_manager.h"

using namespace devwin;

namespace {

bool SendToThread(Lock& guard, HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs,
                  LRESULT* result) {
  MessageQueue* self = CurrentQueue();
  auto sent = std::make_shared<SentMessage>();
  sent->window = window;
  sent->message = message;
  sent->wParam = wParam;
  sent->lParam = lParam;
  sent->sender = self;
  MessageQueue* target = window->queue;
  target->incoming.push_back(sent);
  target->wake.notify_all();
  auto deadline = std::chrono::steady_clock::now() + devthreads::CappedWait(timeoutMs);
  for (;;) {
    DeliverIncomingSends(guard, self);
    if (sent->done) break;
    if (std::chrono::steady_clock::now() >= deadline) {
      sent->abandoned = true;
      if (!sent->running) {
        for (auto it = target->incoming.begin(); it != target->incoming.end(); ++it) {
          if (*it != sent) continue;
          target->incoming.erase(it);
          break;
        }
      }
      SetLastError(ERROR_TIMEOUT);
      return false;
    }
    self->wake.wait_until(guard, deadline);
  }
  if (!sent->delivered) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  *result = sent->result;
  return true;
}

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs, LRESULT* result) {
  *result = 0;
  WindowIdentity remote;
  {
    Lock guard(Manager().lock);
    if (IsOwnWindow(window)) {
      WNDPROC procedure = window->procedure;
      guard.unlock();
      *result = procedure ? procedure(window, message, wParam, lParam) : 0;
      return true;
    }
    if (IsLocalWindow(window)) return SendToThread(guard, window, message, wParam, lParam, timeoutMs, result);
    if (!IsRemoteWindow(window)) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return false;
    }
    remote = window->identity;
  }
  DWORD wait = static_cast<DWORD>(devthreads::CappedWait(timeoutMs).count());
  return SendToProcess(remote, message, wParam, lParam, wait, result);
}

// The host's allocation failures stop at this boundary.
bool GuardedSend(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs, LRESULT* result) {
  try {
    return Send(window, message, wParam, lParam, timeoutMs, result);
  } catch (const std::exception&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
}

}  // namespace

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  GuardedSend(window, message, wParam, lParam, INFINITE, &result);
  return result;
}

LRESULT SendMessageTimeoutW(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT, UINT timeout,
                            DWORD_PTR* result) {
  LRESULT answer = 0;
  bool ok = GuardedSend(window, message, wParam, lParam, timeout, &answer);
  if (result) *result = static_cast<DWORD_PTR>(answer);
  return ok ? TRUE : FALSE;
}
