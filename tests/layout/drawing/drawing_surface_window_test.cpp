// The surface's own window: stylus messages become pointer events of the
// element tree, the element capture is the window's capture, and losing
// the window's capture releases the captured element.
#include <gtest/gtest.h>

#include "platform/testing/windows.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/messages.h"
#include "platform/windows/windows.h"
#include "tests/layout/drawing/surface_fixture.h"
#include "tests/layout/elements/test_elements.h"

namespace {

LPARAM At(int x, int y) { return static_cast<LPARAM>((static_cast<uint32_t>(y) << 16) | static_cast<uint32_t>(x)); }

using elementtest::Log;
using elementtest::TestLeaf;

TEST(SurfaceOwnWindow, StylusMessagesReachTheTreeAndCaptureIsTheWindows) {
  surfacetest::FakeFontTable fonts;
  Log log;
  TestLeaf leaf("leaf", &log);
  {
    DrawingSurface surface(&fonts);
    ASSERT_TRUE(surface.CreateSurfaceWindow(true, nullptr, Rect{0, 30, 100, 100}, false));
    HWND window = surface.Window();
    ASSERT_NE(window, nullptr);
    leaf.hit = Rect{10, 10, 20, 20};
    ASSERT_TRUE(leaf.SetParent(&surface));

    SendMessageW(window, WM_LBUTTONDOWN, 1, At(15, 15));
    SendMessageW(window, WM_LBUTTONUP, 0, At(90, 90));  // misses: nobody
    EXPECT_EQ(log, (Log{"leaf:activate", "leaf:down", "leaf:deactivate"}));

    log.clear();
    leaf.CaptureInput(false);
    EXPECT_EQ(GetCapture(), window);
    SendMessageW(window, WM_LBUTTONUP, 0, At(90, 90));
    EXPECT_EQ(log.back(), "leaf:up");
    ReleaseCapture();  // the platform takes the capture away
    devtest::PumpMessages();
    EXPECT_FALSE(leaf.HoldsCapture());
    EXPECT_FALSE(surface.CaptureActive());
    leaf.SetParent(nullptr);
  }
  EXPECT_EQ(devtest::LiveWindowCount(), 0);
}

}  // namespace
