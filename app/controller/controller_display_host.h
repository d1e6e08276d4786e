// What the display manager of the main window asks of the application
// (DisplayHost), answered by the window's controller and, for the page
// steps of automatic scrolling, by its view: turning the display through
// the platform, whether the view allows rotation, the panes' rectangle, the
// stored orientation, the screen's colour depth and the error box.
#pragma once

#include <cstdint>

#include "layout/display/display_host.h"

class ApplicationController;

// The colour depths the display manager can draw for (8, 16, 24 and 32
// bits per pixel) pass; any other value gives 0.
uint32_t FilterColorDepth(uint32_t bitsPerPixel);

class ControllerDisplayHost final : public DisplayHost {
 public:
  explicit ControllerDisplayHost(ApplicationController* controller) : controller_(controller) {}

  bool CanRotateDisplay() override;
  bool RotateToNextOrientation() override;
  bool SetDisplayOrientation(uint8_t code) override;
  // All three true; all false while the view shows a page of its own
  // (view modes 2 and 3).
  void QueryViewCapabilities(bool* a, bool* b, bool* c) override;
  void SetClientRect(const Rect& rect) override;
  void StoreOrientation(uint8_t code) override;
  // The screen's depth through FilterColorDepth.
  int32_t ColorDepth() override;
  bool GetViewRect(Rect* out) override;
  bool StepViewPage() override;
  void ScrollViewToLine(int32_t offset, int32_t step) override;
  // An error box with the string's text.
  void ShowError(uint32_t stringId) override;

 private:
  ApplicationController* controller_;
};
