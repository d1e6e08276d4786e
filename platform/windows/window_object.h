// The window object behind an HWND, its class, and the per-thread message
// queue. Internal to platform/windows: other layers use the calls of
// windows.h, message_queue.h and timers.h.
//
// Every field is guarded by the window manager's lock (window_manager.h).
// A window of another process is a stand-in object (`remote` set) that only
// carries the other window's identity, class and title.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/input/device_input.h"
#include "platform/types/geometry_types.h"
#include "platform/windows/messages.h"
#include "platform/windows/window_types.h"

namespace devwin {

struct MessageQueue;

struct WindowClass {
  std::u16string name;
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC procedure = nullptr;
  int classExtra = 0;
  int windowExtra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  LPCWSTR menuName = nullptr;  // as given (a resource id or the caller's text)
  int liveWindows = 0;
};

// Who a window is across processes: the process (its id and start time, so a
// reused process id is told apart) and the window's serial number there.
struct WindowIdentity {
  uint32_t pid = 0;
  uint64_t processStart = 0;
  uint64_t serial = 0;

  bool operator<(const WindowIdentity& o) const {
    if (pid != o.pid) return pid < o.pid;
    if (processStart != o.processStart) return processStart < o.processStart;
    return serial < o.serial;
  }
};

// A SendMessageW from another thread or process, waiting in the target
// thread's queue. Either a message for `window` or a piece of `work` to run
// on that thread (a remote activation).
struct SentMessage {
  HWND window = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  std::function<LRESULT()> work;
  MessageQueue* sender = nullptr;  // a waiting thread of this process
  int replyFd = -1;                // or the connection of a waiting process
  bool running = false;
  bool done = false;
  bool abandoned = false;  // the sender gave up waiting
  bool delivered = false;  // the window still existed and got it
  LRESULT result = 0;
};

struct Timer {
  HWND window = nullptr;  // null: a timer of the thread
  UINT_PTR id = 0;
  UINT elapse = 0;
  DWORD due = 0;  // tick count
  TIMERPROC procedure = nullptr;
  uint64_t order = 0;  // ties between timers due at once go to the older
};

struct MessageQueue {
  DWORD threadId = 0;
  uint64_t generation = 0;  // the process generation it was made in (fork)
  std::condition_variable wake;
  std::deque<MSG> posted;
  std::deque<std::shared_ptr<SentMessage>> incoming;
  bool quit = false;
  int quitCode = 0;
  std::vector<Timer> timers;
  UINT_PTR nextThreadTimerId = 1;
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
};

using devinput::RawInput;

}  // namespace devwin

struct WindowObject {
  // Remote stand-ins keep only identity, class name and title.
  bool remote = false;
  devwin::WindowIdentity identity;
  std::u16string remoteClassName;

  std::shared_ptr<devwin::WindowClass> windowClass;
  WNDPROC procedure = nullptr;
  std::u16string title;
  DWORD style = 0;
  DWORD exStyle = 0;
  HWND parent = nullptr;  // child windows
  HWND owner = nullptr;   // owned top-level windows
  std::vector<HWND> children;  // in creation order
  LONG_PTR childId = 0;
  HMENU menu = nullptr;  // top-level windows
  HINSTANCE instance = nullptr;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  LONG_PTR userData = 0;
  std::vector<uint8_t> extra;  // the class's cbWndExtra bytes
  devwin::MessageQueue* queue = nullptr;
  uint64_t createdAt = 0;  // creation stamp, for the oldest-first search
  bool destroying = false;
  // Stacking among the siblings (or among the top-level windows): the
  // higher stamp lies above. WS_EX_TOPMOST top-level windows lie above all
  // others whatever their stamps.
  int64_t zOrder = 0;
  // The update region of the client area, kept as the smallest rectangle
  // holding every invalidated part (client coordinates; empty when
  // right <= left), and whether the background is to be erased first.
  RECT update{0, 0, 0, 0};
  bool eraseBackground = false;
  // Visibility is WS_VISIBLE and disabling WS_DISABLED of `style`; focus,
  // activation and capture live in the thread's queue.
};
