// A fixture for the control tests: a fresh device (32 bits per pixel, the
// built-in font), the controls registered, and a shown parent window that
// writes down every WM_COMMAND and WM_NOTIFY its controls send, in order,
// and answers the notifications a test scripts.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/controls/control_classes.h"
#include "platform/controls/notifications.h"
#include "platform/testing/gdi.h"
#include "platform/testing/input.h"
#include "platform/testing/profile.h"
#include "platform/testing/reset.h"
#include "platform/testing/windows.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/painting.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"

namespace controltest {

// One notification as the parent got it: WM_COMMAND's code, or WM_NOTIFY's.
struct Notice {
  UINT message;  // WM_COMMAND or WM_NOTIFY
  int id;
  UINT code;
  HWND from;
  bool operator==(const Notice& o) const {
    return message == o.message && id == o.id && code == o.code && from == o.from;
  }
};

class ControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    devtest::ResetDevice();
    devtest::DeviceProfile profile;
    profile.bitsPerPixel = 32;
    devtest::SetProfile(profile);
    InitCommonControls();
    current_ = this;
    WNDCLASSW wc{};
    wc.lpfnWndProc = ParentProc;
    wc.lpszClassName = u"ControlParent";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(5 + 1));  // COLOR_WINDOW + 1
    ASSERT_NE(RegisterClassW(&wc), 0);
    parent = CreateWindowExW(0, u"ControlParent", u"", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    devtest::PumpMessages();
  }
  void TearDown() override {
    if (IsWindow(parent)) DestroyWindow(parent);
    current_ = nullptr;
    devtest::ResetDevice();
  }

  HWND Make(const char16_t* className, DWORD style, int x, int y, int w, int h, int id,
            const char16_t* text = u"") {
    HWND control = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                   reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
    devtest::PumpMessages();
    return control;
  }

  // The codes the parent got, in order (optionally those of one message).
  std::vector<UINT> Codes(UINT message = 0) const {
    std::vector<UINT> out;
    for (const Notice& n : notices)
      if (message == 0 || n.message == message) out.push_back(n.code);
    return out;
  }
  // The codes without custom draw and focus chatter.
  std::vector<UINT> Actions() const {
    std::vector<UINT> out;
    for (const Notice& n : notices)
      if (n.code != NM_CUSTOMDRAW) out.push_back(n.code);
    return out;
  }

  // Called for each WM_NOTIFY after it is written down; its answer is the
  // parent's answer.
  std::function<LRESULT(NMHDR*)> onNotify;
  std::function<LRESULT(WPARAM, LPARAM)> onCommand;
  std::function<LRESULT(UINT, WPARAM, LPARAM, bool*)> onOther;
  std::vector<Notice> notices;
  HWND parent = nullptr;

 private:
  static LRESULT ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlTest* self = current_;
    if (self && message == WM_COMMAND) {
      self->notices.push_back({WM_COMMAND, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
      if (self->onCommand) return self->onCommand(wParam, lParam);
      return 0;
    }
    if (self && message == WM_NOTIFY) {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      self->notices.push_back({WM_NOTIFY, static_cast<int>(header->idFrom), header->code, header->hwndFrom});
      if (self->onNotify) return self->onNotify(header);
      return 0;
    }
    if (self && self->onOther) {
      bool handled = false;
      LRESULT answer = self->onOther(message, wParam, lParam, &handled);
      if (handled) return answer;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
  static inline ControlTest* current_ = nullptr;
};

// The text of a window, as UTF-16.
inline std::u16string TextOf(HWND window) {
  std::u16string text(static_cast<size_t>(GetWindowTextLengthW(window)), u'\0');
  if (!text.empty()) GetWindowTextW(window, text.data(), static_cast<int>(text.size()) + 1);
  return text;
}

// The centre of a control on the screen.
inline POINT CentreOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace controltest
