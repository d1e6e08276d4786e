// FrameSetController: the application's maker of browser windows for link
// targets that name no window of the set. Given "_blank" or another name, it
// opens a window with the rectangle (the flag and the from-open word are
// passed through) and answers it; null when it cannot.
#pragma once

#include <cstdint>

#include "foundation/geometry/rect.h"
#include "foundation/wide_string/shared_wide_string.h"

class BrowserWindow;

class FrameSetController {
 public:
  virtual BrowserWindow* OpenTargetWindow(const SharedWideString& target, const Rect& rect, int32_t flag,
                                          int32_t fromOpen) = 0;

 protected:
  ~FrameSetController() = default;
};
