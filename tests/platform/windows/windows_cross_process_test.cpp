// Top-level windows across processes: a forked child makes a window, and the
// parent finds it, sends and posts to it, brings it to the foreground, and
// sees it go; a child that does not take messages makes a send time out; a
// dead child's window is forgotten; another device root sees nothing.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>

#include "platform/core/last_error.h"
#include "platform/files/device_root.h"
#include "platform/testing/files.h"
#include "platform/testing/threads.h"
#include "platform/testing/windows.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/windows.h"
#include "tests/platform/windows/child_reports.h"

namespace {

constexpr UINT kAdd = WM_USER + 1;
constexpr UINT kNote = WM_USER + 2;

using crosstest::g_reportFd;
using crosstest::ReadReport;
using crosstest::Report;
using crosstest::SendReport;

LRESULT ChildWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kAdd:
      return static_cast<LRESULT>(wParam) + 10 * lParam;
    case kNote:
      SendReport('P', static_cast<int64_t>(wParam));
      return 0;
    case WM_ACTIVATE:
      SendReport('A', LOWORD(wParam) + (lParam == 0 ? 0 : 100));
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

enum class ChildMode { kServe, kWaitThenLeave, kDieWithWindow };

// The child: makes "Corvelline Reader" / "Reader", reports 'R', then serves
// messages, or waits for a byte on `control` without taking messages and
// then leaves (destroying its window, or not).
pid_t StartChild(ChildMode mode, int* reportRead, int* controlWrite) {
  int reports[2], control[2];
  if (::pipe(reports) != 0 || ::pipe(control) != 0) return -1;
  pid_t child = ::fork();
  if (child != 0) {
    ::close(reports[1]);
    ::close(control[0]);
    *reportRead = reports[0];
    *controlWrite = control[1];
    return child;
  }
  ::close(reports[0]);
  ::close(control[1]);
  g_reportFd = reports[1];
  WNDCLASSW wc{};
  wc.lpfnWndProc = ChildWindow;
  wc.lpszClassName = u"Corvelline Reader";
  RegisterClassW(&wc);
  HWND window =
      CreateWindowExW(0, u"Corvelline Reader", u"Reader", 0, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  SendReport('R', window != nullptr);
  if (mode != ChildMode::kServe) {
    char byte;
    (void)!::read(control[0], &byte, 1);
    if (mode == ChildMode::kDieWithWindow) ::_exit(0);
    devtest::PumpMessages();
    DestroyWindow(window);
    ::_exit(0);
  }
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  ::_exit(IsWindow(window) ? 1 : 0);
}

class CrossProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    devtest::ResetThreads();
    devtest::ResetWindows();
  }
  void TearDown() override {
    if (child_ > 0) {
      ::kill(child_, SIGKILL);
      ::waitpid(child_, nullptr, 0);
    }
    if (reports_ >= 0) ::close(reports_);
    if (control_ >= 0) ::close(control_);
    devtest::ResetWindows();
  }

  void Start(ChildMode mode) {
    child_ = StartChild(mode, &reports_, &control_);
    ASSERT_GT(child_, 0);
    Report ready{};
    ASSERT_TRUE(ReadReport(reports_, &ready));
    ASSERT_EQ(ready.kind, 'R');
    ASSERT_EQ(ready.value, 1);
  }

  int Finish() {
    int status = 0;
    ::waitpid(child_, &status, 0);
    child_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  pid_t child_ = -1;
  int reports_ = -1;
  int control_ = -1;
};

TEST_F(CrossProcess, FindSendPostActivateAndCloseAWindowOfAnotherProcess) {
  Start(ChildMode::kServe);
  HWND reader = FindWindowW(u"CORVELLINE READER", nullptr);
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(FindWindowW(u"Corvelline Reader", u"Reader"), reader);
  EXPECT_EQ(FindWindowW(u"Corvelline Reader", u"Other"), nullptr);
  EXPECT_TRUE(IsWindow(reader));
  DWORD pid = 0;
  GetWindowThreadProcessId(reader, &pid);
  EXPECT_EQ(pid, static_cast<DWORD>(child_));
  WCHAR text[32];
  EXPECT_EQ(GetWindowTextW(reader, text, 32), 6);
  EXPECT_EQ(std::u16string(text), u"Reader");
  EXPECT_EQ(GetClassNameW(reader, text, 32), 17);

  EXPECT_EQ(SendMessageW(reader, kAdd, 2, 3), 32);
  DWORD_PTR result = 0;
  EXPECT_TRUE(SendMessageTimeoutW(reader, kAdd, 5, -1, SMTO_NORMAL, 1000, &result));
  EXPECT_EQ(static_cast<LRESULT>(result), -5);

  // Parameters that point into this process do not travel.
  EXPECT_EQ(SendMessageW(reader, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"x")), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

  ASSERT_TRUE(PostMessageW(reader, kNote, 77, 0));
  Report report{};
  ASSERT_TRUE(ReadReport(reports_, &report));
  EXPECT_EQ(report.kind, 'P');
  EXPECT_EQ(report.value, 77);

  EXPECT_TRUE(SetForegroundWindow(reader));
  EXPECT_EQ(GetForegroundWindow(), reader);
  ASSERT_TRUE(ReadReport(reports_, &report));
  EXPECT_EQ(report.kind, 'A');
  EXPECT_EQ(report.value, WA_ACTIVE);  // lParam 0: another program handed over

  ASSERT_TRUE(PostMessageW(reader, WM_CLOSE, 0, 0));
  EXPECT_EQ(Finish(), 0);
  EXPECT_FALSE(IsWindow(reader));
  EXPECT_EQ(FindWindowW(u"Corvelline Reader", nullptr), nullptr);
  EXPECT_EQ(SendMessageW(reader, kAdd, 1, 1), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

TEST_F(CrossProcess, SendTimesOutWhenThePeerDoesNotTakeMessages) {
  Start(ChildMode::kWaitThenLeave);
  HWND reader = FindWindowW(u"Corvelline Reader", nullptr);
  ASSERT_NE(reader, nullptr);
  DWORD_PTR result = 9;
  EXPECT_FALSE(SendMessageTimeoutW(reader, kAdd, 1, 1, SMTO_NORMAL, 100, &result));
  EXPECT_EQ(GetLastError(), ERROR_TIMEOUT);
  EXPECT_EQ(result, 0u);
  // A post needs no answer from the window's thread.
  EXPECT_TRUE(PostMessageW(reader, kNote, 1, 0));
  ASSERT_EQ(::write(control_, "x", 1), 1);
  Report report{};
  ASSERT_TRUE(ReadReport(reports_, &report));
  EXPECT_EQ(report.kind, 'P');
  EXPECT_EQ(Finish(), 0);
}

TEST_F(CrossProcess, WindowOfADeadProcessIsForgottenAndItsEntryCleaned) {
  Start(ChildMode::kDieWithWindow);
  HWND stale = FindWindowW(u"Corvelline Reader", nullptr);
  ASSERT_NE(stale, nullptr);
  ASSERT_EQ(::write(control_, "x", 1), 1);
  EXPECT_EQ(Finish(), 0);
  EXPECT_EQ(FindWindowW(u"Corvelline Reader", nullptr), nullptr);
  EXPECT_FALSE(IsWindow(stale));
  EXPECT_FALSE(PostMessageW(stale, kNote, 1, 0));
  std::filesystem::path registry = devicefs::StateFolder() / "windows";
  EXPECT_TRUE(std::filesystem::is_empty(registry));
}

TEST_F(CrossProcess, WindowsOnAnotherDeviceRootAreNotSeen) {
  Start(ChildMode::kWaitThenLeave);
  EXPECT_NE(FindWindowW(u"Corvelline Reader", nullptr), nullptr);
  devtest::UseFreshDeviceRoot();
  EXPECT_EQ(FindWindowW(u"Corvelline Reader", nullptr), nullptr);
  ASSERT_EQ(::write(control_, "x", 1), 1);
  EXPECT_EQ(Finish(), 0);
}

TEST_F(CrossProcess, LocalWindowIsFoundBeforeALaterOneOfAnotherProcess) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"Corvelline Reader";
  RegisterClassW(&wc);
  HWND mine =
      CreateWindowExW(0, u"Corvelline Reader", u"Reader", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  Start(ChildMode::kServe);
  EXPECT_EQ(FindWindowW(u"Corvelline Reader", u"Reader"), mine);
  DestroyWindow(mine);
  HWND theirs = FindWindowW(u"Corvelline Reader", u"Reader");
  ASSERT_NE(theirs, nullptr);
  EXPECT_NE(theirs, mine);
  EXPECT_TRUE(PostMessageW(theirs, WM_CLOSE, 0, 0));
  EXPECT_EQ(Finish(), 0);
}

}  // namespace
