// The windows layer's process-wide state: the live windows, the classes, the
// queue of each thread (made on first use, freed with its thread), and what
// happens to it all in a forked child, which starts as a new process with no
// windows, classes or queues of its own.
#include "platform/windows/window_manager.h"

#include <pthread.h>

#include <algorithm>
#include <new>

#include "platform/core/last_error.h"
#include "platform/files/device_root.h"
#include "platform/shell/hot_keys.h"
#include "platform/threads/threads.h"
#include "platform/windows/process_channel.h"
#include "platform/windows/window_registry.h"

#ifdef TESSALYN_TEST_HOOKS
#include "platform/threads/virtual_clock.h"
#endif

namespace devwin {
namespace {

void DiscardQueue(MessageQueue* queue);

#ifdef TESSALYN_TEST_HOOKS
void WakeQueuesAfterClockMove() {
  std::lock_guard<std::mutex> guard(Manager().lock);
  WakeAllQueues();
}
#endif

// Frees the calling thread's queue, and the windows it still owns, when the
// thread ends.
struct QueueHolder {
  MessageQueue* queue = nullptr;
  ~QueueHolder() {
    if (queue == nullptr) return;
    WindowManager& m = Manager();
    std::lock_guard<std::mutex> guard(m.lock);
    if (queue->generation == m.generation) DiscardQueue(queue);
    queue = nullptr;
  }
};

thread_local QueueHolder t_queue;

// The input hardware's events join the manager's list under its lock, so
// that routing them (input_delivery.cpp) sees one consistent state.
void KeepInput(const RawInput& event) {
  try {
    std::lock_guard<std::mutex> guard(Manager().lock);
    Manager().input.push_back(event);
    WakeAllQueues();
  } catch (const std::bad_alloc&) {
    // An event that cannot be kept is lost, as on a device out of memory.
  }
}

size_t PendingInput() {
  std::lock_guard<std::mutex> guard(Manager().lock);
  return Manager().input.size();
}

bool IsInputDown(UINT virtualKey) {
  std::lock_guard<std::mutex> guard(Manager().lock);
  if (virtualKey == 0x01) return Manager().stylusDown;
  return Manager().keysDown.count(virtualKey & 0xFF) != 0;
}

constexpr devinput::InputSink kInputSink{KeepInput, PendingInput, IsInputDown};
// Before main, so that no event arrives before the windows layer takes it.
[[maybe_unused]] const bool kInputSinkSet = (devinput::SetInputSink(&kInputSink), true);

void DiscardQueue(MessageQueue* queue) {
  WindowManager& m = Manager();
  for (bool found = true; found;) {
    found = false;
    for (HWND window : m.live) {
      if (window->queue != queue || (window->parent && window->parent->queue == queue)) continue;
      DiscardWindow(window);
      found = true;
      break;
    }
  }
  for (auto& sent : queue->incoming) CompleteSent(sent, 0, false);
  queue->incoming.clear();
  m.queues.erase(queue->threadId);
  delete queue;
}

void ForkPrepare() {
  Manager().lock.lock();
  ChannelForkPrepare();
}

void ForkParent() {
  ChannelForkParent();
  Manager().lock.unlock();
}

// The child keeps only the forking thread. Nothing of the parent's windows
// belongs to it: the objects are dropped unseen (the memory is the child's
// copy) and the child starts empty, like a new process.
void ForkChild() {
  ChannelForkChild();
  WindowManager& m = Manager();
  m.live.clear();
  m.topLevel.clear();
  m.classes.clear();
  m.queues.clear();
  m.remotes.clear();
  m.foreground = nullptr;
  ++m.generation;
  t_queue.queue = nullptr;
  m.lock.unlock();
}

}  // namespace

WindowManager& Manager() {
  static WindowManager* manager = [] {
    auto* made = new WindowManager;  // lives for the process
    pthread_atfork(ForkPrepare, ForkParent, ForkChild);
#ifdef TESSALYN_TEST_HOOKS
    devthreads::SetClockMovedHook(WakeQueuesAfterClockMove);
#endif
    return made;
  }();
  return *manager;
}

MessageQueue* CurrentQueue() {
  WindowManager& m = Manager();
  if (t_queue.queue != nullptr && t_queue.queue->generation == m.generation) return t_queue.queue;
  auto* queue = new MessageQueue;
  queue->threadId = GetCurrentThreadId();
  queue->generation = m.generation;
  m.queues[queue->threadId] = queue;
  t_queue.queue = queue;
  return queue;
}

MessageQueue* QueueOfThread(DWORD threadId) {
  auto it = Manager().queues.find(threadId);
  return it == Manager().queues.end() ? nullptr : it->second;
}

bool IsLocalWindow(HWND window) { return window != nullptr && Manager().live.count(window) != 0; }

bool IsRemoteWindow(HWND window) {
  if (window == nullptr) return false;
  for (const auto& entry : Manager().remotes)
    if (entry.second == window) return true;
  return false;
}

bool IsOwnWindow(HWND window) {
  return IsLocalWindow(window) && window->queue == CurrentQueue();
}

HWND TopLevelOf(HWND window) {
  while (window != nullptr && window->parent != nullptr) window = window->parent;
  return window;
}

bool IsDescendant(HWND ancestor, HWND window) {
  for (HWND walk = window; walk != nullptr; walk = walk->parent)
    if (walk == ancestor) return true;
  return false;
}

std::u16string FoldClassName(const std::u16string& name) { return devicefs::FoldName(name); }

std::shared_ptr<WindowClass> FindClass(LPCWSTR nameOrAtom) {
  if (nameOrAtom == nullptr) return nullptr;
  WindowManager& m = Manager();
  if (IsIntAtom(nameOrAtom)) {
    ATOM atom = static_cast<ATOM>(reinterpret_cast<uintptr_t>(nameOrAtom));
    for (const auto& entry : m.classes)
      if (entry.second->atom == atom) return entry.second;
    return nullptr;
  }
  auto it = m.classes.find(FoldClassName(nameOrAtom));
  return it == m.classes.end() ? nullptr : it->second;
}

WindowIdentity LocalIdentity(uint64_t serial) {
  // The start time is read once per process (a forked child has a new id).
  static uint32_t knownPid = 0;
  static uint64_t knownStart = 0;
  uint32_t pid = GetCurrentProcessId();
  if (pid != knownPid) {
    knownPid = pid;
    knownStart = ProcessStartTime(pid);
  }
  WindowIdentity identity;
  identity.pid = pid;
  identity.processStart = knownStart;
  identity.serial = serial;
  return identity;
}

HWND RemoteWindowFor(const WindowIdentity& identity, const std::u16string& className) {
  WindowManager& m = Manager();
  auto it = m.remotes.find(identity);
  if (it != m.remotes.end()) return it->second;
  auto* window = new WindowObject;
  window->remote = true;
  window->identity = identity;
  window->remoteClassName = className;
  m.remotes[identity] = window;
  return window;
}

void QueueMessage(MessageQueue* queue, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG msg{};
  msg.hwnd = window;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  queue->posted.push_back(msg);
  queue->wake.notify_all();
}

void DeliverIncomingSends(Lock& guard, MessageQueue* queue) {
  while (!queue->incoming.empty()) {
    std::shared_ptr<SentMessage> sent = queue->incoming.front();
    queue->incoming.pop_front();
    if (sent->abandoned) {
      CompleteSent(sent, 0, false);
      continue;
    }
    sent->running = true;
    LRESULT result = 0;
    bool delivered = false;
    if (sent->work) {
      guard.unlock();
      result = sent->work();
      guard.lock();
      delivered = true;
    } else if (IsLocalWindow(sent->window) && sent->window->queue == queue) {
      WNDPROC procedure = sent->window->procedure;
      guard.unlock();
      result = procedure ? procedure(sent->window, sent->message, sent->wParam, sent->lParam) : 0;
      guard.lock();
      delivered = true;
    }
    CompleteSent(sent, result, delivered);
  }
}

void CompleteSent(const std::shared_ptr<SentMessage>& sent, LRESULT result, bool delivered) {
  if (sent->done) return;
  sent->done = true;
  sent->result = result;
  sent->delivered = delivered;
  if (sent->replyFd >= 0) {
    SendReply(sent->replyFd, delivered ? ReplyStatus::kOk : ReplyStatus::kNoWindow, result);
    sent->replyFd = -1;
  }
  if (sent->sender != nullptr && !sent->abandoned) sent->sender->wake.notify_all();
}

void WakeAllQueues() {
  for (auto& entry : Manager().queues) entry.second->wake.notify_all();
}

void DiscardWindow(HWND window) {
  WindowManager& m = Manager();
  if (!IsLocalWindow(window)) return;
  // Owned windows and children first.
  for (bool found = true; found;) {
    found = false;
    for (HWND other : m.topLevel) {
      if (other->owner != window) continue;
      DiscardWindow(other);
      found = true;
      break;
    }
  }
  while (!window->children.empty()) DiscardWindow(window->children.back());

  m.live.erase(window);
  if (window->parent != nullptr) {
    auto& siblings = window->parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
  } else {
    m.topLevel.erase(std::remove(m.topLevel.begin(), m.topLevel.end(), window), m.topLevel.end());
    RemoveRegistration(window->identity);
  }
  if (window->windowClass) --window->windowClass->liveWindows;
  if (m.foreground == window) m.foreground = nullptr;
  for (auto& entry : m.queues) {
    MessageQueue* queue = entry.second;
    if (queue->focus == window) queue->focus = nullptr;
    if (queue->active == window) queue->active = nullptr;
    if (queue->capture == window) queue->capture = nullptr;
    auto& timers = queue->timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.window == window; }),
                 timers.end());
    auto& posted = queue->posted;
    posted.erase(std::remove_if(posted.begin(), posted.end(), [&](const MSG& msg) { return msg.hwnd == window; }),
                 posted.end());
    for (auto it = queue->incoming.begin(); it != queue->incoming.end();) {
      if ((*it)->window == window && !(*it)->work) {
        CompleteSent(*it, 0, false);
        it = queue->incoming.erase(it);
      } else {
        ++it;
      }
    }
  }
  devshell::ReleaseHotKeysOf(window);
  RetireWindowObject(window);
}

void RetireWindowObject(HWND window) {
  static std::deque<HWND>* kept = new std::deque<HWND>;  // lives for the process
  *window = WindowObject{};
  kept->push_back(window);
  if (kept->size() > 256) {
    delete kept->front();
    kept->pop_front();
  }
}

LRESULT CallOwnProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC procedure = nullptr;
  {
    std::lock_guard<std::mutex> guard(Manager().lock);
    if (!IsOwnWindow(window)) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    procedure = window->procedure;
  }
  return procedure ? procedure(window, message, wParam, lParam) : 0;
}

}  // namespace devwin
