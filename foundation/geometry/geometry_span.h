// A one-dimensional span {start, length} covering start <= v < start + length,
// as the wide tables and the line layout measure columns and rows.
#pragma once

#include <cstdint>

struct Span {
  int32_t start = 0;
  int32_t length = 0;

  int64_t End() const { return int64_t{start} + length; }

  // A negative length becomes the same span starting at start + length.
  static void Normalise(const Span& in, Span* out);
  bool Contains(int32_t v) const;
  // True when inner is empty (length 0) or lies wholly inside outer.
  static bool ContainsSpan(const Span& inner, const Span& outer);
  // The overlap (length 0 when there is none); true when it is not empty.
  // out may be a or b.
  static bool Intersect(const Span& a, const Span& b, Span* out);
};

inline bool operator==(const Span& a, const Span& b) { return a.start == b.start && a.length == b.length; }
