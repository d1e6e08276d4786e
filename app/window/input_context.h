// InputContext: the per-control input-method context of text controls. The
// platform has no input methods to drive, so beyond keeping its window its
// operations do nothing and answer their first argument.
#pragma once

#include <cstdint>

#include "platform/types/window_handle.h"

class InputContext {
 public:
  void Init() {
    windowObject_ = nullptr;
    enabled_ = 0;
    composing_ = 0;
    window_ = nullptr;
    start_ = -1;
    end_ = -1;
  }
  void SetEnabled(bool enabled) { enabled_ = enabled ? 1 : 0; }
  void Attach(void* windowObject, HWND window) {
    windowObject_ = windowObject;
    window_ = window;
  }
  void SetWindow(HWND window) { window_ = window; }
  HWND window() const { return window_; }

 private:
  void* windowObject_ = nullptr;
  uint8_t enabled_ = 0;
  uint8_t composing_ = 0;
  HWND window_ = nullptr;
  int32_t start_ = -1;
  int32_t end_ = -1;
};
