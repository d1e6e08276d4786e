// PostMessageW, PostThreadMessageW and PostQuitMessage. Posting only takes
// the window manager's lock and appends to a queue, so it is safe from any
// thread.
#include "platform/core/last_error.h"
#include "platform/threads/threads.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/remote_messages.h"
#include "platform/windows/window_manager.h"

using namespace devwin;

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window == nullptr) return PostThreadMessageW(GetCurrentThreadId(), message, wParam, lParam);
  WindowIdentity remote;
  try {
    std::lock_guard<std::mutex> guard(Manager().lock);
    if (IsLocalWindow(window)) {
      QueueMessage(window->queue, window, message, wParam, lParam);
      return TRUE;
    }
    if (!IsRemoteWindow(window)) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    remote = window->identity;
  } catch (const std::exception&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  return PostToProcess(remote, message, wParam, lParam) ? TRUE : FALSE;
}

BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    std::lock_guard<std::mutex> guard(Manager().lock);
    MessageQueue* queue = threadId == GetCurrentThreadId() ? CurrentQueue() : QueueOfThread(threadId);
    if (queue == nullptr) {
      SetLastError(ERROR_INVALID_THREAD_ID);
      return FALSE;
    }
    QueueMessage(queue, nullptr, message, wParam, lParam);
    return TRUE;
  } catch (const std::exception&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
}

void PostQuitMessage(int exitCode) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  MessageQueue* queue = CurrentQueue();
  queue->quit = true;
  queue->quitCode = exitCode;
  queue->wake.notify_all();
}
