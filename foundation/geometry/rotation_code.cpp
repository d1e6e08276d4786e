// Rotation codes; see rotation_code.h.
#include "foundation/geometry/rotation_code.h"

uint8_t RotationFromVector(Point direction) {
  if (direction.x == -1) return kRotationHalfTurn;
  if (direction.x != 0) return kRotationNone;
  if (direction.y == 1) return kRotationQuarterTurnBack;
  return kRotationQuarterTurn;
}
