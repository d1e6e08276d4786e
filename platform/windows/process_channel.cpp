// The cross-process channel over abstract-namespace Unix sockets. One
// listening thread per process accepts connections and reads their
// fixed-size requests side by side, each within its own second, so a peer
// that connects and sends nothing (or half a request) holds up nobody but
// itself; a complete request goes to the window manager, which replies when
// the message has been handled, and the thread never waits for a window
// procedure. A peer of another user is dropped as it is accepted, before a
// byte of it is read; a request that is malformed, or followed by more bytes
// than one request, is dropped unanswered. When the device root changes (a
// test's fresh root) a new socket is bound and the thread, woken through a
// pipe, moves over to it.
//
// Making the listening thread waits until the thread runs its loop. A thread
// still starting holds locks of the C and sanitizer runtimes; a process that
// forks then (a test's child, made right after the parent's first window)
// would inherit those locks held by a thread it does not have, and its own
// listening thread would block on them for ever, so messages to the child's
// windows would never be taken.
//
// Lock order: the window manager's lock before the channel's. The thread
// holds the channel's lock only while it reads and sorts connections, and
// hands complete requests to the window manager after releasing it.
#include "platform/windows/process_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/files/device_root.h"
#include "platform/windows/channel_peers.h"

namespace devwin {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRequestReadMs = 1000;  // how long one connection may take to send its request
constexpr size_t kMaxPending = 32;    // connections whose request is still coming in
constexpr int kSliceMs = 5;

// A connection accepted and not yet holding a whole request.
struct PendingConnection {
  int fd = -1;
  Clock::time_point deadline;
  ChannelRequest request{};
  size_t received = 0;
};

struct ChannelState {
  std::mutex lock;
  int listenFd = -1;
  std::string boundName;
  std::vector<int> retired;  // old listening sockets for the thread to close
  std::vector<PendingConnection> pending;
  int wakeRead = -1;
  int wakeWrite = -1;
  bool threadRunning = false;
  bool threadStarted = false;  // the thread has entered its loop
  std::condition_variable started;
};

ChannelState& Channel() {
  static ChannelState* state = new ChannelState;  // lives for the process
  return *state;
}

uint64_t Fnv1a(const std::string& text) {
  uint64_t hash = 1469598103934665603ull;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

// The socket name of process `pid` on the current device root (without the
// leading NUL of the abstract namespace).
std::string SocketName(uint32_t pid) {
  char hash[17];
  std::snprintf(hash, sizeof(hash), "%016llx",
                static_cast<unsigned long long>(Fnv1a(devicefs::RootFolder().string())));
  return std::string("tessalyn-windows-") + hash + "-" + std::to_string(pid);
}

socklen_t AbstractAddress(const std::string& name, sockaddr_un* address) {
  std::memset(address, 0, sizeof(*address));
  address->sun_family = AF_UNIX;
  size_t length = std::min(name.size(), sizeof(address->sun_path) - 1);
  std::memcpy(address->sun_path + 1, name.data(), length);  // sun_path[0] = 0: abstract
  return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

int MillisecondsUntil(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 1 << 30));
}

// Reads or writes exactly `size` bytes before `deadline`.
bool Transfer(int fd, void* data, size_t size, bool reading, Clock::time_point deadline,
              const std::function<void()>* whileWaiting, bool* timedOut) {
  auto* bytes = static_cast<uint8_t*>(data);
  size_t done = 0;
  while (done < size) {
    int left = MillisecondsUntil(deadline);
    if (left <= 0) {
      if (timedOut) *timedOut = true;
      return false;
    }
    int slice = whileWaiting ? std::min(kSliceMs, left) : left;
    pollfd p{fd, static_cast<short>(reading ? POLLIN : POLLOUT), 0};
    int ready = ::poll(&p, 1, slice);
    if (ready < 0 && errno != EINTR) return false;
    if (ready <= 0) {
      if (whileWaiting) (*whileWaiting)();
      continue;
    }
    ssize_t n = reading ? ::recv(fd, bytes + done, size - done, 0)
                        : ::send(fd, bytes + done, size - done, MSG_NOSIGNAL);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

bool WellFormed(const ChannelRequest& request) {
  if (request.magic != kChannelMagic || request.reserved != 0) return false;
  switch (request.kind) {
    case RequestKind::kSend:
    case RequestKind::kPost:
    case RequestKind::kActivate:
      return true;
  }
  return false;
}

enum class ReadState { kWaiting, kComplete, kDropped };

// Takes what connection `c` has sent so far. A request is complete when all
// its bytes are in and nothing follows them; a peer that closes early, sends
// more than one request or a malformed one is dropped.
ReadState ReadPending(PendingConnection& c) {
  auto* bytes = reinterpret_cast<uint8_t*>(&c.request);
  for (;;) {
    ssize_t n = ::recv(c.fd, bytes + c.received, sizeof(c.request) - c.received, MSG_DONTWAIT);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return ReadState::kWaiting;
    if (n <= 0) return ReadState::kDropped;
    c.received += static_cast<size_t>(n);
    if (c.received < sizeof(c.request)) continue;
    uint8_t more;
    ssize_t extra = ::recv(c.fd, &more, 1, MSG_DONTWAIT | MSG_PEEK);
    if (extra > 0 || !WellFormed(c.request)) return ReadState::kDropped;
    return ReadState::kComplete;
  }
}

// With the channel's lock held: takes the connections waiting on the
// listening socket. Peers of another user are closed unread; when too many
// requests are still coming in, the oldest gives way.
void AcceptConnections(ChannelState& channel, int listenFd) {
  for (;;) {
    int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      return;
    }
    PeerCredentials peer;
    if (!ReadPeerCredentials(fd, &peer) || !MayServePeer(peer, ::geteuid())) {
      ::close(fd);
      continue;
    }
    if (channel.pending.size() >= kMaxPending) {
      ::close(channel.pending.front().fd);
      channel.pending.erase(channel.pending.begin());
    }
    PendingConnection c;
    c.fd = fd;
    c.deadline = Clock::now() + std::chrono::milliseconds(kRequestReadMs);
    channel.pending.push_back(c);
  }
}

void ListenLoop() {
  ChannelState& channel = Channel();
  {
    std::lock_guard<std::mutex> guard(channel.lock);
    channel.threadStarted = true;
  }
  channel.started.notify_all();
  std::vector<pollfd> fds;
  std::vector<PendingConnection> complete;
  for (;;) {
    int listenFd, wakeFd, timeout = -1;
    fds.clear();
    {
      std::lock_guard<std::mutex> guard(channel.lock);
      for (int fd : channel.retired) ::close(fd);
      channel.retired.clear();
      listenFd = channel.listenFd;
      wakeFd = channel.wakeRead;
      fds.push_back({wakeFd, POLLIN, 0});
      fds.push_back({listenFd, POLLIN, 0});  // a negative descriptor is left out by poll
      for (const PendingConnection& c : channel.pending) {
        fds.push_back({c.fd, POLLIN, 0});
        int left = MillisecondsUntil(c.deadline);
        timeout = timeout < 0 ? left : std::min(timeout, left);
      }
    }
    int ready = ::poll(fds.data(), fds.size(), timeout);
    if (ready < 0 && errno != EINTR) return;
    if (ready > 0 && (fds[0].revents & POLLIN)) {
      char drain[64];
      while (::read(wakeFd, drain, sizeof(drain)) > 0) {
      }
    }
    {
      std::lock_guard<std::mutex> guard(channel.lock);
      // The pending list is only changed by this thread (and a fork's
      // child, which has no such thread), so it still matches `fds`.
      std::vector<PendingConnection> waiting;
      Clock::time_point now = Clock::now();
      for (size_t i = 0; i < channel.pending.size(); ++i) {
        PendingConnection& c = channel.pending[i];
        ReadState state = ReadState::kWaiting;
        if (ready > 0 && fds[2 + i].revents != 0) state = ReadPending(c);
        if (state == ReadState::kWaiting && now >= c.deadline) state = ReadState::kDropped;
        if (state == ReadState::kComplete) complete.push_back(c);
        else if (state == ReadState::kDropped) ::close(c.fd);
        else waiting.push_back(c);
      }
      channel.pending.swap(waiting);
      if (ready > 0 && listenFd >= 0 && listenFd == channel.listenFd && (fds[1].revents & POLLIN))
        AcceptConnections(channel, listenFd);
    }
    for (const PendingConnection& c : complete) HandleRemoteRequest(c.request, c.fd);
    complete.clear();
  }
}

}  // namespace

void EnsureListening() {
  ChannelState& channel = Channel();
  std::string name = SocketName(static_cast<uint32_t>(::getpid()));
  std::unique_lock<std::mutex> guard(channel.lock);
  if (channel.boundName == name && channel.threadRunning) return;
  if (channel.wakeRead < 0) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    channel.wakeRead = pipeFds[0];
    channel.wakeWrite = pipeFds[1];
  }
  if (channel.boundName != name) {
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return;
    sockaddr_un address;
    socklen_t length = AbstractAddress(name, &address);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(fd, 16) != 0) {
      ::close(fd);
      return;
    }
    if (channel.listenFd >= 0) channel.retired.push_back(channel.listenFd);
    channel.listenFd = fd;
    channel.boundName = name;
  }
  if (!channel.threadRunning) {
    try {
      std::thread(ListenLoop).detach();
      channel.threadRunning = true;
    } catch (const std::exception&) {
      return;
    }
    channel.started.wait(guard, [&channel] { return channel.threadStarted; });
  }
  char wake = 1;
  (void)!::write(channel.wakeWrite, &wake, 1);
}

socklen_t ChannelAddress(uint32_t pid, sockaddr_un* address) { return AbstractAddress(SocketName(pid), address); }

int ConnectProcess(uint32_t pid) {
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return -1;
  sockaddr_un address;
  socklen_t length = ChannelAddress(pid, &address);
  int connected;
  do {
    connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), length);
  } while (connected != 0 && errno == EINTR);
  if (connected != 0) {
    int error = errno;
    ::close(fd);
    errno = error;
    return -1;
  }
  PeerCredentials listener;
  if (!ReadPeerCredentials(fd, &listener) ||
      !IsExpectedListener(listener, static_cast<pid_t>(pid), ::geteuid())) {
    ::close(fd);
    errno = EACCES;
    return -1;
  }
  return fd;
}

bool CallProcess(uint32_t pid, const ChannelRequest& request, uint32_t timeoutMs,
                 const std::function<void()>& whileWaiting, ChannelReply* reply, bool* timedOut) {
  *timedOut = false;
  auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  const std::function<void()>* pump = whileWaiting ? &whileWaiting : nullptr;
  int fd;
  // A full queue of connections clears as the listener takes them; wait for
  // room (handling sent messages meanwhile) rather than block in connect.
  while ((fd = ConnectProcess(pid)) < 0 && errno == EAGAIN) {
    if (MillisecondsUntil(deadline) <= 0) {
      *timedOut = true;
      return false;
    }
    if (pump) (*pump)();
    ::poll(nullptr, 0, 1);
  }
  if (fd < 0) return false;
  ChannelRequest sent = request;
  sent.magic = kChannelMagic;
  sent.reserved = 0;
  bool ok = Transfer(fd, &sent, sizeof(sent), false, deadline, pump, timedOut) &&
            Transfer(fd, reply, sizeof(*reply), true, deadline, pump, timedOut) && reply->magic == kChannelMagic;
  ::close(fd);
  return ok;
}

void SendReply(int fd, ReplyStatus status, LRESULT result) {
  ChannelReply reply{kChannelMagic, status, static_cast<int64_t>(result)};
  // A reply is small; a requester that stopped reading only loses it.
  (void)!::send(fd, &reply, sizeof(reply), MSG_NOSIGNAL | MSG_DONTWAIT);
  ::close(fd);
}

void ChannelForkPrepare() { Channel().lock.lock(); }

void ChannelForkParent() { Channel().lock.unlock(); }

void ChannelForkChild() {
  // The listening thread stayed in the parent; the child listens afresh
  // under its own process id when it makes a top-level window. The
  // connections still coming in are the parent's: closing the child's
  // copies lets the parent's refusals reach their peers.
  ChannelState& channel = Channel();
  if (channel.listenFd >= 0) ::close(channel.listenFd);
  for (int fd : channel.retired) ::close(fd);
  for (const PendingConnection& c : channel.pending) ::close(c.fd);
  if (channel.wakeRead >= 0) ::close(channel.wakeRead);
  if (channel.wakeWrite >= 0) ::close(channel.wakeWrite);
  channel.listenFd = channel.wakeRead = channel.wakeWrite = -1;
  channel.retired.clear();
  channel.pending.clear();
  channel.boundName.clear();
  channel.threadRunning = false;
  channel.threadStarted = false;
  channel.lock.unlock();
}

}  // namespace devwin
