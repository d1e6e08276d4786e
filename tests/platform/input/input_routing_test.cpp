// Stylus and keys reaching windows: the window under the point or holding
// the capture, activation by a tap, capture and focus messages in the
// device's order, keys to the focus window with WM_CHAR, hardware buttons
// held as hot keys, and timers on virtual time.
#include <gtest/gtest.h>

#include <vector>

#include "platform/input/device_input.h"
#include "platform/input/virtual_keys.h"
#include "platform/shell/hot_keys.h"
#include "platform/testing/input.h"
#include "platform/testing/shell.h"
#include "platform/testing/windows.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/timers.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"
#include "tests/support/message_recorder.h"

namespace {

using msgtest::RecordedMessage;

int X(LPARAM lParam) { return static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(lParam))); }
int Y(LPARAM lParam) { return static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(lParam))); }

// Writes down the stylus, key, focus, capture, activation and timer
// messages; with captureOnDown a window takes the capture on the stylus
// going down and lets it go on the stylus coming up.
class Input : public msgtest::MessageRecorder {
 protected:
  Input() : MessageRecorder(u"Input") {}
  bool Records(UINT message) const override {
    switch (message) {
      case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_MOUSEMOVE: case WM_KEYDOWN: case WM_KEYUP: case WM_CHAR:
      case WM_HOTKEY: case WM_ACTIVATE: case WM_SETFOCUS: case WM_KILLFOCUS: case WM_CAPTURECHANGED: case WM_TIMER:
        return true;
      default:
        return false;
    }
  }
  bool React(HWND window, UINT message, WPARAM, LPARAM, LRESULT*) override {
    if (message == WM_LBUTTONDOWN && captureOnDown) SetCapture(window);
    if (message == WM_LBUTTONUP && captureOnDown) ReleaseCapture();
    return false;
  }
  HWND Top(int x, int y, int w, int h, DWORD style = WS_VISIBLE) {
    return CreateWindowExW(0, ClassName(), u"", WS_POPUP | style, x, y, w, h, nullptr, nullptr, nullptr, nullptr);
  }
  HWND Child(HWND parent, int x, int y, int w, int h) {
    return CreateWindowExW(0, ClassName(), u"", WS_CHILD | WS_VISIBLE, x, y, w, h, parent, nullptr, nullptr,
                           nullptr);
  }

  bool captureOnDown = false;
};

TEST_F(Input, TapGoesToTheWindowUnderThePointInClientCoordinates) {
  HWND top = Top(0, 30, 200, 200);
  HWND child = Child(top, 10, 10, 50, 50);
  Forget();
  devtest::Tap(25, 55);
  ASSERT_EQ(Messages(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
  EXPECT_EQ(recorded[0].window, child);
  EXPECT_EQ(X(recorded[0].lParam), 15);
  EXPECT_EQ(Y(recorded[0].lParam), 15);
  EXPECT_EQ(recorded[0].wParam, MK_LBUTTON);
  EXPECT_EQ(recorded[1].wParam, 0u);

  recorded.clear();
  devtest::Tap(239, 5);  // over the desktop: nobody
  EXPECT_TRUE(recorded.empty());
  EXPECT_EQ(devinput::PendingInput(), 0u);
}

TEST_F(Input, CaptureTakesTheWholeDragWhereverItGoes) {
  HWND left = Top(0, 0, 100, 100);
  HWND right = Top(100, 0, 100, 100);
  (void)right;
  Forget();
  captureOnDown = true;
  devtest::Drag({{10, 10}, {150, 20}, {190, 90}});
  ASSERT_EQ(Messages(), (std::vector<UINT>{WM_ACTIVATE, WM_ACTIVATE, WM_KILLFOCUS, WM_SETFOCUS, WM_LBUTTONDOWN,
                                            WM_MOUSEMOVE, WM_MOUSEMOVE, WM_LBUTTONUP, WM_CAPTURECHANGED}));
  for (size_t i = 4; i < recorded.size(); ++i) EXPECT_EQ(recorded[i].window, left);
  EXPECT_EQ(LOWORD(recorded[1].wParam), WA_CLICKACTIVE);  // the tap activated the window
  EXPECT_EQ(X(recorded[6].lParam), 190);  // beyond the window's right edge
  EXPECT_EQ(recorded[6].wParam, MK_LBUTTON);
  EXPECT_EQ(recorded[8].lParam, 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Input, CaptureAndFocusMessagesComeInTheDevicesOrder) {
  HWND a = Top(0, 0, 50, 50);
  HWND b = Top(0, 60, 50, 50);
  HWND childA = Child(a, 0, 0, 10, 10);
  Forget();
  EXPECT_EQ(SetCapture(a), nullptr);
  EXPECT_EQ(SetCapture(b), a);
  EXPECT_EQ(GetCapture(), b);
  ReleaseCapture();
  ReleaseCapture();  // nobody holds it: no message
  ASSERT_EQ(Messages(), (std::vector<UINT>{WM_CAPTURECHANGED, WM_CAPTURECHANGED}));
  EXPECT_EQ(recorded[0].window, a);
  EXPECT_EQ(recorded[0].lParam, reinterpret_cast<LPARAM>(b));
  EXPECT_EQ(recorded[1].window, b);
  EXPECT_EQ(recorded[1].lParam, 0);

  // Focus into another top-level window: deactivation, activation, then the
  // focus leaves and arrives.
  recorded.clear();
  SetFocus(childA);
  ASSERT_EQ(Messages(), (std::vector<UINT>{WM_ACTIVATE, WM_ACTIVATE, WM_KILLFOCUS, WM_SETFOCUS, WM_KILLFOCUS,
                                            WM_SETFOCUS}));
  EXPECT_EQ(recorded[0].window, b);
  EXPECT_EQ(recorded[1].window, a);
  EXPECT_EQ(recorded[5].window, childA);

  // A destroyed capture window lets the capture go without a message.
  SetCapture(childA);
  recorded.clear();
  DestroyWindow(childA);
  EXPECT_EQ(GetCapture(), nullptr);
  for (const RecordedMessage& s : recorded) EXPECT_NE(s.message, WM_CAPTURECHANGED);
}

TEST_F(Input, KeysGoToTheFocusWindowAndTranslateToCharacters) {
  HWND top = Top(0, 0, 50, 50);
  HWND child = Child(top, 0, 0, 10, 10);
  SetFocus(child);
  Forget();
  devtest::PressKey('A');
  devtest::PressKeyWith(VK_SHIFT, 'B');
  devtest::PressKey(VK_DOWN);
  std::vector<RecordedMessage> chars;
  for (const RecordedMessage& s : recorded) {
    EXPECT_EQ(s.window, child);
    if (s.message == WM_CHAR) chars.push_back(s);
  }
  ASSERT_EQ(chars.size(), 2u);
  EXPECT_EQ(chars[0].wParam, static_cast<WPARAM>('a'));
  EXPECT_EQ(chars[1].wParam, static_cast<WPARAM>('B'));
  EXPECT_EQ(recorded.back().message, WM_KEYUP);
  EXPECT_EQ(recorded.back().wParam, VK_DOWN);
  EXPECT_EQ(recorded.back().lParam & (kKeyPreviousStateBit | kKeyTransitionBit),
            kKeyPreviousStateBit | kKeyTransitionBit);
  EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
}

TEST_F(Input, AHardwareButtonHeldAsAHotKeyGivesTwoHotKeysAndAKeyUpWithBit30) {
  HWND top = Top(0, 0, 50, 50);
  Forget();
  devtest::SetKeysHeldByShell({VK_APP1, VK_APP2});
  // The system captures button 1 (UnregisterFunc1 first, then on key up).
  devshell::UnregisterFunc1(MOD_KEYUP, VK_APP1);
  ASSERT_TRUE(devshell::RegisterHotKey(top, VK_APP1, MOD_KEYUP, VK_APP1));
  devtest::PressHardwareButton(VK_APP1);
  std::vector<RecordedMessage> hot;
  RecordedMessage up{};
  for (const RecordedMessage& s : recorded) {
    if (s.message == WM_HOTKEY) hot.push_back(s);
    if (s.message == WM_KEYUP) up = s;
  }
  ASSERT_EQ(hot.size(), 2u);
  EXPECT_EQ(hot[0].wParam, static_cast<WPARAM>(VK_APP1));
  EXPECT_EQ(HIWORD(static_cast<uintptr_t>(hot[0].lParam)), VK_APP1);
  EXPECT_EQ(LOWORD(static_cast<uintptr_t>(hot[0].lParam)), MOD_KEYUP);
  EXPECT_EQ(up.window, top);
  EXPECT_NE(up.lParam & kKeyPreviousStateBit, 0);

  // A button the shell still holds goes to the shell, not to the window.
  recorded.clear();
  devtest::PressHardwareButton(VK_APP2);
  EXPECT_TRUE(recorded.empty());
  // One the shell gave up and nobody holds reaches the focus window.
  devshell::UnregisterFunc1(0, VK_APP2);
  devtest::PressHardwareButton(VK_APP2);
  EXPECT_EQ(Messages(), (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP}));
}

TEST_F(Input, InputWaitsForTheThreadAndComesAfterPostedMessages) {
  HWND top = Top(0, 0, 50, 50);
  Forget();
  devinput::StylusDown(5, 5);
  devinput::StylusUp(5, 5);
  PostMessageW(top, WM_TIMER, 7, 0);
  EXPECT_EQ(devinput::PendingInput(), 2u);
  devtest::PumpMessages();
  EXPECT_EQ(Messages(), (std::vector<UINT>{WM_TIMER, WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

TEST_F(Input, AFiftyMillisecondTimerFiresTwentyTimesInOneSecondOfVirtualTime) {
  HWND top = Top(0, 0, 50, 50);
  Forget();
  SetTimer(top, 9, 50, nullptr);
  devtest::AdvanceTimeAndPump(1000);
  int fired = 0;
  for (const RecordedMessage& s : recorded) fired += s.message == WM_TIMER && s.wParam == 9;
  EXPECT_EQ(fired, 20);
}

}  // namespace
