// How a frameset divides its rectangle among its frames, in rows (stacked
// vertically) or columns. Frames sized in percent, pixels or units take
// their length first; what is left is shared among the relative frames in
// proportion to their values, the rounding rest going to the last of them.
// Each frame gets a strip beginning where the previous one ended and
// spanning the whole other dimension.
#pragma once

#include <cstdint>

#include "foundation/geometry/rect.h"

enum FrameSizeKind : uint32_t {
  kFrameSizePercent = 0,
  kFrameSizePixels = 1,
  kFrameSizeUnits = 2,  // value x the frameset's unit in pixels
  kFrameSizeRelative = 3,
};

struct FrameSize {
  int32_t value = 0;
  uint32_t kind = kFrameSizeRelative;
};

// The length of each frame along the divided dimension of `total` pixels.
// Lengths computed from a frame's value are cut to the 32-bit range; when
// the fixed frames take more than the total, relative frames get 0; when
// the relative values sum to 0 (or less) the whole rest goes to the last
// relative frame. A frame of an unknown kind gets 0.
void DivideFrameLengths(const FrameSize* frames, uint32_t count, int32_t total, int32_t unit, int32_t* lengths);

// The strips of `rect` for the frames, in order.
void DivideFrameset(const Rect& rect, bool rows, const FrameSize* frames, uint32_t count, int32_t unit,
                    Rect* strips);
