// Size operations; see geometry_size.h.
#include "foundation/geometry/geometry_size.h"

#include "foundation/geometry/rotation_code.h"

namespace {

constexpr int32_t kMaximalExtent = 16384;

// a * b / c on the unsigned 32-bit views of the values, with the product kept
// in 64 bits so that it cannot wrap; a zero divisor gives 0.
int32_t ScaleUnsigned(int32_t a, int32_t b, int32_t c) {
  const uint64_t divisor = static_cast<uint32_t>(c);
  if (divisor == 0) return 0;
  const uint64_t product = uint64_t{static_cast<uint32_t>(a)} * static_cast<uint32_t>(b);
  return static_cast<int32_t>(static_cast<uint32_t>(product / divisor));
}

}  // namespace

void Size::SetMaximal() {
  width = kMaximalExtent;
  height = kMaximalExtent;
}

void Size::Swap() {
  const int32_t w = width;
  width = height;
  height = w;
}

void Size::SwapForRotation(uint8_t rotation) {
  if (IsQuarterTurn(rotation)) Swap();
}

void Size::FitWithin(const Size& limit, bool keepAspect) {
  const bool widthFits = width <= limit.width;
  const bool heightFits = height <= limit.height;
  if (widthFits && heightFits) return;
  if (!keepAspect) {
    if (!widthFits) width = limit.width;
    if (!heightFits) height = limit.height;
    return;
  }
  const int64_t tallness = int64_t{height} * limit.width;
  const int64_t limitTallness = int64_t{limit.height} * width;
  if (!heightFits && (widthFits || tallness >= limitTallness)) {
    width = ScaleUnsigned(limit.height, width, height);
    height = limit.height;
  } else {
    height = ScaleUnsigned(height, limit.width, width);
    width = limit.width;
  }
}
