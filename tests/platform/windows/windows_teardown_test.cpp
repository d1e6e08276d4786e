// Notifications that child windows send their parent while a window tree
// is destroyed arrive at once, while the parent still exists, so a parent
// whose procedure follows freed state would be caught here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/windows/message_queue.h"
#include "platform/windows/windows.h"

namespace {

constexpr UINT kChildNotify = WM_USER + 1;
std::vector<std::string> g_events;

LRESULT ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kChildNotify) g_events.push_back("notified, parent alive=" + std::to_string(IsWindow(window)));
  if (message == WM_DESTROY) g_events.push_back("parent WM_DESTROY");
  if (message == WM_NCDESTROY) g_events.push_back("parent WM_NCDESTROY");
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT ChildProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    g_events.push_back("child WM_DESTROY");
    LRESULT answer = SendMessageW(GetParent(window), kChildNotify, 0, 0);
    g_events.push_back("send answered " + std::to_string(answer));
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(WindowsTeardown, ChildNotificationsDuringDestructionAreDeliveredSynchronously) {
  WNDCLASSW parentClass{};
  parentClass.lpfnWndProc = ParentProcedure;
  parentClass.lpszClassName = u"TeardownParent";
  ASSERT_NE(RegisterClassW(&parentClass), 0);
  WNDCLASSW childClass{};
  childClass.lpfnWndProc = ChildProcedure;
  childClass.lpszClassName = u"TeardownChild";
  ASSERT_NE(RegisterClassW(&childClass), 0);
  HWND parent = CreateWindowExW(0, u"TeardownParent", u"", WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                                nullptr);
  HWND child = CreateWindowExW(0, u"TeardownChild", u"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent, nullptr,
                               nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  g_events.clear();

  // A child destroyed on its own first (as a control is before its page).
  HWND first = CreateWindowExW(0, u"TeardownChild", u"", WS_CHILD, 0, 0, 5, 5, parent, nullptr, nullptr, nullptr);
  DestroyWindow(first);
  EXPECT_EQ(g_events, (std::vector<std::string>{"child WM_DESTROY", "notified, parent alive=1", "send answered 0"}));

  g_events.clear();
  DestroyWindow(parent);
  EXPECT_EQ(g_events, (std::vector<std::string>{"parent WM_DESTROY", "child WM_DESTROY", "notified, parent alive=1",
                                                "send answered 0", "parent WM_NCDESTROY"}));
  EXPECT_FALSE(IsWindow(parent));
  EXPECT_FALSE(IsWindow(child));
}

}  // namespace
