// Color: the drawing surface's colour word, 0x00BBGGRR (red in the low
// byte). kNoColor means no colour: a transparent pen, no fill, a
// transparent text background.
#pragma once

#include <cstdint>

struct Color {
  static constexpr uint32_t kNoColor = 0xFF000000u;
  // Inside the surface only: nothing applied to the device context yet.
  static constexpr uint32_t kUnapplied = 0xFE000000u;

  uint32_t value = kNoColor;

  static constexpr Color FromRgb(uint8_t r, uint8_t g, uint8_t b) {
    return Color{static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16)};
  }
  void ToRgb(uint8_t* r, uint8_t* g, uint8_t* b) const {
    *r = static_cast<uint8_t>(value);
    *g = static_cast<uint8_t>(value >> 8);
    *b = static_cast<uint8_t>(value >> 16);
  }
  void SetNone() { value = kNoColor; }
  bool IsNone() const { return value == kNoColor; }
};

inline bool operator==(Color a, Color b) { return a.value == b.value; }
