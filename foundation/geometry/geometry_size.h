// A width and height in device pixels, with the shrink-to-fit rule that icons
// and pictures use.
#pragma once

#include <cstdint>

struct Size {
  int32_t width = 0;
  int32_t height = 0;

  // 16384 x 16384: larger than any screen.
  void SetMaximal();
  void Swap();
  // Swaps for the quarter turns (rotation codes 1 and 2).
  void SwapForRotation(uint8_t rotation);
  // Shrinks the size to the limit; nothing when it already fits. Without
  // keepAspect each dimension is limited on its own; with it the ratio is kept
  // (integer division, truncating).
  void FitWithin(const Size& limit, bool keepAspect);
};

inline bool operator==(const Size& a, const Size& b) { return a.width == b.width && a.height == b.height; }
