// The cursor (state and journal, never painted) and SHRecognizeGesture:
// a real hold in virtual time, a quick tap, a move away, and a scripted
// answer.
#include <gtest/gtest.h>

#include "platform/controls/cursor.h"
#include "platform/controls/gesture.h"
#include "platform/input/device_input.h"
#include "platform/shell/shell_calls.h"
#include "platform/time/tick_count.h"
#include "platform/testing/ui.h"
#include "tests/platform/controls/controls_fixture.h"

namespace {

using controltest::ControlTest;

class CursorAndGesture : public ControlTest {};

TEST_F(CursorAndGesture, TheWaitCursorIsStateAndNeverPainted) {
  InvalidateRect(parent, nullptr, TRUE);
  devtest::PumpMessages();
  uint32_t before = devtest::ScreenPixelRgb(120, 160);
  HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  ASSERT_NE(wait, nullptr);
  EXPECT_NE(wait, arrow);
  EXPECT_EQ(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(32650))), nullptr);
  EXPECT_EQ(devtest::CurrentCursorName(), "arrow");
  EXPECT_EQ(SetCursor(wait), arrow);
  EXPECT_EQ(GetCursor(), wait);
  EXPECT_TRUE(devcontrols::WaitCursorShown());
  InvalidateRect(parent, nullptr, TRUE);
  devtest::PumpMessages();
  EXPECT_EQ(devtest::ScreenPixelRgb(120, 160), before);
  EXPECT_EQ(SetCursor(arrow), wait);
  EXPECT_EQ(devtest::CursorJournal(), (std::vector<std::string>{"wait", "arrow"}));
}

// A window that asks for the gesture when the stylus goes down on it.
std::vector<DWORD> g_answers;
LRESULT AskingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN) {
    SHRGINFO info{sizeof(SHRGINFO), window, {static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))},
                  SHRG_RETURNCMD};
    g_answers.push_back(devshell::SHRecognizeGesture(&info));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(CursorAndGesture, ARealHoldIsRecognisedAndATapOrAMoveIsNot) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = AskingProc;
  wc.lpszClassName = u"Asking";
  ASSERT_NE(RegisterClassW(&wc), 0);
  HWND asking = CreateWindowExW(0, u"Asking", u"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, parent, nullptr, nullptr, nullptr);
  g_answers.clear();
  DWORD start = GetTickCount();
  devtest::TapAndHold(50, 50);
  EXPECT_GE(GetTickCount() - start, devcontrols::kHoldMilliseconds);
  devtest::Tap(50, 50);
  devtest::Drag({{50, 50}, {53, 52}, {80, 50}});  // a small move stays a hold candidate, a long one ends it
  EXPECT_EQ(g_answers, (std::vector<DWORD>{GN_CONTEXTMENU, 0, 0}));
  devtest::SetGestureAnswer(GN_CONTEXTMENU);
  devtest::Tap(50, 50);
  EXPECT_EQ(g_answers.back(), GN_CONTEXTMENU);
  DestroyWindow(asking);
}

}  // namespace
