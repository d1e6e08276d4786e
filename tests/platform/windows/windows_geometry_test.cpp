// Window geometry: default places, client areas, point mapping, stacking,
// hit testing, and the messages of showing, moving, sizing and enabling in
// the device's order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/profile.h"
#include "platform/testing/windows.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"
#include "tests/support/message_recorder.h"

namespace {

using msgtest::RecordedMessage;

// Writes down the messages of creating, showing, moving, sizing, activating,
// focusing, enabling and destroying; with handlePositionItself a window
// answers WM_WINDOWPOSCHANGED itself instead of leaving it to the default
// procedure.
class Geometry : public msgtest::MessageRecorder {
 protected:
  Geometry() : MessageRecorder(u"Geometry") {}
  bool Records(UINT message) const override {
    switch (message) {
      case WM_CREATE: case WM_SIZE: case WM_MOVE: case WM_SHOWWINDOW: case WM_WINDOWPOSCHANGED:
      case WM_ACTIVATE: case WM_SETFOCUS: case WM_KILLFOCUS: case WM_ENABLE: case WM_DESTROY:
        return true;
      default:
        return false;
    }
  }
  bool React(HWND, UINT message, WPARAM, LPARAM, LRESULT* result) override {
    if (message != WM_WINDOWPOSCHANGED || !handlePositionItself) return false;
    *result = 0;
    return true;
  }

  HWND Top(int x, int y, int w, int h, DWORD style = 0) {
    return CreateWindowExW(0, ClassName(), u"", WS_POPUP | style, x, y, w, h, nullptr, nullptr, nullptr, nullptr);
  }
  HWND Child(HWND parent, int x, int y, int w, int h, DWORD style = WS_VISIBLE) {
    return CreateWindowExW(0, ClassName(), u"", WS_CHILD | style, x, y, w, h, parent, nullptr, nullptr, nullptr);
  }

  bool handlePositionItself = false;
};

TEST_F(Geometry, DefaultPlaceFillsTheWorkAreaBelowTheNavigationBar) {
  struct Case {
    int width, height, dpi;
    RECT expected;
  } cases[] = {
      {240, 320, 96, {0, 26, 240, 320}},
      {480, 640, 192, {0, 52, 480, 640}},
      {240, 320, 130, {0, 35, 240, 320}},
  };
  for (const Case& c : cases) {
    devtest::ResetWindows();
    RegisterRecorderClass();
    devtest::DeviceProfile profile;
    profile.screenWidth = c.width;
    profile.screenHeight = c.height;
    profile.dpi = c.dpi;
    devtest::SetProfile(profile);
    HWND main = CreateWindowExW(0, ClassName(), u"", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    RECT r{};
    ASSERT_TRUE(GetWindowRect(main, &r));
    EXPECT_EQ(r.left, c.expected.left);
    EXPECT_EQ(r.top, c.expected.top) << c.dpi;
    EXPECT_EQ(r.right, c.expected.right);
    EXPECT_EQ(r.bottom, c.expected.bottom);
  }
}

TEST_F(Geometry, ClientAreaLeavesOutTheFrameAndPointsMapBetweenWindows) {
  HWND top = Top(10, 20, 100, 80, WS_BORDER | WS_VISIBLE);
  HWND child = Child(top, 5, 6, 30, 40);
  RECT r{};
  GetClientRect(top, &r);
  EXPECT_EQ(r.right, 98);
  EXPECT_EQ(r.bottom, 78);
  GetWindowRect(child, &r);
  EXPECT_EQ(r.left, 10 + 1 + 5);
  EXPECT_EQ(r.top, 20 + 1 + 6);
  POINT p{1, 2};
  ClientToScreen(child, &p);
  EXPECT_EQ(p.x, 17);
  EXPECT_EQ(p.y, 29);
  ScreenToClient(top, &p);
  EXPECT_EQ(p.x, 6);
  EXPECT_EQ(p.y, 8);
  POINT points[2] = {{0, 0}, {3, 4}};
  int packed = MapWindowPoints(child, top, points, 2);
  EXPECT_EQ(points[1].x, 8);
  EXPECT_EQ(points[1].y, 10);
  EXPECT_EQ(LOWORD(static_cast<uintptr_t>(packed)), 5);
  EXPECT_EQ(HIWORD(static_cast<uintptr_t>(packed)), 6);
}

TEST_F(Geometry, CreationSendsSizeAndMoveThenShowsAndActivatesAVisibleWindow) {
  HWND top = Top(0, 30, 50, 60, WS_VISIBLE);
  EXPECT_EQ(Messages(top), (std::vector<UINT>{WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW, WM_WINDOWPOSCHANGED,
                                               WM_ACTIVATE, WM_SETFOCUS}));
  EXPECT_EQ(recorded[1].lParam, static_cast<LPARAM>(MAKELONG(50, 60)));
  EXPECT_EQ(recorded[2].lParam, static_cast<LPARAM>(MAKELONG(0, 30)));
  EXPECT_EQ(GetActiveWindow(), top);
  EXPECT_EQ(GetFocus(), top);

  recorded.clear();
  HWND hidden = Top(0, 0, 10, 10);
  EXPECT_EQ(Messages(hidden), (std::vector<UINT>{WM_CREATE, WM_SIZE, WM_MOVE}));
  EXPECT_FALSE(IsWindowVisible(hidden));
  EXPECT_EQ(GetActiveWindow(), top);
}

TEST_F(Geometry, MovingAndSizingReportThroughTheDefaultProcedure) {
  HWND top = Top(0, 0, 50, 50, WS_VISIBLE);
  recorded.clear();
  MoveWindow(top, 5, 6, 70, 80, TRUE);
  EXPECT_EQ(Messages(), (std::vector<UINT>{WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}));
  EXPECT_EQ(recorded[1].lParam, static_cast<LPARAM>(MAKELONG(5, 6)));
  EXPECT_EQ(recorded[2].lParam, static_cast<LPARAM>(MAKELONG(70, 80)));

  recorded.clear();
  SetWindowPos(top, nullptr, 9, 9, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(Messages(), (std::vector<UINT>{WM_WINDOWPOSCHANGED, WM_MOVE}));
  recorded.clear();
  SetWindowPos(top, nullptr, 9, 9, 0, 0, SWP_NOSIZE | SWP_NOZORDER);  // nothing changes
  EXPECT_TRUE(Messages().empty());

  handlePositionItself = true;
  recorded.clear();
  MoveWindow(top, 1, 1, 10, 10, TRUE);
  EXPECT_EQ(Messages(), (std::vector<UINT>{WM_WINDOWPOSCHANGED}));
  RECT r{};
  GetClientRect(top, &r);
  EXPECT_EQ(r.right, 10);
}

TEST_F(Geometry, HidingTheActiveWindowActivatesTheNextAndHidingAFocusedChildFocusesItsParent) {
  HWND below = Top(0, 0, 50, 50, WS_VISIBLE);
  HWND above = Top(0, 0, 50, 50, WS_VISIBLE);
  HWND child = Child(above, 0, 0, 10, 10);
  SetFocus(child);
  ASSERT_EQ(GetActiveWindow(), above);
  recorded.clear();
  ShowWindow(child, SW_HIDE);
  EXPECT_EQ(GetFocus(), above);
  EXPECT_EQ(Messages(child), (std::vector<UINT>{WM_SHOWWINDOW, WM_WINDOWPOSCHANGED, WM_KILLFOCUS}));

  recorded.clear();
  EXPECT_TRUE(ShowWindow(above, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(above));
  EXPECT_EQ(GetActiveWindow(), below);
  EXPECT_EQ(GetFocus(), below);
  EXPECT_EQ(Messages(), (std::vector<UINT>{WM_SHOWWINDOW, WM_WINDOWPOSCHANGED, WM_ACTIVATE, WM_ACTIVATE,
                                            WM_KILLFOCUS, WM_SETFOCUS}));
  EXPECT_EQ(recorded[2].window, above);
  EXPECT_EQ(LOWORD(recorded[2].wParam), WA_INACTIVE);
  EXPECT_EQ(recorded[3].window, below);

  // Showing without activation leaves the active window alone.
  EXPECT_FALSE(ShowWindow(above, SW_SHOWNA));
  EXPECT_EQ(GetActiveWindow(), below);
  ShowWindow(above, SW_SHOW);
  EXPECT_EQ(GetActiveWindow(), above);
}

TEST_F(Geometry, StackingDecidesTheWindowUnderAPoint) {
  HWND first = Top(0, 0, 100, 100, WS_VISIBLE);
  HWND second = Top(50, 50, 100, 100, WS_VISIBLE);
  EXPECT_EQ(WindowFromPoint(POINT{60, 60}), second);
  EXPECT_EQ(WindowFromPoint(POINT{10, 10}), first);
  EXPECT_EQ(WindowFromPoint(POINT{200, 10}), nullptr);
  SetWindowPos(first, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(WindowFromPoint(POINT{60, 60}), first);
  EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
  SetWindowPos(second, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  BringWindowToTop(first);
  EXPECT_EQ(WindowFromPoint(POINT{60, 60}), second);  // a topmost window stays above

  HWND a = Child(first, 0, 0, 40, 40);
  HWND b = Child(first, 20, 20, 40, 40);
  EXPECT_EQ(WindowFromPoint(POINT{30, 30}), b);  // the newer child lies above
  EXPECT_EQ(GetWindow(first, GW_CHILD), b);
  SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(WindowFromPoint(POINT{30, 30}), a);
  EnableWindow(a, FALSE);
  EXPECT_EQ(WindowFromPoint(POINT{10, 10}), first);  // a disabled child yields its parent
  EXPECT_EQ(ChildWindowFromPoint(first, POINT{10, 10}), a);  // but not here
  EXPECT_EQ(ChildWindowFromPoint(first, POINT{90, 5}), first);
  EXPECT_EQ(ChildWindowFromPoint(first, POINT{-1, 5}), nullptr);
  ShowWindow(a, SW_HIDE);
  EXPECT_EQ(WindowFromPoint(POINT{30, 30}), b);
}

TEST_F(Geometry, DisablingTheFocusWindowTakesTheFocusAway) {
  HWND top = Top(0, 0, 50, 50, WS_VISIBLE);
  HWND child = Child(top, 0, 0, 10, 10);
  SetFocus(child);
  recorded.clear();
  EXPECT_FALSE(EnableWindow(top, FALSE));
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(Messages(), (std::vector<UINT>{WM_ENABLE, WM_KILLFOCUS}));
  EXPECT_EQ(recorded[0].wParam, static_cast<WPARAM>(FALSE));
  EXPECT_FALSE(IsWindowEnabled(top));
  recorded.clear();
  EXPECT_TRUE(EnableWindow(top, FALSE));  // already disabled: no message
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(EnableWindow(top, TRUE));
  EXPECT_TRUE(IsWindowEnabled(top));
}

TEST_F(Geometry, DestroyingTheActiveWindowReactivatesItsOwner) {
  HWND owner = Top(0, 0, 50, 50, WS_VISIBLE);
  HWND other = Top(0, 0, 50, 50, WS_VISIBLE);
  HWND dialog = CreateWindowExW(0, ClassName(), u"", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, owner, nullptr, nullptr,
                                nullptr);
  ASSERT_EQ(GetActiveWindow(), dialog);
  recorded.clear();
  DestroyWindow(dialog);
  EXPECT_EQ(GetActiveWindow(), owner);
  EXPECT_EQ(GetFocus(), owner);
  std::vector<UINT> toDialog = Messages(dialog);
  EXPECT_EQ(toDialog.front(), WM_ACTIVATE);
  EXPECT_EQ(toDialog.back(), WM_DESTROY);
  (void)other;
}

}  // namespace
