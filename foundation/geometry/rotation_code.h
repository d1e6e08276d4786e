// The rotation codes with which the page is turned by quarter turns: the
// element tree works in the text's orientation, and only the display manager
// and the root surface know the screen's.
#pragma once

#include <cstdint>

#include "foundation/geometry/geometry_point.h"

// 0: upright. 255 is accepted as upright too (the orientation is unset).
constexpr uint8_t kRotationNone = 0;
// The quarter turn that maps (x, y) to (-y, x).
constexpr uint8_t kRotationQuarterTurn = 1;
// The quarter turn that maps (x, y) to (y, -x).
constexpr uint8_t kRotationQuarterTurnBack = 2;
// The half turn: (x, y) to (-x, -y).
constexpr uint8_t kRotationHalfTurn = 3;
constexpr uint8_t kRotationUnset = 255;

// Codes 1 and 2, the turns that swap width and height.
inline bool IsQuarterTurn(uint8_t rotation) {
  return rotation == kRotationQuarterTurn || rotation == kRotationQuarterTurnBack;
}

// The rotation code for a unit direction: x = -1 gives the half turn, any
// other non-zero x none, (0, 1) code 2 and anything else code 1.
uint8_t RotationFromVector(Point direction);
