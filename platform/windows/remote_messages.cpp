// Both ends of a message that crosses processes: the sender's call, which
// waits for the reply while handling messages sent to its own thread, and
// the receiver's handling of a request the listening thread took, which
// queues it for the window's thread and replies once it has been handled
// (posts and activations are answered at once).
#include "platform/windows/remote_messages.h"

#include <atomic>
#include <memory>

#include "platform/core/last_error.h"
#include "platform/windows/process_channel.h"
#include "platform/windows/window_manager.h"
#include "platform/windows/window_registry.h"
#include "platform/windows/window_types.h"

namespace devwin {
namespace {

constexpr uint32_t kPostTimeoutMs = 2000;

std::atomic<uint64_t> g_foregroundRequests{0};

bool Call(const WindowIdentity& window, RequestKind kind, UINT message, WPARAM wParam, LPARAM lParam,
          DWORD timeoutMs, LRESULT* result) {
  if (!ProcessAlive(window.pid, window.processStart)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  ChannelRequest request{};
  request.kind = kind;
  request.serial = window.serial;
  request.message = message;
  request.wParam = static_cast<uint64_t>(wParam);
  request.lParam = static_cast<int64_t>(lParam);
  // While waiting, the thread answers what is sent to it (the other side may
  // send back before it replies).
  std::function<void()> whileWaiting = [] {
    Lock guard(Manager().lock);
    DeliverIncomingSends(guard, CurrentQueue());
  };
  ChannelReply reply{};
  bool timedOut = false;
  if (!CallProcess(window.pid, request, timeoutMs, whileWaiting, &reply, &timedOut)) {
    SetLastError(timedOut ? ERROR_TIMEOUT : ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  if (reply.status != ReplyStatus::kOk) {
    SetLastError(reply.status == ReplyStatus::kRefused ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  if (result) *result = static_cast<LRESULT>(reply.result);
  return true;
}

}  // namespace

bool CarriesPointer(UINT message) {
  switch (message) {
    case WM_CREATE:
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_WINDOWPOSCHANGED:
    case WM_COPYDATA:
    case WM_NOTIFY:
    case WM_HELP:
    case WM_STYLECHANGED:
      return true;
    default:
      return false;
  }
}

bool SendToProcess(const WindowIdentity& window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs,
                   LRESULT* result) {
  if (CarriesPointer(message)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  return Call(window, RequestKind::kSend, message, wParam, lParam, timeoutMs, result);
}

bool PostToProcess(const WindowIdentity& window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (CarriesPointer(message)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  return Call(window, RequestKind::kPost, message, wParam, lParam, kPostTimeoutMs, nullptr);
}

void HandleRemoteRequest(const ChannelRequest& request, int fd) {
  WindowManager& m = Manager();
  std::lock_guard<std::mutex> guard(m.lock);
  HWND window = nullptr;
  for (HWND candidate : m.topLevel)
    if (candidate->identity.serial == request.serial && !candidate->destroying) window = candidate;
  if (window == nullptr) {
    SendReply(fd, ReplyStatus::kNoWindow, 0);
    return;
  }
  UINT message = request.message;
  WPARAM wParam = static_cast<WPARAM>(request.wParam);
  LPARAM lParam = static_cast<LPARAM>(request.lParam);
  switch (request.kind) {
    case RequestKind::kPost:
      if (CarriesPointer(message)) {
        SendReply(fd, ReplyStatus::kRefused, 0);
        return;
      }
      QueueMessage(window->queue, window, message, wParam, lParam);
      SendReply(fd, ReplyStatus::kOk, 0);
      return;
    case RequestKind::kSend: {
      if (CarriesPointer(message)) {
        SendReply(fd, ReplyStatus::kRefused, 0);
        return;
      }
      auto sent = std::make_shared<SentMessage>();
      sent->window = window;
      sent->message = message;
      sent->wParam = wParam;
      sent->lParam = lParam;
      sent->replyFd = fd;
      window->queue->incoming.push_back(sent);
      window->queue->wake.notify_all();
      return;
    }
    case RequestKind::kActivate: {
      auto sent = std::make_shared<SentMessage>();
      sent->work = [window] {
        g_foregroundRequests.fetch_add(1);
        ActivateLocal(window, true);
        return LRESULT{0};
      };
      window->queue->incoming.push_back(sent);
      window->queue->wake.notify_all();
      SendReply(fd, ReplyStatus::kOk, 0);
      return;
    }
  }
  SendReply(fd, ReplyStatus::kRefused, 0);
}

}  // namespace devwin

namespace devscreen {

uint64_t ForegroundRequestStamp() { return devwin::g_foregroundRequests.load(); }

}  // namespace devscreen
