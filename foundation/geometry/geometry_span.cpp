// Span operations; see geometry_span.h.
#include "foundation/geometry/geometry_span.h"

#include <algorithm>

#include "foundation/geometry/geometry_point.h"

void Span::Normalise(const Span& in, Span* out) {
  if (in.length >= 0) {
    *out = in;
    return;
  }
  const int64_t start = in.End();
  const int64_t length = -int64_t{in.length};
  out->start = NarrowToInt32(start);
  out->length = NarrowToInt32(length);
}

bool Span::Contains(int32_t v) const { return start <= v && v < End(); }

bool Span::ContainsSpan(const Span& inner, const Span& outer) {
  if (inner.length == 0) return true;
  return inner.start >= outer.start && inner.End() <= outer.End();
}

bool Span::Intersect(const Span& a, const Span& b, Span* out) {
  const int64_t start = std::max(a.start, b.start);
  const int64_t length = std::max<int64_t>(std::min(a.End(), b.End()) - start, 0);
  out->start = NarrowToInt32(start);
  out->length = NarrowToInt32(length);
  return length > 0;
}
