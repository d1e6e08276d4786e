// Colour helpers; see geometry_color.h.
#include "foundation/geometry/geometry_color.h"

uint32_t InterpolateColor(uint32_t c1, uint32_t c2, int32_t a, int32_t b) {
  if (b == 0) return c1;
  uint32_t mixed = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int64_t first = (c1 >> shift) & 0xFFu;
    const int64_t second = (c2 >> shift) & 0xFFu;
    const int64_t channel = (first * a + second * (int64_t{b} - a)) / b;
    mixed |= (static_cast<uint32_t>(channel) & 0xFFu) << shift;
  }
  return mixed;
}

int CompareRgb(const uint8_t* p, const uint8_t* q) {
  for (int i = 0; i < 3; ++i) {
    if (p[i] != q[i]) return int{p[i]} - int{q[i]};
  }
  return 0;
}
