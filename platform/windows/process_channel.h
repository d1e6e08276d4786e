// The local socket through which processes on one device root deliver
// messages to each other's top-level windows. Each process that has a
// top-level window listens on an abstract-namespace socket named from the
// device root and its process id, so processes of different roots (tests
// running side by side) never meet. One connection carries one request of a
// fixed size and its reply. Only processes of the same user reach each other
// (channel_peers.h). Internal to platform/windows.
#pragma once

#include <sys/socket.h>
#include <sys/un.h>

#include <cstdint>
#include <functional>

#include "platform/windows/window_object.h"

namespace devwin {

// Both the request and the reply start with it.
constexpr uint32_t kChannelMagic = 0x54574D31;  // "TWM1"

enum class RequestKind : uint32_t { kSend = 1, kPost = 2, kActivate = 3 };
enum class ReplyStatus : uint32_t { kOk = 0, kNoWindow = 1, kRefused = 2 };

struct ChannelRequest {
  uint32_t magic;
  RequestKind kind;
  uint64_t serial;  // the window, in the receiving process
  uint32_t message;
  uint32_t reserved;  // 0
  uint64_t wParam;
  int64_t lParam;
};

struct ChannelReply {
  uint32_t magic;
  ReplyStatus status;
  int64_t result;
};

// Listens for this process on the current device root (again when the root
// has changed since); starts the listening thread on first use and returns
// once it runs. Called with the window manager's lock held, which the fork
// handlers take first, so no fork happens while the thread starts.
void EnsureListening();

// The abstract-namespace address of process `pid`'s listener on the current
// device root; answers the address's length.
socklen_t ChannelAddress(uint32_t pid, sockaddr_un* address);

// Connects to the listener of process `pid` on the current device root,
// without blocking: -1 with errno EAGAIN while its queue of connections is
// full, -1 with EACCES when the name is held by another process or user,
// -1 with another errno when nobody listens. The socket is non-blocking.
int ConnectProcess(uint32_t pid);

// Sends one request to process `pid` and waits up to `timeoutMs` for the
// reply, calling `whileWaiting` every few milliseconds (the waiting thread
// handles messages sent to it meanwhile). False when the process cannot be
// reached or does not answer in time (`timedOut` tells which).
bool CallProcess(uint32_t pid, const ChannelRequest& request, uint32_t timeoutMs,
                 const std::function<void()>& whileWaiting, ChannelReply* reply, bool* timedOut);

// Writes the reply of a request taken by the listener and closes the
// connection (the requester may be gone; that is not an error).
void SendReply(int fd, ReplyStatus status, LRESULT result);

// Called by the window manager around fork().
void ChannelForkPrepare();
void ChannelForkParent();
void ChannelForkChild();

// Implemented by the window manager: a request that arrived. It takes over
// `fd` (replying at once or once the message has been handled).
void HandleRemoteRequest(const ChannelRequest& request, int fd);

}  // namespace devwin
