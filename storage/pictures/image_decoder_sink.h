// ImageDecoderSink: where a picture decoder reports the bands of output rows
// it has written, so that a large picture shows on the screen while it is
// still decoding. The display manager implements it; the decoder only needs
// these three calls, so storage owns the interface and stays below the
// layout and drawing code.
#pragma once

#include "foundation/geometry/rect.h"

class ImageDecoderSink {
 public:
  // Adds the rectangle (null: the whole screen) to what must be copied to
  // the screen; fromPaint marks a call made on behalf of painting.
  virtual void InvalidateScreen(const Rect* rect, bool fromPaint) = 0;
  // Copies what was invalidated onto the screen.
  virtual void Redraw() = 0;
  // While automatic scrolling runs the decoder does not ask for a redraw:
  // the scrolling timer copies the screen itself.
  virtual bool IsAutoscrolling() const = 0;

 protected:
  ~ImageDecoderSink() = default;
};
