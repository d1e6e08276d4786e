// What the display manager needs of the application around it: the
// platform's own display rotation, what the current view allows, the view's
// rectangle and page steps for automatic scrolling, the stored orientation
// preference, the colour depth and the error message. The application
// controller implements it; tests use a small fake.
#pragma once

#include <cstdint>

#include "foundation/geometry/rect.h"

class DisplayHost {
 public:
  // Whether the platform can turn the display itself.
  virtual bool CanRotateDisplay() = 0;
  // From the display's orientation, tries the next ones in the rotation
  // order (at most four); true at the first one accepted.
  virtual bool RotateToNextOrientation() = 0;
  // Asks the platform for the orientation; true when accepted.
  virtual bool SetDisplayOrientation(uint8_t code) = 0;
  // a: the view allows rotation; b: it allows it for this document;
  // c: rotation in software stays enabled.
  virtual void QueryViewCapabilities(bool* a, bool* b, bool* c) = 0;
  // The client rectangle the window's panes are arranged in.
  virtual void SetClientRect(const Rect& rect) = 0;
  // The preferences' orientation field.
  virtual void StoreOrientation(uint8_t code) = 0;
  // The screen's colour depth in bits per pixel.
  virtual int32_t ColorDepth() = 0;
  // The current document view's rectangle; false without a view.
  virtual bool GetViewRect(Rect* out) = 0;
  // Steps the view one page forward and shows it; false at the end or
  // without a view.
  virtual bool StepViewPage() = 0;
  // Shows, from the view's top, the line `offset` pixels down the page
  // the scroll had brought in.
  virtual void ScrollViewToLine(int32_t offset, int32_t step) = 0;
  // Shows an error message of the program's string table.
  virtual void ShowError(uint32_t stringId) = 0;

 protected:
  ~DisplayHost() = default;
};
