// A point of screen geometry in device pixels, and the narrowing helper that
// the geometry types share: they do their sums in 64 bits, so that extreme
// values wrap like the device's 32-bit registers instead of overflowing, and
// store the low 32 bits.
#pragma once

#include <cstdint>

struct Point {
  int32_t x = 0;
  int32_t y = 0;
};

inline bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }

// The low 32 bits of a 64-bit intermediate (modular since C++20).
inline int32_t NarrowToInt32(int64_t v) { return static_cast<int32_t>(v); }
