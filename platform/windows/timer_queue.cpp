// SetTimer and KillTimer, and the due timers of a queue. Due times are tick
// counts compared by signed difference, so they keep working when the
// 32-bit tick count wraps.
#include "platform/windows/timer_queue.h"

#include <algorithm>
#include <new>

#include "platform/core/last_error.h"
#include "platform/time/tick_count.h"
#include "platform/windows/timers.h"
#include "platform/windows/window_manager.h"

namespace devwin {
namespace {

int32_t Until(DWORD due, DWORD now) { return static_cast<int32_t>(due - now); }

DWORD Period(UINT elapse) { return elapse == 0 ? 1 : elapse; }

}  // namespace

bool MessageFilter::Takes(HWND target, UINT message) const {
  if ((first != 0 || last != 0) && (message < first || message > last)) return false;
  if (window == nullptr) return true;
  if (window == reinterpret_cast<HWND>(static_cast<intptr_t>(-1))) return target == nullptr;
  return target != nullptr && IsLocalWindow(target) && IsDescendant(window, target);
}

bool TakeDueTimer(MessageQueue* queue, const MessageFilter& filter, bool remove, MSG* out) {
  DWORD now = GetTickCount();
  Timer* best = nullptr;
  for (Timer& timer : queue->timers) {
    if (Until(timer.due, now) > 0 || !filter.Takes(timer.window, WM_TIMER)) continue;
    if (best == nullptr || Until(timer.due, best->due) < 0 ||
        (timer.due == best->due && timer.order < best->order))
      best = &timer;
  }
  if (best == nullptr) return false;
  *out = MSG{};
  out->hwnd = best->window;
  out->message = WM_TIMER;
  out->wParam = best->id;
  out->lParam = reinterpret_cast<LPARAM>(best->procedure);
  out->time = now;
  if (remove) best->due = now + Period(best->elapse);
  return true;
}

bool NextTimerDelay(MessageQueue* queue, DWORD* delay) {
  if (queue->timers.empty()) return false;
  DWORD now = GetTickCount();
  int32_t soonest = INT32_MAX;
  for (const Timer& timer : queue->timers) soonest = std::min(soonest, Until(timer.due, now));
  *delay = soonest < 0 ? 0 : static_cast<DWORD>(soonest);
  return true;
}

}  // namespace devwin

using namespace devwin;

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC procedure) {
  try {
    WindowManager& m = Manager();
    std::lock_guard<std::mutex> guard(m.lock);
    if (window != nullptr && !IsOwnWindow(window)) {
      SetLastError(IsLocalWindow(window) ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    MessageQueue* queue = window ? window->queue : CurrentQueue();
    Timer* existing = nullptr;
    for (Timer& timer : queue->timers)
      if (timer.window == window && timer.id == id) existing = &timer;
    if (existing == nullptr && window == nullptr) {
      // A new thread timer gets an identifier no thread timer uses.
      for (;;) {
        id = queue->nextThreadTimerId++;
        if (id == 0) continue;
        bool used = std::any_of(queue->timers.begin(), queue->timers.end(),
                                [&](const Timer& t) { return t.window == nullptr && t.id == id; });
        if (!used) break;
      }
    }
    if (existing == nullptr) {
      queue->timers.push_back(Timer{});
      existing = &queue->timers.back();
      existing->window = window;
      existing->id = id;
      existing->order = m.nextTimerOrder++;
    }
    existing->elapse = elapse;
    existing->procedure = procedure;
    existing->due = GetTickCount() + elapse;
    queue->wake.notify_all();
    return id != 0 ? id : 1;
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
}

BOOL KillTimer(HWND window, UINT_PTR id) {
  WindowManager& m = Manager();
  std::lock_guard<std::mutex> guard(m.lock);
  MessageQueue* queue = nullptr;
  if (window == nullptr) {
    queue = CurrentQueue();
  } else if (IsLocalWindow(window)) {
    queue = window->queue;
  } else {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  auto& timers = queue->timers;
  auto it = std::find_if(timers.begin(), timers.end(),
                         [&](const Timer& t) { return t.window == window && t.id == id; });
  if (it == timers.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  timers.erase(it);
  return TRUE;
}
