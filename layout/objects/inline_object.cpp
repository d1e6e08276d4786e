// InlineObject: the defaults of the interface.
#include "layout/objects/inline_object.h"

bool InlineObject::QueryPlacement(Size* size, bool* scalable, bool* secondFlag) {
  bool unusedScalable = false, unusedSecond = false;
  if (scalable == nullptr) scalable = &unusedScalable;
  if (secondFlag == nullptr) secondFlag = &unusedSecond;
  *size = Size{};
  *scalable = false;
  *secondFlag = false;
  return GetSize(size, scalable, secondFlag);
}
