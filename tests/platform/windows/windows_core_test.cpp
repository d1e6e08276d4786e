// Window classes, creation and destruction, window values, text, the parent
// link and the default procedure's plain duties.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/core/last_error.h"
#include "platform/testing/threads.h"
#include "platform/testing/windows.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/windows.h"

namespace {

// Every message a journal window receives, with the window's name.
struct Entry {
  std::u16string window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Entry> g_journal;
LRESULT g_createAnswer = 0;
CREATESTRUCTW g_create{};
std::u16string g_createTitle;

std::u16string NameOf(HWND window) {
  WCHAR buffer[64];
  int n = GetWindowTextW(window, buffer, 64);
  return std::u16string(buffer, static_cast<size_t>(n));
}

LRESULT JournalProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    g_create = *reinterpret_cast<CREATESTRUCTW*>(lParam);
    g_createTitle = g_create.lpszName ? g_create.lpszName : u"";
    g_journal.push_back({g_createTitle, message, wParam, lParam});
    return g_createAnswer;
  }
  if (message != WM_GETTEXT && message != WM_GETTEXTLENGTH && message != WM_SETTEXT)
    g_journal.push_back({NameOf(window), message, wParam, lParam});
  return DefWindowProcW(window, message, wParam, lParam);
}

class Windows : public ::testing::Test {
 protected:
  void SetUp() override {
    devtest::ResetThreads();
    devtest::ResetWindows();
    g_journal.clear();
    g_createAnswer = 0;
    WNDCLASSW wc{};
    wc.lpfnWndProc = JournalProcedure;
    wc.cbWndExtra = 2 * sizeof(LONG_PTR);
    wc.lpszClassName = u"Journal";
    ASSERT_NE(RegisterClassW(&wc), 0);
  }
  void TearDown() override { devtest::ResetWindows(); }

  HWND Make(const char16_t* name, HWND parent = nullptr, DWORD style = 0, LPVOID param = nullptr) {
    if (parent && !(style & WS_POPUP)) style |= WS_CHILD;
    return CreateWindowExW(0, u"Journal", name, style, 1, 2, 30, 40, parent, nullptr, nullptr, param);
  }

  std::vector<std::u16string> Seen(UINT message) {
    std::vector<std::u16string> names;
    for (const Entry& e : g_journal)
      if (e.message == message) names.push_back(e.window);
    return names;
  }
};

TEST_F(Windows, ClassRegistrationIsUniqueWithoutRegardToCase) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"JOURNAL";
  EXPECT_EQ(RegisterClassW(&wc), 0);
  EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);

  HWND window = Make(u"w");
  EXPECT_FALSE(UnregisterClassW(u"journal", nullptr));
  EXPECT_EQ(GetLastError(), ERROR_CLASS_HAS_WINDOWS);
  DestroyWindow(window);
  EXPECT_TRUE(UnregisterClassW(u"journal", nullptr));
  EXPECT_FALSE(UnregisterClassW(u"journal", nullptr));
  EXPECT_EQ(GetLastError(), ERROR_CLASS_DOES_NOT_EXIST);
  EXPECT_EQ(Make(u"w"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
}

TEST_F(Windows, ClassIsFoundByAtomAndReportsItsName) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"Plain";
  ATOM atom = RegisterClassW(&wc);
  ASSERT_NE(atom, 0);
  HWND window = CreateWindowExW(0, MAKEINTATOM(atom), u"t", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  WCHAR name[16];
  EXPECT_EQ(GetClassNameW(window, name, 16), 5);
  EXPECT_EQ(std::u16string(name), u"Plain");
  EXPECT_EQ(FindWindowW(MAKEINTATOM(atom), nullptr), window);
  WNDCLASSW info{};
  EXPECT_TRUE(GetClassInfoW(nullptr, u"plain", &info));
  EXPECT_EQ(info.lpfnWndProc, &DefWindowProcW);
}

TEST_F(Windows, CreationSendsWmCreateWithTheCreateRecordAndKeepsTheStyles) {
  int param = 0;
  HWND top = Make(u"top", nullptr, WS_POPUP | WS_VISIBLE, &param);
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(g_create.lpCreateParams, &param);
  EXPECT_EQ(g_create.style, static_cast<LONG>(WS_POPUP | WS_VISIBLE));
  EXPECT_EQ(g_createTitle, u"top");
  EXPECT_EQ(g_create.x, 1);
  EXPECT_EQ(g_create.cy, 40);
  EXPECT_EQ(std::u16string(g_create.lpszClass), u"Journal");
  ASSERT_GE(g_journal.size(), 3u);
  EXPECT_EQ(g_journal[0].message, WM_CREATE);
  EXPECT_EQ(g_journal[1].message, WM_SIZE);
  EXPECT_EQ(g_journal[2].message, WM_MOVE);

  HWND child = CreateWindowExW(WS_EX_CLIENTEDGE, u"Journal", u"child", WS_CHILD | WS_TABSTOP, 0, 0, 5, 5, top,
                               reinterpret_cast<HMENU>(static_cast<uintptr_t>(1234)), nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(g_create.hwndParent, top);
  EXPECT_EQ(GetParent(child), top);
  EXPECT_EQ(GetParent(top), nullptr);
  EXPECT_TRUE(IsChild(top, child));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE)), WS_CHILD | WS_TABSTOP);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(child, GWL_EXSTYLE)), WS_EX_CLIENTEDGE);
  EXPECT_EQ(GetWindowLongPtrW(child, GWL_ID), 1234);
}

TEST_F(Windows, CreationFailsForAChildWithoutParentOrAnAnswerOfMinusOne) {
  EXPECT_EQ(CreateWindowExW(0, u"Journal", u"c", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_EQ(GetLastError(), ERROR_TLW_WITH_WSCHILD);
  EXPECT_EQ(Make(u"x", reinterpret_cast<HWND>(0x1234)), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);

  g_createAnswer = -1;
  EXPECT_EQ(Make(u"refused"), nullptr);
  EXPECT_EQ(devtest::LiveWindowCount(), 0);
  EXPECT_EQ(Seen(WM_DESTROY).size(), 1u);
}

TEST_F(Windows, DestroyGoesToOwnedWindowsFirstThenDownTheTree) {
  HWND top = Make(u"top");
  HWND a = Make(u"a", top);
  Make(u"a1", a);
  Make(u"b", top);
  Make(u"owned", top, WS_POPUP);
  g_journal.clear();
  EXPECT_TRUE(DestroyWindow(top));
  EXPECT_EQ(Seen(WM_DESTROY), (std::vector<std::u16string>{u"owned", u"top", u"a", u"a1", u"b"}));
  EXPECT_EQ(Seen(WM_NCDESTROY), (std::vector<std::u16string>{u"owned", u"b", u"a1", u"a", u"top"}));
  EXPECT_FALSE(IsWindow(top));
  EXPECT_FALSE(IsWindow(a));
  EXPECT_EQ(devtest::LiveWindowCount(), 0);
  EXPECT_FALSE(DestroyWindow(top));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

// While a parent handles WM_DESTROY its children still exist.
HWND g_childSeenAlive = nullptr;
bool g_childWasAlive = false;
LRESULT CheckChildOnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY && g_childSeenAlive) g_childWasAlive = IsWindow(g_childSeenAlive);
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(Windows, ChildrenStillExistWhileTheParentHandlesWmDestroy) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = CheckChildOnDestroy;
  wc.lpszClassName = u"Checker";
  RegisterClassW(&wc);
  HWND top = CreateWindowExW(0, u"Checker", u"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  g_childSeenAlive = Make(u"child", top);
  DestroyWindow(top);
  EXPECT_TRUE(g_childWasAlive);
  EXPECT_FALSE(IsWindow(g_childSeenAlive));
}

TEST_F(Windows, UserDataAndExtraBytesHoldPointers) {
  HWND window = Make(u"w");
  auto object = std::make_unique<std::string>("state");
  LONG_PTR pointer = reinterpret_cast<LONG_PTR>(object.get());
  EXPECT_EQ(SetWindowLongPtrW(window, GWL_USERDATA, pointer), 0);
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_USERDATA), pointer);
  EXPECT_EQ(SetWindowLongPtrW(window, sizeof(LONG_PTR), pointer), 0);
  EXPECT_EQ(GetWindowLongPtrW(window, sizeof(LONG_PTR)), pointer);
  EXPECT_EQ(SetWindowLongPtrW(window, GWL_USERDATA, 0), pointer);

  // The 32-bit forms: extra bytes as 32-bit values; no procedure.
  EXPECT_EQ(SetWindowLongW(window, 0, 77), 0);
  EXPECT_EQ(GetWindowLongW(window, 0), 77);
  SetLastError(0);
  EXPECT_EQ(GetWindowLongW(window, GWL_WNDPROC), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
  EXPECT_EQ(GetWindowLongPtrW(window, 2 * sizeof(LONG_PTR)), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
  EXPECT_EQ(GetWindowLongPtrW(reinterpret_cast<HWND>(0x10), GWL_USERDATA), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

WNDPROC g_previous = nullptr;
int g_subclassCalls = 0;
LRESULT Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_USER) ++g_subclassCalls;
  if (message == WM_USER) return 99;
  return CallWindowProcW(g_previous, window, message, wParam, lParam);
}

TEST_F(Windows, ReplacedProcedureCanPassMessagesOn) {
  g_subclassCalls = 0;
  HWND window = Make(u"w");
  g_previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass)));
  EXPECT_EQ(g_previous, &JournalProcedure);
  g_journal.clear();
  EXPECT_EQ(SendMessageW(window, WM_USER, 0, 0), 99);
  SendMessageW(window, WM_USER + 1, 5, 6);
  EXPECT_EQ(g_subclassCalls, 2);
  ASSERT_EQ(g_journal.size(), 1u);
  EXPECT_EQ(g_journal[0].message, WM_USER + 1u);
  EXPECT_EQ(g_journal[0].wParam, 5u);
}

TEST_F(Windows, TextIsKeptByTheDefaultProcedure) {
  HWND window = Make(u"first");
  EXPECT_EQ(GetWindowTextLengthW(window), 5);
  EXPECT_TRUE(SetWindowTextW(window, u"second title"));
  WCHAR small[7];
  EXPECT_EQ(GetWindowTextW(window, small, 7), 6);
  EXPECT_EQ(std::u16string(small), u"second");
  EXPECT_EQ(FindWindowW(nullptr, u"second title"), window);
  EXPECT_EQ(FindWindowW(u"journal", u"first"), nullptr);
}

TEST_F(Windows, FindWindowAnswersTheOldestMatchingTopLevelWindow) {
  HWND first = Make(u"same");
  HWND second = Make(u"same");
  Make(u"same", first);  // a child is never found
  EXPECT_EQ(FindWindowW(u"JOURNAL", u"same"), first);
  DestroyWindow(first);
  EXPECT_EQ(FindWindowW(u"Journal", nullptr), second);
  EXPECT_EQ(FindWindowW(u"Other", nullptr), nullptr);
}

TEST_F(Windows, CloseDestroysThroughTheDefaultProcedure) {
  HWND window = Make(u"w");
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(Seen(WM_DESTROY), std::vector<std::u16string>{u"w"});
}

TEST_F(Windows, ResetFreesLeftWindowsWithoutCallingThem) {
  Make(u"left", Make(u"top"));
  g_journal.clear();
  EXPECT_EQ(devtest::LiveWindowCount(), 2);
  devtest::ResetWindows();
  EXPECT_EQ(devtest::LiveWindowCount(), 0);
  EXPECT_TRUE(g_journal.empty());
  EXPECT_EQ(FindWindowW(u"Journal", nullptr), nullptr);
}

}  // namespace
