// What the display manager's tests share: a host whose answers each test
// sets, a shown 240 x 320 window whose timer 1 reaches the manager, and a
// drawing surface on it.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "layout/display/display_manager.h"
#include "layout/drawing/drawing_surface.h"
#include "platform/testing/gdi.h"
#include "platform/testing/windows.h"
#include "platform/windows/messages.h"
#include "platform/windows/windows.h"
#include "tests/layout/drawing/surface_fixture.h"

namespace displaytest {

class FakeDisplayHost : public DisplayHost {
 public:
  bool CanRotateDisplay() override { return platformRotates; }
  bool RotateToNextOrientation() override {
    ++platformRotations;
    return platformAccepts;
  }
  bool SetDisplayOrientation(uint8_t code) override {
    platformOrientation = code;
    ++platformRotations;
    return platformAccepts;
  }
  void QueryViewCapabilities(bool* a, bool* b, bool* c) override {
    *a = allowRotation;
    *b = allowRotation;
    *c = keepEnabled;
  }
  void SetClientRect(const Rect& rect) override { clientRects.push_back(rect); }
  void StoreOrientation(uint8_t code) override { storedOrientation = code; }
  int32_t ColorDepth() override { return depth; }
  bool GetViewRect(Rect* out) override {
    if (!hasView) return false;
    *out = view;
    return true;
  }
  bool StepViewPage() override {
    ++steps;
    if (onStep) onStep();
    return pagesLeft-- > 0;
  }
  void ScrollViewToLine(int32_t offset, int32_t step) override { scrolledTo.push_back({offset, step}); }
  void ShowError(uint32_t id) override { errors.push_back(id); }

  bool platformRotates = false;
  bool platformAccepts = false;
  int platformRotations = 0;
  uint8_t platformOrientation = 255;
  bool allowRotation = true;
  bool keepEnabled = true;
  int32_t depth = 16;
  bool hasView = true;
  Rect view{0, 20, 240, 280};
  int steps = 0;
  std::function<void()> onStep;  // the view paints its next page
  int pagesLeft = 1000;
  uint8_t storedOrientation = 255;
  std::vector<Rect> clientRects;
  std::vector<Point> scrolledTo;
  std::vector<uint32_t> errors;
};

// The manager the test window's timer reaches.
inline DisplayManager*& TimerTarget() {
  static DisplayManager* target = nullptr;
  return target;
}

inline LRESULT DisplayTestProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == DisplayManager::kTimerId && TimerTarget() != nullptr) {
    TimerTarget()->OnTimer();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DisplayTestProcedure;
    wc.lpszClassName = u"DisplayTestWindow";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, u"DisplayTestWindow", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                             nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    devtest::PumpMessages();
    surface.SetWindow(window);
    TimerTarget() = &display;
  }
  void TearDown() override {
    display.Detach();
    TimerTarget() = nullptr;
    DestroyWindow(window);
  }
  void AttachUpright(bool forced = false) { display.Attach(&surface, &host, 240, 320, forced); }

  uint32_t ScreenPixel(Point p) { return devtest::WindowPixelRgb(window, p.x, p.y); }

  surfacetest::FakeFontTable fonts;
  DrawingSurface surface{&fonts};
  FakeDisplayHost host;
  DisplayManager display;
  HWND window = nullptr;
};

}  // namespace displaytest
