// Orientation transforms; see rotation_transform.h.
#include "foundation/geometry/rotation_transform.h"

#include "foundation/geometry/rotation_code.h"

void BuildOrientationTransforms(uint8_t rotation, int32_t logicalWidth, int32_t logicalHeight,
                                Transform* surfaceToScreen, Transform* screenToSurface) {
  const int32_t farX = NarrowToInt32(1 - int64_t{logicalWidth});
  const int32_t farY = NarrowToInt32(1 - int64_t{logicalHeight});
  Point offset;
  switch (rotation) {
    case kRotationQuarterTurn: offset = {0, farX}; break;
    case kRotationQuarterTurnBack: offset = {farY, 0}; break;
    case kRotationHalfTurn: offset = {farX, farY}; break;
    default:
      surfaceToScreen->SetIdentity();
      screenToSurface->SetIdentity();
      return;
  }
  Transform translation;
  translation.SetTranslation(offset);
  Transform turn;
  turn.SetRotation(rotation);
  Transform toSurface;
  Transform::Multiply(translation, turn, &toSurface);
  Transform toScreen;
  Transform::Invert(toSurface, &toScreen);
  *screenToSurface = toSurface;
  *surfaceToScreen = toScreen;
}
