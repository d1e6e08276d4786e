// Painting: the update region and WM_PAINT, erasing with the class brush,
// window DCs clipped to what shows, and the screen that every DC draws on.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/testing/gdi.h"
#include "platform/testing/profile.h"
#include "platform/testing/windows.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/painting.h"
#include "platform/windows/timers.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"
#include "tests/support/message_recorder.h"

namespace {

struct Painted {
  HWND window;
  RECT rcPaint;
  BOOL fErase;
};

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;

// Writes down WM_PAINT, WM_TIMER and WM_USER as they come; a window
// answers WM_PAINT by filling its client area with `fill` (unless
// fillOnPaint is off) and keeps each paint's rectangle and erase flag.
class Paint : public msgtest::MessageRecorder {
 protected:
  Paint() : MessageRecorder(u"Paint", reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1))) {}
  void SetUp() override {
    MessageRecorder::SetUp();
    devtest::DeviceProfile profile;
    profile.bitsPerPixel = 32;  // exact colours in the pixel checks
    devtest::SetProfile(profile);
  }
  bool Records(UINT message) const override {
    return message == WM_PAINT || message == WM_TIMER || message == WM_USER;
  }
  bool React(HWND window, UINT message, WPARAM, LPARAM, LRESULT* result) override {
    if (!Records(message)) return false;
    if (message == WM_PAINT) {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      paints.push_back({window, ps.rcPaint, ps.fErase});
      if (fillOnPaint) {
        RECT client;
        GetClientRect(window, &client);
        HBRUSH brush = CreateSolidBrush(fill);
        FillRect(dc, &client, brush);
        DeleteObject(brush);
      }
      EndPaint(window, &ps);
    }
    *result = 0;
    return true;
  }
  void TearDown() override {
    devtest::ResetWindows();
    EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::DeviceContext), 0);
    EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::Brush), 0);
    MessageRecorder::TearDown();
  }

  HWND Top(int x, int y, int w, int h) {
    return CreateWindowExW(0, u"Paint", u"", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr, nullptr, nullptr, nullptr);
  }
  HWND Child(HWND parent, int x, int y, int w, int h) {
    return CreateWindowExW(0, u"Paint", u"", WS_CHILD | WS_VISIBLE, x, y, w, h, parent, nullptr, nullptr, nullptr);
  }

  std::vector<Painted> paints;
  COLORREF fill = RGB(255, 0, 0);
  bool fillOnPaint = true;
};

TEST_F(Paint, TwoInvalidationsGiveOnePaintOfTheirUnion) {
  HWND top = Top(0, 0, 100, 100);
  devtest::PumpMessages();
  paints.clear();
  RECT a{10, 10, 20, 20};
  RECT b{50, 40, 60, 70};
  InvalidateRect(top, &a, FALSE);
  InvalidateRect(top, &b, FALSE);
  devtest::PumpMessages();
  ASSERT_EQ(paints.size(), 1u);
  EXPECT_EQ(paints[0].rcPaint.left, 10);
  EXPECT_EQ(paints[0].rcPaint.top, 10);
  EXPECT_EQ(paints[0].rcPaint.right, 60);
  EXPECT_EQ(paints[0].rcPaint.bottom, 70);
  EXPECT_FALSE(paints[0].fErase);
  RECT none;
  EXPECT_FALSE(GetUpdateRect(top, &none, FALSE));
}

TEST_F(Paint, PaintComesWhenNothingIsPostedAndBeforeTimers) {
  HWND top = Top(0, 0, 50, 50);
  devtest::PumpMessages();
  recorded.clear();
  SetTimer(top, 1, 0, nullptr);
  InvalidateRect(top, nullptr, FALSE);
  PostMessageW(top, WM_USER, 0, 0);
  devtest::PumpMessages();
  KillTimer(top, 1);
  EXPECT_EQ(Messages(), (std::vector<UINT>{WM_USER, WM_PAINT, WM_TIMER}));
}

TEST_F(Paint, UpdateWindowPaintsAtOnceAndValidateRectShrinksTheRegion) {
  HWND top = Top(0, 0, 100, 100);
  devtest::PumpMessages();
  paints.clear();
  RECT part{0, 0, 100, 30};
  InvalidateRect(top, &part, TRUE);
  UpdateWindow(top);
  ASSERT_EQ(paints.size(), 1u);
  EXPECT_FALSE(paints[0].fErase);  // the default procedure erased with the brush
  UpdateWindow(top);                 // nothing left to paint
  EXPECT_EQ(paints.size(), 1u);

  struct Case {
    RECT cut;
    RECT left;
  } cases[] = {
      {{0, 0, 100, 10}, {0, 10, 100, 30}},  // a band from the top
      {{0, 20, 100, 40}, {0, 0, 100, 20}},  // a band from the bottom
      {{0, 0, 40, 30}, {40, 0, 100, 30}},   // a band from the left
      {{10, 10, 20, 20}, {0, 0, 100, 30}},  // a hole: the rectangle stays
      {{0, 0, 100, 30}, {0, 0, 0, 0}},      // all of it
  };
  for (const Case& c : cases) {
    InvalidateRect(top, &part, FALSE);
    ValidateRect(top, &c.cut);
    RECT update{};
    GetUpdateRect(top, &update, FALSE);
    EXPECT_EQ(update.left, c.left.left);
    EXPECT_EQ(update.top, c.left.top);
    EXPECT_EQ(update.right, c.left.right);
    EXPECT_EQ(update.bottom, c.left.bottom);
    ValidateRect(top, nullptr);
  }
}

TEST_F(Paint, ErasingFillsTheClassBrushAndPaintingIsClippedToTheUpdate) {
  fillOnPaint = false;
  HWND top = Top(10, 10, 40, 40);
  devtest::PumpMessages();
  uint32_t window = GetSysColor(COLOR_WINDOW);
  uint32_t rgb = (GetRValue(window) << 16) | (GetGValue(window) << 8) | GetBValue(window);
  EXPECT_EQ(devtest::WindowPixelRgb(top, 0, 0), rgb);
  EXPECT_EQ(devtest::WindowPixelRgb(top, 39, 39), rgb);

  fillOnPaint = true;
  RECT part{5, 5, 10, 10};
  InvalidateRect(top, &part, FALSE);
  devtest::PumpMessages();  // the procedure fills its whole client area
  EXPECT_EQ(devtest::WindowPixelRgb(top, 5, 5), kRed);
  EXPECT_EQ(devtest::WindowPixelRgb(top, 9, 9), kRed);
  EXPECT_EQ(devtest::WindowPixelRgb(top, 10, 10), rgb);  // outside the update: untouched
  EXPECT_EQ(devtest::ScreenPixelRgb(15, 15), kRed);
}

TEST_F(Paint, WindowDcsLeaveOutChildrenAndWindowsAbove) {
  HWND parent = Top(0, 0, 100, 100);
  HWND child = Child(parent, 10, 10, 20, 20);
  HWND over = Top(50, 50, 100, 100);
  devtest::PumpMessages();
  HDC dc = GetDC(parent);
  RECT all{0, 0, 100, 100};
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  FillRect(dc, &all, blue);
  DeleteObject(blue);
  ReleaseDC(parent, dc);
  EXPECT_EQ(devtest::ScreenPixelRgb(5, 5), kBlue);
  EXPECT_EQ(devtest::ScreenPixelRgb(15, 15), kRed);  // the child's own paint stays
  EXPECT_EQ(devtest::ScreenPixelRgb(60, 60), kRed);  // so does the window above
  EXPECT_EQ(devtest::ScreenPixelRgb(49, 49), kBlue);
  (void)child;
  (void)over;
}

TEST_F(Paint, MovingAWindowRepaintsWhatItUncovers) {
  HWND below = Top(0, 0, 100, 100);
  HWND above = Top(0, 0, 50, 50);
  devtest::PumpMessages();
  paints.clear();
  fill = RGB(0, 0, 255);
  MoveWindow(above, 60, 60, 30, 30, TRUE);
  devtest::PumpMessages();
  EXPECT_EQ(devtest::ScreenPixelRgb(10, 10), kBlue);  // the window below painted its uncovered part
  bool belowPainted = false;
  for (const Painted& p : paints) belowPainted |= p.window == below;
  EXPECT_TRUE(belowPainted);
  DestroyWindow(above);
  devtest::PumpMessages();
  EXPECT_EQ(devtest::ScreenPixelRgb(70, 70), kBlue);
}

TEST_F(Paint, HiddenWindowsAreNotPaintedUntilShown) {
  HWND top = CreateWindowExW(0, u"Paint", u"", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
  InvalidateRect(top, nullptr, TRUE);
  devtest::PumpMessages();
  EXPECT_TRUE(paints.empty());
  ShowWindow(top, SW_SHOW);
  devtest::PumpMessages();
  EXPECT_EQ(paints.size(), 1u);
}

TEST_F(Paint, TheScreenFollowsTheProfileAndAScreenDcExistsBeforeAnyWindow) {
  devtest::DeviceProfile profile;
  profile.screenWidth = 480;
  profile.screenHeight = 640;
  profile.dpi = 192;
  profile.bitsPerPixel = 32;
  devtest::SetProfile(profile);
  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 192);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 480);
  RECT corner{470, 630, 480, 640};
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  FillRect(screen, &corner, blue);
  DeleteObject(blue);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(devtest::ScreenPixelRgb(479, 639), kBlue);
  // A window made later draws on the same screen.
  HWND top = Top(400, 600, 80, 40);
  devtest::PumpMessages();
  EXPECT_EQ(devtest::ScreenPixelRgb(479, 639), kRed);
  EXPECT_EQ(devtest::WindowPixelRgb(top, 79, 39), kRed);
}

TEST_F(Paint, ReleasedDcsLeaveNoLiveObjects) {
  HWND top = Top(0, 0, 10, 10);
  devtest::PumpMessages();
  for (int i = 0; i < 1000; ++i) {
    HDC dc = (i % 2) ? GetDC(top) : GetWindowDC(top);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(ReleaseDC(top, dc), 1);
  }
  EXPECT_EQ(devtest::LiveGdiObjects(GdiKind::DeviceContext), 0);
  HDC memory = CreateCompatibleDC(nullptr);
  EXPECT_EQ(ReleaseDC(top, memory), 0);  // not a window DC
  DeleteDC(memory);
}

}  // namespace
