// The cross-process message channel as a hostile local program meets it:
// connections that send nothing or half a request hold up no other sender;
// malformed, oversized and unknown requests are dropped unanswered and
// deliver nothing; a peer of another user is refused; a sender talks to no
// listener but the process it meant.
#include <gtest/gtest.h>
#include <grp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/testing/threads.h"
#include "platform/testing/windows.h"
#include "platform/windows/channel_peers.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/process_channel.h"
#include "platform/windows/window_object.h"
#include "platform/windows/windows.h"
#include "tests/platform/windows/child_reports.h"

namespace {

using devwin::ChannelReply;
using devwin::ChannelRequest;
using devwin::RequestKind;
using devwin::ReplyStatus;

constexpr UINT kAdd = WM_USER + 1;
constexpr UINT kNote = WM_USER + 2;
constexpr uid_t kNobody = 65534;

using crosstest::g_reportFd;
using crosstest::ReadReport;
using crosstest::Report;
using crosstest::SendReport;

LRESULT PeerWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kAdd:
      return static_cast<LRESULT>(wParam) + 10 * lParam;
    case kNote:
      SendReport('P', static_cast<int64_t>(wParam));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakePeerWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = PeerWindow;
  wc.lpszClassName = u"Channel Peer";
  RegisterClassW(&wc);
  return CreateWindowExW(0, u"Channel Peer", u"Peer", 0, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
}

ChannelRequest Request(RequestKind kind, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ChannelRequest request{};
  request.magic = devwin::kChannelMagic;
  request.kind = kind;
  request.serial = window->identity.serial;
  request.message = message;
  request.wParam = static_cast<uint64_t>(wParam);
  request.lParam = static_cast<int64_t>(lParam);
  return request;
}

// A connection made as a hostile program would: straight to the socket,
// with none of the sender's own checks.
int RawConnect(pid_t pid) {
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return -1;
  sockaddr_un address;
  socklen_t length = devwin::ChannelAddress(static_cast<uint32_t>(pid), &address);
  // The listener's queue may be full for a moment while it takes a crowd.
  auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (::connect(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
    if (errno != EAGAIN || std::chrono::steady_clock::now() > give_up) {
      ::close(fd);
      return -1;
    }
    ::usleep(1000);
  }
  return fd;
}

bool WriteAll(int fd, const void* data, size_t size) {
  return ::send(fd, data, size, MSG_NOSIGNAL) == static_cast<ssize_t>(size);
}

enum class Answer { kReply, kClosed, kNothing };

// What the listener did with a connection: replied (the reply in `reply`),
// closed it unanswered, or neither within `timeoutMs`.
Answer AwaitAnswer(int fd, ChannelReply* reply, int timeoutMs) {
  pollfd p{fd, POLLIN, 0};
  if (::poll(&p, 1, timeoutMs) <= 0) return Answer::kNothing;
  ssize_t n = ::recv(fd, reply, sizeof(*reply), MSG_WAITALL);
  return n == static_cast<ssize_t>(sizeof(*reply)) ? Answer::kReply : Answer::kClosed;
}

// A forked child that makes a window and serves its messages until the
// window is closed; reports 'R' once the window exists.
class ChannelWithServingChild : public ::testing::Test {
 protected:
  void SetUp() override {
    devtest::ResetThreads();
    devtest::ResetWindows();
    int reports[2];
    ASSERT_EQ(::pipe(reports), 0);
    child_ = ::fork();
    ASSERT_GE(child_, 0);
    if (child_ == 0) {
      ::close(reports[0]);
      g_reportFd = reports[1];
      HWND window = MakePeerWindow();
      SendReport('R', window != nullptr);
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
      ::_exit(0);
    }
    ::close(reports[1]);
    reports_ = reports[0];
    Report ready{};
    ASSERT_TRUE(ReadReport(reports_, &ready));
    ASSERT_EQ(ready.kind, 'R');
    ASSERT_EQ(ready.value, 1);
    peer_ = FindWindowW(u"Channel Peer", nullptr);
    ASSERT_NE(peer_, nullptr);
  }
  void TearDown() override {
    for (int fd : open_) ::close(fd);
    if (child_ > 0) {
      ::kill(child_, SIGKILL);
      ::waitpid(child_, nullptr, 0);
    }
    if (reports_ >= 0) ::close(reports_);
    devtest::ResetWindows();
  }

  int Connect() {
    int fd = RawConnect(child_);
    if (fd >= 0) open_.push_back(fd);
    return fd;
  }

  pid_t child_ = -1;
  int reports_ = -1;
  HWND peer_ = nullptr;
  std::vector<int> open_;
};

TEST_F(ChannelWithServingChild, ACrowdOfSilentAndHalfSentConnectionsHoldsUpNoOtherSender) {
  ChannelRequest half = Request(RequestKind::kSend, peer_, kAdd, 1, 1);
  // More connections than the listener keeps waiting at once: some of them
  // give way to the later ones, none makes them wait.
  for (int i = 0; i < 40; ++i) {
    int fd = Connect();
    ASSERT_GE(fd, 0) << "connection " << i;
    if (i % 2) {
      ASSERT_TRUE(WriteAll(fd, &half, sizeof(half) / 2));
    }
  }
  // Served one by one, each silent peer would hold the listener for a second
  // and the send would time out.
  DWORD_PTR result = 0;
  ASSERT_TRUE(SendMessageTimeoutW(peer_, kAdd, 2, 3, SMTO_NORMAL, 2000, &result));
  EXPECT_EQ(static_cast<LRESULT>(result), 32);
  ASSERT_TRUE(PostMessageW(peer_, kNote, 5, 0));
  Report report{};
  ASSERT_TRUE(ReadReport(reports_, &report));
  EXPECT_EQ(report.kind, 'P');
  EXPECT_EQ(report.value, 5);

  // The silent ones are given up, unanswered, within about a second.
  ChannelReply reply{};
  EXPECT_EQ(AwaitAnswer(open_.back(), &reply, 3000), Answer::kClosed);
}

TEST_F(ChannelWithServingChild, MalformedAndOversizedRequestsAreDroppedUnansweredAndDeliverNothing) {
  struct Case {
    const char* what;
    void (*spoil)(ChannelRequest*);
    size_t extraBytes;  // sent after the request in the same write
    bool closeEarly;    // half the request, then the peer stops writing
  };
  const Case cases[] = {
      {"wrong magic", [](ChannelRequest* r) { r->magic ^= 1; }, 0, false},
      {"unknown kind", [](ChannelRequest* r) { r->kind = static_cast<RequestKind>(9); }, 0, false},
      {"reserved field set", [](ChannelRequest* r) { r->reserved = 1; }, 0, false},
      {"one byte past the request", [](ChannelRequest*) {}, 1, false},
      {"64 KB past the request", [](ChannelRequest*) {}, 65536, false},
      {"half a request, then end of stream", [](ChannelRequest*) {}, 0, true},
  };
  int64_t note = 100;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ChannelRequest request = Request(RequestKind::kPost, peer_, kNote, static_cast<WPARAM>(note++), 0);
    c.spoil(&request);
    std::vector<uint8_t> bytes(sizeof(request) + c.extraBytes, 0xAB);
    std::memcpy(bytes.data(), &request, sizeof(request));
    if (c.closeEarly) bytes.resize(sizeof(request) / 2);
    int fd = Connect();
    ASSERT_GE(fd, 0);
    // Past what the socket holds, the rest of the write may simply not go.
    (void)!::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (c.closeEarly) ::shutdown(fd, SHUT_WR);
    ChannelReply reply{};
    EXPECT_EQ(AwaitAnswer(fd, &reply, 3000), Answer::kClosed);
  }
  // A sound request on a raw connection is answered, and its note is the
  // first the window sees.
  int fd = Connect();
  ASSERT_GE(fd, 0);
  ChannelRequest sound = Request(RequestKind::kPost, peer_, kNote, 7, 0);
  ASSERT_TRUE(WriteAll(fd, &sound, sizeof(sound)));
  ChannelReply reply{};
  ASSERT_EQ(AwaitAnswer(fd, &reply, 3000), Answer::kReply);
  EXPECT_EQ(reply.magic, devwin::kChannelMagic);
  EXPECT_EQ(reply.status, ReplyStatus::kOk);
  Report report{};
  ASSERT_TRUE(ReadReport(reports_, &report));
  EXPECT_EQ(report.kind, 'P');
  EXPECT_EQ(report.value, 7);
}

// The two rules, with credentials made up for users and processes this
// machine may not have.
TEST(ChannelPeers, OnlyTheOwnUserIsServedAndOnlyTheMeantProcessIsTalkedTo) {
  using devwin::PeerCredentials;
  struct Case {
    PeerCredentials peer;
    uid_t own;
    bool served;
  };
  const Case served[] = {
      {{1234, 1000}, 1000, true},
      {{1234, 1001}, 1000, false},
      {{1234, 0}, 1000, false},  // the super-user is another user too
      {{1234, 1000}, 0, false},
      {{1234, 0}, 0, true},
  };
  for (const Case& c : served)
    EXPECT_EQ(devwin::MayServePeer(c.peer, c.own), c.served) << "peer uid " << c.peer.uid << ", own " << c.own;

  struct ListenerCase {
    PeerCredentials listener;
    pid_t meant;
    uid_t own;
    bool talked;
  };
  const ListenerCase listeners[] = {
      {{4321, 1000}, 4321, 1000, true},
      {{4321, 1001}, 4321, 1000, false},  // another user holds the name
      {{4322, 1000}, 4321, 1000, false},  // another process of ours holds it
  };
  for (const ListenerCase& c : listeners)
    EXPECT_EQ(devwin::IsExpectedListener(c.listener, c.meant, c.own), c.talked)
        << "listener " << c.listener.pid << "/" << c.listener.uid;
}

class ChannelOfThisProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    devtest::ResetThreads();
    devtest::ResetWindows();
    window_ = MakePeerWindow();
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override { devtest::ResetWindows(); }

  HWND window_ = nullptr;
};

TEST_F(ChannelOfThisProcess, ARequestFromAnotherUserIsRefusedUnread) {
  if (::geteuid() != 0)
    GTEST_SKIP() << "becoming a second user needs the super-user; the rule is checked with made-up "
                    "credentials in ChannelPeers";
  struct Case {
    const char* who;
    uid_t uid;
    char outcome;  // 'Y' answered, 'N' closed unanswered
  };
  const Case cases[] = {{"same user", ::geteuid(), 'Y'}, {"another user", kNobody, 'N'}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.who);
    ChannelRequest request = Request(RequestKind::kPost, window_, kNote, 42, 0);
    int outcome[2];
    ASSERT_EQ(::pipe(outcome), 0);
    pid_t parent = ::getpid();
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(outcome[0]);
      char result = 'E';
      if (c.uid != ::geteuid() &&
          (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0 ||
           ::setresuid(c.uid, c.uid, c.uid) != 0)) {
        result = 'U';
      } else if (int fd = RawConnect(parent); fd < 0) {
        result = 'C';
      } else {
        // The refused peer may find the connection closed before it writes.
        (void)WriteAll(fd, &request, sizeof(request));
        ChannelReply reply{};
        Answer answer = AwaitAnswer(fd, &reply, 3000);
        result = answer == Answer::kReply && reply.status == ReplyStatus::kOk ? 'Y'
                 : answer == Answer::kClosed                                 ? 'N'
                                                                             : 'T';
      }
      (void)!::write(outcome[1], &result, 1);
      ::_exit(0);
    }
    ::close(outcome[1]);
    char result = 0;
    pollfd p{outcome[0], POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 5000), 1);
    ASSERT_EQ(::read(outcome[0], &result, 1), 1);
    ::close(outcome[0]);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(result, c.outcome);
    MSG msg;
    EXPECT_EQ(PeekMessageW(&msg, window_, kNote, kNote, PM_REMOVE) != FALSE, c.outcome == 'Y');
  }
}

TEST_F(ChannelOfThisProcess, ASenderTalksOnlyToTheProcessItMeant) {
  int own = devwin::ConnectProcess(static_cast<uint32_t>(::getpid()));
  EXPECT_GE(own, 0);
  if (own >= 0) ::close(own);

  // This process takes the name of another process id: a sender meaning
  // that process finds the wrong listener and keeps its message.
  uint32_t other = 0x7FFFFFF0u;
  int squatter = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  ASSERT_GE(squatter, 0);
  sockaddr_un address;
  socklen_t length = devwin::ChannelAddress(other, &address);
  ASSERT_EQ(::bind(squatter, reinterpret_cast<sockaddr*>(&address), length), 0);
  ASSERT_EQ(::listen(squatter, 4), 0);
  errno = 0;
  EXPECT_EQ(devwin::ConnectProcess(other), -1);
  EXPECT_EQ(errno, EACCES);
  ::close(squatter);
}

}  // namespace
