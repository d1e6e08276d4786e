// Colour helpers of the geometry library: a colour here is a 32-bit value
// 0x00BBGGRR (red in the low byte), the drawing surface's colour word.
#pragma once

#include <cstdint>

// Mixes two colours channel by channel, ratio a / b of the first:
// (c1 * a + c2 * (b - a)) / b, truncating toward zero. A zero b answers c1.
uint32_t InterpolateColor(uint32_t c1, uint32_t c2, int32_t a, int32_t b);

// Compares three bytes of red, green and blue: 0 when all are equal, else the
// first differing byte of p minus that of q.
int CompareRgb(const uint8_t* p, const uint8_t* q);
