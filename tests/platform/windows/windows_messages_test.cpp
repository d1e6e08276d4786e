// Queues: posting, peeking and filters, WM_QUIT, messages from worker
// threads, sending across threads, key translation, focus and activation,
// and the delivery of application keys captured as hot keys.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/core/last_error.h"
#include "platform/shell/hot_keys.h"
#include "platform/testing/threads.h"
#include "platform/testing/windows.h"
#include "platform/threads/threads.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/windows.h"
#include "tests/support/message_recorder.h"

namespace {

using msgtest::RecordedMessage;

// Every message is written down; WM_USER + 50 answers wParam + 1000 * lParam.
class Messages : public msgtest::MessageRecorder {
 protected:
  Messages() : MessageRecorder(u"Recorder") {}
  void SetUp() override {
    devtest::ResetThreads();
    devtest::ResetWindows();
    MessageRecorder::SetUp();
  }
  void TearDown() override {
    devtest::ResetWindows();
    MessageRecorder::TearDown();
  }
  bool React(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (message != WM_USER + 50) return false;
    *result = static_cast<LRESULT>(wParam + 1000 * static_cast<WPARAM>(lParam));
    return true;
  }

  HWND Make(HWND parent = nullptr) {
    return CreateWindowExW(0, ClassName(), u"", parent ? WS_CHILD : 0, 0, 0, 10, 10, parent, nullptr, nullptr,
                           nullptr);
  }
};

TEST_F(Messages, PostedMessagesComeOutInOrderAndPeekCanLeaveThem) {
  HWND window = Make();
  for (UINT i = 0; i < 3; ++i) ASSERT_TRUE(PostMessageW(window, WM_USER + i, i, 0));
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, WM_USER);
  EXPECT_EQ(msg.hwnd, window);
  for (UINT i = 0; i < 3; ++i) {
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + i);
    EXPECT_EQ(msg.wParam, i);
  }
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Messages, FiltersTakeAWindowTreeARangeOrTheThreadsOwnMessages) {
  HWND a = Make();
  HWND child = Make(a);
  HWND b = Make();
  PostMessageW(b, WM_USER + 1, 0, 0);
  PostMessageW(child, WM_USER + 2, 0, 0);
  PostThreadMessageW(GetCurrentThreadId(), WM_USER + 3, 0, 0);
  PostMessageW(a, WM_COMMAND, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageW(&msg, a, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, child);
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, a);
  ASSERT_TRUE(PeekMessageW(&msg, reinterpret_cast<HWND>(static_cast<intptr_t>(-1)), 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_USER + 3);
  EXPECT_EQ(msg.hwnd, nullptr);
  EXPECT_FALSE(PeekMessageW(&msg, a, 0, 0, PM_REMOVE));
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, b);
  EXPECT_EQ(GetMessageW(&msg, reinterpret_cast<HWND>(0x44), 0, 0), -1);
}

TEST_F(Messages, QuitComesAfterThePostedMessagesAndEndsTheLoop) {
  HWND window = Make();
  PostQuitMessage(3);
  PostMessageW(window, WM_USER, 0, 0);
  MSG msg;
  std::vector<UINT> seen;
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
    seen.push_back(msg.message);
    DispatchMessageW(&msg);
  }
  EXPECT_EQ(got, FALSE);
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_EQ(seen, std::vector<UINT>{WM_USER});
  EXPECT_EQ(MessagesIn(WM_USER, WM_USER), std::vector<UINT>{WM_USER});
  EXPECT_FALSE(devtest::QuitPosted());
}

TEST_F(Messages, PostsFromAWorkerThreadArriveInOrder) {
  HWND window = Make();
  constexpr int kCount = 500;
  std::thread worker([&] {
    for (int i = 0; i < kCount; ++i) ASSERT_TRUE(PostMessageW(window, WM_USER + 7, static_cast<WPARAM>(i), 0));
    PostMessageW(window, WM_CLOSE, 0, 0);
  });
  MSG msg;
  std::vector<WPARAM> order;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_USER + 7) order.push_back(msg.wParam);
    if (msg.message == WM_CLOSE) break;
  }
  worker.join();
  ASSERT_EQ(order.size(), static_cast<size_t>(kCount));
  for (int i = 0; i < kCount; ++i) EXPECT_EQ(order[static_cast<size_t>(i)], static_cast<WPARAM>(i));
}

TEST_F(Messages, SendFromAWorkerWaitsForTheWindowsThread) {
  HWND window = Make();
  std::atomic<LRESULT> answer{0};
  std::atomic<bool> done{false};
  std::thread worker([&] {
    answer = SendMessageW(window, WM_USER + 50, 7, 3);
    done = true;
  });
  // The message is handled only when the window's thread takes messages.
  while (!done.load()) {
    devtest::PumpMessages();
    std::this_thread::yield();
  }
  worker.join();
  EXPECT_EQ(answer.load(), 3007);
  EXPECT_EQ(MessagesIn(WM_USER, WM_USER + 100), std::vector<UINT>{WM_USER + 50});
}

TEST_F(Messages, SendWithTimeoutGivesUpWhenTheThreadDoesNotAnswer) {
  HWND window = Make();
  BOOL ok = TRUE;
  DWORD error = 0;
  DWORD_PTR result = 5;
  std::thread worker([&] {
    ok = static_cast<BOOL>(SendMessageTimeoutW(window, WM_USER + 50, 1, 1, SMTO_NORMAL, 50, &result));
    error = GetLastError();
  });
  worker.join();
  EXPECT_FALSE(ok);
  EXPECT_EQ(error, ERROR_TIMEOUT);
  EXPECT_EQ(result, 0u);
  // The abandoned message is not delivered later.
  devtest::PumpMessages();
  EXPECT_TRUE(MessagesIn(WM_USER, WM_USER + 100).empty());
}

// A worker's window that, while handling a message, sends one back to the
// UI thread's window: the UI thread, waiting in its own send, answers it.
HWND g_uiWindow = nullptr;
LRESULT SendsBack(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER + 60) return SendMessageW(g_uiWindow, WM_USER + 50, wParam, 1) + 1;
  if (message == WM_USER + 61) {
    DestroyWindow(window);
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(Messages, TwoThreadsSendingToEachOtherDoNotBlock) {
  g_uiWindow = Make();
  WNDCLASSW wc{};
  wc.lpfnWndProc = SendsBack;
  wc.lpszClassName = u"SendsBack";
  RegisterClassW(&wc);
  std::atomic<HWND> workerWindow{nullptr};
  std::thread worker([&] {
    workerWindow = CreateWindowExW(0, u"SendsBack", u"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  });
  while (workerWindow.load() == nullptr) std::this_thread::yield();
  EXPECT_EQ(SendMessageW(workerWindow.load(), WM_USER + 60, 4, 0), 1005);
  SendMessageW(workerWindow.load(), WM_USER + 61, 0, 0);
  worker.join();
  EXPECT_FALSE(IsWindow(workerWindow.load()));
}

TEST_F(Messages, WindowsOfAnEndedThreadAreGone) {
  HWND made = nullptr;
  std::thread worker([&] { made = Make(); });
  worker.join();
  EXPECT_FALSE(IsWindow(made));
  EXPECT_FALSE(PostMessageW(made, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

TEST_F(Messages, OnlyTheOwningThreadDestroysAWindow) {
  HWND window = Make();
  BOOL destroyed = TRUE;
  DWORD error = 0;
  std::thread worker([&] {
    destroyed = DestroyWindow(window);
    error = GetLastError();
  });
  worker.join();
  EXPECT_FALSE(destroyed);
  EXPECT_EQ(error, ERROR_ACCESS_DENIED);
  EXPECT_TRUE(IsWindow(window));
}

TEST_F(Messages, TranslateMessagePostsCharactersOfCharacterKeys) {
  HWND window = Make();
  struct Case {
    WPARAM key;
    WPARAM character;
  } cases[] = {{'A', 'a'}, {'7', '7'}, {0x0D, 0x0D}, {0x20, 0x20}, {0xC1, 0}, {0x25, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    MSG key{window, WM_KEYDOWN, c.key, 1, 0, {0, 0}};
    EXPECT_EQ(TranslateMessage(&key), c.character != 0);
    MSG msg;
    BOOL got = PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
    EXPECT_EQ(got, c.character != 0);
    if (got) {
      EXPECT_EQ(msg.message, WM_CHAR);
      EXPECT_EQ(msg.wParam, c.character);
    }
  }
}

TEST_F(Messages, FocusChangesAreAnnouncedToBothWindows) {
  HWND top = Make();
  HWND a = Make(top);
  HWND b = Make(top);
  recorded.clear();
  EXPECT_EQ(SetFocus(a), nullptr);
  // Taking the focus activated the top-level window, which took the focus
  // first (its default procedure), then handed it to `a`.
  EXPECT_EQ(GetActiveWindow(), top);
  EXPECT_EQ(GetFocus(), a);
  EXPECT_EQ(SetFocus(b), a);
  ASSERT_GE(recorded.size(), 2u);
  const RecordedMessage& kill = recorded[recorded.size() - 2];
  const RecordedMessage& set = recorded.back();
  EXPECT_EQ(kill.window, a);
  EXPECT_EQ(kill.message, WM_KILLFOCUS);
  EXPECT_EQ(kill.wParam, reinterpret_cast<WPARAM>(b));
  EXPECT_EQ(set.window, b);
  EXPECT_EQ(set.message, WM_SETFOCUS);
  EXPECT_EQ(set.wParam, reinterpret_cast<WPARAM>(a));
  DestroyWindow(b);
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(Messages, ActivationMovesBetweenTopLevelWindows) {
  HWND first = Make();
  HWND second = Make();
  EXPECT_TRUE(SetForegroundWindow(first));
  recorded.clear();
  EXPECT_TRUE(SetForegroundWindow(second));
  EXPECT_EQ(GetForegroundWindow(), second);
  std::vector<RecordedMessage> activations;
  for (const RecordedMessage& r : recorded)
    if (r.message == WM_ACTIVATE) activations.push_back(r);
  ASSERT_EQ(activations.size(), 2u);
  EXPECT_EQ(activations[0].window, first);
  EXPECT_EQ(LOWORD(activations[0].wParam), WA_INACTIVE);
  EXPECT_EQ(activations[1].window, second);
  EXPECT_EQ(LOWORD(activations[1].wParam), WA_ACTIVE);
  EXPECT_EQ(activations[1].lParam, reinterpret_cast<LPARAM>(first));
  EXPECT_EQ(GetFocus(), second);
}

TEST_F(Messages, ApplicationKeyHotKeyReachesTheFocusWindowAsDownAndUp) {
  HWND main = Make();
  HWND view = Make(main);
  SetFocus(view);
  struct Case {
    UINT key;
    bool delivered;
  } cases[] = {{0xC1, true}, {0xC6, true}, {0xCF, true}, {0x1B, false}, {0x70, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    recorded.clear();
    DefWindowProcW(main, WM_HOTKEY, 5, static_cast<LPARAM>(MAKELONG(MOD_KEYUP, static_cast<WORD>(c.key))));
    devtest::PumpMessages();
    std::vector<RecordedMessage> keys;
    for (const RecordedMessage& r : recorded)
      if (r.message == WM_KEYDOWN || r.message == WM_KEYUP) keys.push_back(r);
    if (!c.delivered) {
      EXPECT_TRUE(keys.empty());
      continue;
    }
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].window, view);
    EXPECT_EQ(keys[0].message, WM_KEYDOWN);
    EXPECT_EQ(keys[0].wParam, c.key);
    EXPECT_EQ(keys[0].lParam & kKeyPreviousStateBit, 0);
    EXPECT_EQ(keys[1].message, WM_KEYUP);
    EXPECT_EQ(keys[1].wParam, c.key);
    EXPECT_NE(keys[1].lParam & kKeyPreviousStateBit, 0);
  }
}

TEST_F(Messages, ApplicationKeyGoesToTheWindowItselfWithoutAFocusWindow) {
  HWND main = Make();
  DefWindowProcW(main, WM_HOTKEY, 1, static_cast<LPARAM>(MAKELONG(0, 0xC3)));
  devtest::PumpMessages();
  ASSERT_EQ(MessagesIn(WM_KEYDOWN, WM_KEYUP), (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP}));
  EXPECT_EQ(recorded.back().window, main);
}

TEST_F(Messages, DestroyedWindowsLoseTheirQueuedMessages) {
  HWND window = Make();
  PostMessageW(window, WM_USER, 0, 0);
  DestroyWindow(window);
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
}

}  // namespace
