// A plain top-level window for the application frame's tests.
#pragma once

#include "platform/windows/windows.h"

namespace apptest {

inline HWND MakeTestWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.lpszClassName = u"AppTestWindow";
  RegisterClassW(&wc);
  return CreateWindowExW(0, u"AppTestWindow", u"test", WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                         nullptr);
}

}  // namespace apptest
