// Taking messages from the calling thread's queue: GetMessageW, PeekMessageW,
// DispatchMessageW and TranslateMessage. The order of what is answered is
// set out in message_queue.h.
#include <chrono>
#include <cstdio>

#include "platform/core/last_error.h"
#include "platform/input/device_input.h"
#include "platform/input/virtual_keys.h"
#include "platform/threads/threads.h"
#include "platform/time/tick_count.h"
#include "platform/windows/idle_hook.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/paint_queue.h"
#include "platform/windows/timer_queue.h"
#include "platform/windows/window_manager.h"

#ifdef TESSALYN_TEST_HOOKS
#include "platform/threads/thread_hooks.h"
#endif

using namespace devwin;

namespace {

thread_local devwin::IdleHook t_idleHook = nullptr;

bool FilterWindowValid(HWND window) {
  return window == nullptr || window == reinterpret_cast<HWND>(static_cast<intptr_t>(-1)) ||
         IsLocalWindow(window);
}

// One step of retrieval with the lock held; false when nothing is there.
bool NextMessage(Lock& guard, MessageQueue* queue, const MessageFilter& filter, bool remove, MSG* out) {
  DeliverIncomingSends(guard, queue);
  for (auto it = queue->posted.begin(); it != queue->posted.end(); ++it) {
    if (!filter.Takes(it->hwnd, it->message)) continue;
    *out = *it;
    out->time = GetTickCount();
    if (remove) queue->posted.erase(it);
    return true;
  }
  if (queue->quit && (filter.first == 0 && filter.last == 0 ? true : WM_QUIT >= filter.first && WM_QUIT <= filter.last)) {
    *out = MSG{};
    out->message = WM_QUIT;
    out->wParam = static_cast<WPARAM>(queue->quitCode);
    out->time = GetTickCount();
    if (remove) queue->quit = false;
    return true;
  }
  if (TakeInput(guard, queue, filter, remove, out)) {
    out->time = GetTickCount();
    return true;
  }
  if (TakePaint(queue, filter, out)) {
    out->time = GetTickCount();
    return true;
  }
  return TakeDueTimer(queue, filter, remove, out);
}

}  // namespace

BOOL GetMessageW(MSG* msg, HWND window, UINT firstMessage, UINT lastMessage) {
  WindowManager& m = Manager();
  Lock guard(m.lock);
  if (msg == nullptr || !FilterWindowValid(window)) {
    SetLastError(msg ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
    return -1;
  }
  MessageQueue* queue = CurrentQueue();
  MessageFilter filter{window, firstMessage, lastMessage};
#ifdef TESSALYN_TEST_HOOKS
  bool capped = devtest::TestTimingActive();
  auto idleSince = std::chrono::steady_clock::now();
#endif
  for (;;) {
    if (NextMessage(guard, queue, filter, true, msg)) return msg->message == WM_QUIT ? FALSE : TRUE;
#ifdef TESSALYN_TEST_HOOKS
    auto now = std::chrono::steady_clock::now();
    if (capped && now - idleSince >= std::chrono::milliseconds(devtest::kTestWaitCapMs)) {
      std::fprintf(stderr, "GetMessageW: nothing to deliver for %u ms in a test; answering WM_QUIT\n",
                   static_cast<unsigned>(devtest::kTestWaitCapMs));
      *msg = MSG{};
      msg->message = WM_QUIT;
      return FALSE;
    }
#endif
    auto wait = std::chrono::milliseconds(60000);
#ifdef TESSALYN_TEST_HOOKS
    if (capped) wait = std::chrono::milliseconds(devtest::kTestWaitCapMs);
#endif
    DWORD delay = 0;
    if (NextTimerDelay(queue, &delay) && std::chrono::milliseconds(delay) < wait)
      wait = std::chrono::milliseconds(delay);
    if (t_idleHook != nullptr) {
      devwin::IdleHook hook = t_idleHook;
      guard.unlock();
      hook(static_cast<DWORD>(wait.count()));
      guard.lock();
      continue;
    }
    queue->wake.wait_for(guard, wait);
  }
}

BOOL PeekMessageW(MSG* msg, HWND window, UINT firstMessage, UINT lastMessage, UINT removeFlags) {
  WindowManager& m = Manager();
  Lock guard(m.lock);
  if (msg == nullptr || !FilterWindowValid(window)) {
    SetLastError(msg ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  MessageFilter filter{window, firstMessage, lastMessage};
  bool remove = (removeFlags & PM_REMOVE) != 0;
  if (NextMessage(guard, CurrentQueue(), filter, remove, msg)) return TRUE;
  if (t_idleHook == nullptr) return FALSE;
  devwin::IdleHook hook = t_idleHook;
  guard.unlock();
  hook(0);
  guard.lock();
  return NextMessage(guard, CurrentQueue(), filter, remove, msg) ? TRUE : FALSE;
}

namespace devwin {

void SetIdleHook(IdleHook hook) { t_idleHook = hook; }
IdleHook CurrentIdleHook() { return t_idleHook; }

}  // namespace devwin

LRESULT DispatchMessageW(const MSG* msg) {
  if (msg == nullptr) return 0;
  if (msg->message == WM_TIMER && msg->lParam != 0) {
    {
      std::lock_guard<std::mutex> guard(Manager().lock);
      if (msg->hwnd != nullptr && !IsOwnWindow(msg->hwnd)) return 0;
    }
    reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, msg->time);
    return 0;
  }
  if (msg->hwnd == nullptr) return 0;
  return CallOwnProcedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL TranslateMessage(const MSG* msg) {
  if (msg == nullptr || msg->message != WM_KEYDOWN) return FALSE;
  UINT key = static_cast<UINT>(msg->wParam);
  WCHAR character = 0;
  if (key >= '0' && key <= '9') character = static_cast<WCHAR>(key);
  else if (key >= 'A' && key <= 'Z')
    character = static_cast<WCHAR>(GetKeyState(0x10) < 0 ? key : key - 'A' + 'a');  // VK_SHIFT
  else if (key == 0x20 || key == 0x0D || key == 0x08 || key == 0x09 || key == 0x1B) character = static_cast<WCHAR>(key);
  else if (key == VK_MULTIPLY) character = u'*';
  else if (key == VK_ADD) character = u'+';
  else if (key == VK_SUBTRACT) character = u'-';
  if (character == 0) return FALSE;
  return PostMessageW(msg->hwnd, WM_CHAR, character, msg->lParam);
}
