// The pair of transforms between a surface drawn in the text's orientation and
// the physical screen that shows it turned by a rotation code. Both the
// display manager's point and rectangle mapping and its rotated copy of the
// screen image follow these, so that a pixel drawn at surface (x, y) is the
// pixel a tap at its screen position maps back to.
//
// With W x H the surface's (logical) size, the screen-to-surface transform is
// the translation (0, 1 - W) for code 1, (1 - H, 0) for code 2 or
// (1 - W, 1 - H) for code 3, followed by the rotation of the code; the
// surface-to-screen transform is its inverse. On the surface's pixels:
//   code 1: surface (x, y) -> screen (y, W - 1 - x)
//   code 2: surface (x, y) -> screen (H - 1 - y, x)
//   code 3: surface (x, y) -> screen (W - 1 - x, H - 1 - y)
// Codes 0, 255 and unknown codes give the identity both ways.
#pragma once

#include <cstdint>

#include "foundation/geometry/transform.h"

void BuildOrientationTransforms(uint8_t rotation, int32_t logicalWidth, int32_t logicalHeight,
                                Transform* surfaceToScreen, Transform* screenToSurface);
