// Resolving and adding style lengths.
#include "layout/styles/style_length.h"

namespace {

int32_t Saturate(int64_t value) {
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

}  // namespace

int32_t ResolveStyleLength(StyleLength length, int32_t fontSize, int32_t reference) {
  const uint32_t unit = length & kStyleLengthUnitMask;
  const int64_t number = StyleLengthNumber(length);
  if (unit == kStyleLengthUnitMask) return 1;
  if (unit == kStyleLengthEm) return Saturate(number * fontSize);
  if (unit == kStyleLengthPercent) return Saturate(static_cast<int64_t>(reference) * number / 100);
  return static_cast<int32_t>(number);
}

StyleLength AddStyleLengths(StyleLength a, StyleLength b, int32_t factor) {
  const uint32_t unit = a & kStyleLengthUnitMask;
  if (unit == (b & kStyleLengthUnitMask)) {
    int64_t sum = static_cast<int64_t>(StyleLengthNumber(a)) + static_cast<int64_t>(factor) * StyleLengthNumber(b);
    // The number field holds 29 bits and the sign.
    if (sum > 0x0FFFFFFF) sum = 0x0FFFFFFF;
    if (sum < -0x10000000) sum = -0x10000000;
    return MakeStyleLength(static_cast<int32_t>(sum), unit);
  }
  return StyleLengthNumber(a) != 0 ? a : b;
}
