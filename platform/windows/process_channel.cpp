// The cross-process channel over abstract-namespace Unix sockets. One
// listening thread per process accepts a connection, reads its fixed-size
// request (giving a silent peer one second) and hands it to the window
// manager, which replies when the message has been handled; the thread never
// waits for a window procedure. When the device root changes (a test's fresh
// root) a new socket is bound and the thread, woken through a pipe, moves
// over to it.
//
// Making the listening thread waits until the thread runs its loop. A thread
// still starting holds locks of the C and sanitizer runtimes; a process that
// forks then (a test's child, made right after the parent's first window)
// would inherit those locks held by a thread it does not have, and its own
// listening thread would block on them for ever, so messages to the child's
// windows would never be taken.
#include "platform/windows/process_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/files/device_root.h"

namespace devwin {
namespace {

constexpr uint32_t kMagic = 0x54574D31;  // "TWM1"
constexpr int kRequestReadMs = 1000;
constexpr int kSliceMs = 5;

struct ChannelState {
  std::mutex lock;
  int listenFd = -1;
  std::string boundName;
  std::vector<int> retired;  // old listening sockets for the thread to close
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

socklen_t MakeAddress(const std::string& name, sockaddr_un* address) {
  std::memset(address, 0, sizeof(*address));
  address->sun_family = AF_UNIX;
  size_t length = std::min(name.size(), sizeof(address->sun_path) - 1);
  std::memcpy(address->sun_path + 1, name.data(), length);  // sun_path[0] = 0: abstract
  return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

// Reads or writes exactly `size` bytes before `deadline`.
bool Transfer(int fd, void* data, size_t size, bool reading, std::chrono::steady_clock::time_point deadline,
              const std::function<void()>* whileWaiting, bool* timedOut) {
  auto* bytes = static_cast<uint8_t*>(data);
  size_t done = 0;
  while (done < size) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      if (timedOut) *timedOut = true;
      return false;
    }
    int slice = whileWaiting ? std::min<int>(kSliceMs, static_cast<int>(left.count())) : static_cast<int>(left.count());
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

void ServeConnection(int fd) {
  ChannelRequest request{};
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kRequestReadMs);
  if (!Transfer(fd, &request, sizeof(request), true, deadline, nullptr, nullptr) || request.magic != kMagic) {
    ::close(fd);
    return;
  }
  HandleRemoteRequest(request, fd);
}

void ListenLoop() {
  ChannelState& channel = Channel();
  {
    std::lock_guard<std::mutex> guard(channel.lock);
    channel.threadStarted = true;
  }
  channel.started.notify_all();
  for (;;) {
    int listenFd, wakeFd;
    {
      std::lock_guard<std::mutex> guard(channel.lock);
      for (int fd : channel.retired) ::close(fd);
      channel.retired.clear();
      listenFd = channel.listenFd;
      wakeFd = channel.wakeRead;
    }
    pollfd fds[2] = {{wakeFd, POLLIN, 0}, {listenFd, POLLIN, 0}};
    int ready = ::poll(fds, listenFd >= 0 ? 2 : 1, -1);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[0].revents & POLLIN) {
      char drain[64];
      while (::read(wakeFd, drain, sizeof(drain)) > 0) {
      }
      continue;
    }
    if (listenFd >= 0 && (fds[1].revents & POLLIN)) {
      int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd >= 0) ServeConnection(fd);
    }
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
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return;
    sockaddr_un address;
    socklen_t length = MakeAddress(name, &address);
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

bool CallProcess(uint32_t pid, const ChannelRequest& request, uint32_t timeoutMs,
                 const std::function<void()>& whileWaiting, ChannelReply* reply, bool* timedOut) {
  *timedOut = false;
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_un address;
  socklen_t length = MakeAddress(SocketName(pid), &address);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
    ::close(fd);
    return false;
  }
  ChannelRequest sent = request;
  sent.magic = kMagic;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  const std::function<void()>* pump = whileWaiting ? &whileWaiting : nullptr;
  bool ok = Transfer(fd, &sent, sizeof(sent), false, deadline, pump, timedOut) &&
            Transfer(fd, reply, sizeof(*reply), true, deadline, pump, timedOut) && reply->magic == kMagic;
  ::close(fd);
  return ok;
}

void SendReply(int fd, ReplyStatus status, LRESULT result) {
  ChannelReply reply{kMagic, status, static_cast<int64_t>(result)};
  // A reply is small; a requester that stopped reading only loses it.
  (void)!::send(fd, &reply, sizeof(reply), MSG_NOSIGNAL | MSG_DONTWAIT);
  ::close(fd);
}

void ChannelForkPrepare() { Channel().lock.lock(); }

void ChannelForkParent() { Channel().lock.unlock(); }

void ChannelForkChild() {
  // The listening thread stayed in the parent; the child listens afresh
  // under its own process id when it makes a top-level window.
  ChannelState& channel = Channel();
  if (channel.listenFd >= 0) ::close(channel.listenFd);
  for (int fd : channel.retired) ::close(fd);
  if (channel.wakeRead >= 0) ::close(channel.wakeRead);
  if (channel.wakeWrite >= 0) ::close(channel.wakeWrite);
  channel.listenFd = channel.wakeRead = channel.wakeWrite = -1;
  channel.retired.clear();
  channel.boundName.clear();
  channel.threadRunning = false;
  channel.threadStarted = false;
  channel.lock.unlock();
}

}  // namespace devwin
