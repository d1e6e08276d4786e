// Recognising a hold of the stylus.
#include "platform/controls/gesture.h"

#include <algorithm>
#include <cstdlib>

#include "platform/controls/control_support.h"
#include "platform/input/device_input.h"
#include "platform/input/virtual_keys.h"
#include "platform/shell/shell_calls.h"
#include "platform/threads/threads.h"
#include "platform/time/tick_count.h"
#include "platform/windows/message_queue.h"

namespace devcontrols {
namespace {

constexpr DWORD kStep = 25;

bool Within(POINT a, POINT b, int slop) { return std::abs(a.x - b.x) <= slop && std::abs(a.y - b.y) <= slop; }

}  // namespace

bool RecognizeHold(HWND window, POINT down) {
  if (!IsWindow(window)) return false;
  POINT downOnScreen = down;
  ClientToScreen(window, &downOnScreen);
  int slop = Scaled(kHoldSlop);
  DWORD start = GetTickCount();
  for (;;) {
    MSG msg{};
    if (PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_NOREMOVE)) {
      if (msg.message != WM_MOUSEMOVE) return false;
      POINT at = PointOf(msg.lParam);
      ClientToScreen(msg.hwnd, &at);
      if (!Within(at, downOnScreen, slop)) return false;
      PeekMessageW(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE);
      continue;
    }
    if (GetKeyState(VK_LBUTTON) >= 0) return false;
    DWORD held = GetTickCount() - start;
    if (held >= kHoldMilliseconds) return true;
    Sleep(std::min(kStep, kHoldMilliseconds - held));
  }
}

bool HoldRecognized(HWND window, POINT down) {
  SHRGINFO info{};
  info.cbSize = sizeof(SHRGINFO);
  info.hwndClient = window;
  info.ptDown.x = down.x;
  info.ptDown.y = down.y;
  info.dwFlags = SHRG_RETURNCMD;
  return devshell::SHRecognizeGesture(&info) == GN_CONTEXTMENU;
}

DWORD RecognizeGesture(const SHRGINFO& info) {
  POINT down{static_cast<int>(info.ptDown.x), static_cast<int>(info.ptDown.y)};
  if (!RecognizeHold(info.hwndClient, down)) return 0;
  if (info.dwFlags & SHRG_NOTIFYPARENT) {
    NMRGINFO notice{};
    notice.ptAction = down;
    notice.dwItemSpec = 0;
    NotifyParent(info.hwndClient, &notice.hdr, GN_CONTEXTMENU);
  }
  return GN_CONTEXTMENU;
}

}  // namespace devcontrols
