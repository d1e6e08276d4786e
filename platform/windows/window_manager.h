// The windows layer's state in this process and the helpers its calls share.
// One lock guards every window, class and queue; procedures are always
// called with it released. Internal to platform/windows.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/windows/window_object.h"

namespace devwin {

using Lock = std::unique_lock<std::mutex>;

struct WindowManager {
  std::mutex lock;
  std::set<HWND> live;          // windows of this process
  std::vector<HWND> topLevel;   // in creation order
  std::map<std::u16string, std::shared_ptr<WindowClass>> classes;  // by folded name
  ATOM nextAtom = 0xC000;
  std::map<DWORD, MessageQueue*> queues;  // by thread id
  std::map<WindowIdentity, HWND> remotes;  // stand-ins for other processes' windows
  uint64_t nextSerial = 1;
  uint64_t nextTimerOrder = 1;
  uint64_t generation = 0;  // raised in a forked child
  HWND foreground = nullptr;
  int64_t nextZOrder = 1;
  int64_t lowestZOrder = 0;
  // The input hardware's events not yet taken, oldest first, and the keys
  // held down now (by virtual key).
  std::deque<RawInput> input;
  std::set<UINT> keysDown;
  bool stylusDown = false;
};

WindowManager& Manager();

// ---- With the lock held ----

// The calling thread's queue, made on first use.
MessageQueue* CurrentQueue();
// The queue of a thread of this process, or null.
MessageQueue* QueueOfThread(DWORD threadId);
// A window of this process (not a stand-in) that is alive.
bool IsLocalWindow(HWND window);
bool IsRemoteWindow(HWND window);
// A live window of this process owned by the calling thread.
bool IsOwnWindow(HWND window);
HWND TopLevelOf(HWND window);
bool IsDescendant(HWND ancestor, HWND window);
std::u16string FoldClassName(const std::u16string& name);
std::shared_ptr<WindowClass> FindClass(LPCWSTR nameOrAtom);
// This process's identity for windows it makes.
WindowIdentity LocalIdentity(uint64_t serial);
// The stand-in for a window of another process (made on first use).
HWND RemoteWindowFor(const WindowIdentity& identity, const std::u16string& className);

// Puts a message into the window's (or thread's) queue and wakes it.
void QueueMessage(MessageQueue* queue, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the messages sent to `queue` from elsewhere (releases the lock around
// each procedure).
void DeliverIncomingSends(Lock& guard, MessageQueue* queue);
// Marks a sent message finished: wakes its sender or writes its reply.
void CompleteSent(const std::shared_ptr<SentMessage>& sent, LRESULT result, bool delivered);
// Wakes every queue (the virtual clock moved).
void WakeAllQueues();
// Frees a window of this process without calling anything (reset, the end
// of its thread): its children, timers, queued messages and registration go.
void DiscardWindow(HWND window);
// Empties a window object that is no longer in use and keeps it a while
// before its memory is released, so a stale handle held somewhere does not
// at once name a new window made at the same address.
void RetireWindowObject(HWND window);

// ---- Without the lock ----

// Calls the window's procedure when the window is the calling thread's own;
// 0 (and ERROR_INVALID_WINDOW_HANDLE) otherwise.
LRESULT CallOwnProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Makes a window of this process the active one of its thread (its
// top-level window), with WM_ACTIVATE to the old and the new one. `fromOther`
// reports the previous window as 0, as when another program hands over.
void ActivateLocal(HWND window, bool fromOther, WORD state = WA_ACTIVE);
// After `window` (a top-level window of the calling thread) stops showing or
// goes: when it was the active one, its shown owner or else the topmost
// shown top-level window of the thread becomes active; with none, the
// window gets WM_ACTIVATE WA_INACTIVE and loses the focus.
void PassActivationOn(HWND window);
// Deactivates the calling thread's active window as when another program
// takes the foreground (WM_ACTIVATE WA_INACTIVE, lParam 0).
void DeactivateForOtherProgram();

}  // namespace devwin
