// The built-in deterministic font: the same metrics and the same pixels on
// every machine, from nothing but integer arithmetic over the glyph design of
// builtin_glyph_design.cpp. Tests use it so that layout and pixel results
// can be stated exactly.
//
// Metric model (all divisions are integer divisions, rounding down):
//   character height C and cell height H from the request's height h:
//     h < 0: C = -h, H = C + C / 8;
//     h > 0: H = h, C = H - H / 9;
//     h = 0: as h = -12 (C = 12, H = 13);
//     C is at most 1000 (a larger request is cut to it).
//   internal leading L = H - C; external leading 0.
//   design units become pixels rounded up: s(u) = (u * C + 8) / 9. The
//   design's nine rows span the character height below the internal
//   leading: design row r covers cell rows L + s(r) .. L + s(r + 1) - 1, and
//   design column c of a glyph columns s(c) .. s(c + 1) - 1 from its left.
//   ascent A = L + s(7) (the baseline lies at cell row A); descent
//   D = H - A = 2 * C / 9.
//   advance of a character whose design is w columns wide:
//     units = w + 1, or 6 for every narrow character of a fixed-pitch face
//     (the Mono family), or 9 for wide (CJK) characters in either;
//     advance = (units * C + 4) / 9, at least 1; plus 1 when bold.
//   bold: weight 600 or heavier; every dot is also drawn one pixel to the
//     right. Italic shears rows above the baseline right by
//     (A - 1 - row) / 4 pixels; neither changes any other metric.
//   tmAveCharWidth = advance of 'x'; tmMaxCharWidth = advance of a wide
//     character (C, plus 1 when bold); weight = the request's, 400 for 0.
//   underline: thickness T = max(1, C / 12), top row A + D / 3;
//   strike-out: thickness T, top row A - 5 * C / 18 - T / 2.
// Glyphs are solid (coverage 0 or 255) whatever quality is asked for.
#pragma once

#include "platform/fonts/font_engine.h"

namespace fonts {

// The cell and character heights the model gives for a request's height.
struct BuiltinSize {
  int32_t characterHeight;
  int32_t cellHeight;
};
BuiltinSize BuiltinSizeFor(int32_t requestedHeight);

}  // namespace fonts
