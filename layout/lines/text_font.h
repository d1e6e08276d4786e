// TextFont: sets the drawing surface's font from a text style: the style's
// size step added to the base font size, its flag bits, and its face (0:
// the context's default font).
#pragma once

#include <cstdint>

#include "layout/styles/text_style.h"

class DrawingSurface;

struct TextFont {
  DrawingSurface* surface = nullptr;
  int32_t baseSize = 12;  // pixels, at least 1
  uint8_t defaultFont = 1;

  void Apply(const TextStyle& style) const;
  // The font size lengths are resolved against: base size plus the step.
  int32_t SizeFor(const TextStyle& style) const;
};
