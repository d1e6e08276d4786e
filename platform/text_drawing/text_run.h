// Measuring and drawing one run of UTF-16 text in one face: the shared core
// of ExtTextOutW and DrawTextW.
//
// Advances are kept per UTF-16 unit: a character's advance goes to its first
// unit and the low half of a surrogate pair advances by 0, so widths and
// partial extents can be summed unit by unit.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/fonts/font_engine.h"
#include "platform/gdi/gdi_types.h"

struct DeviceContext;

namespace textdraw {

// The advance of each unit of text[0..count).
std::vector<int32_t> UnitAdvances(fonts::FontFace& face, const char16_t* text, int32_t count);
// The width of text[0..count): the sum of its advances (never negative).
int64_t RunWidth(fonts::FontFace& face, const char16_t* text, int32_t count);

struct RunStyle {
  COLORREF textColor = 0;
  // Fill the run's cells (its width by the font's height) first.
  bool opaque = false;
  COLORREF bkColor = 0;
  // In logical coordinates; null = only the DC's clip.
  const RECT* clip = nullptr;
  // A unit drawn with an underline of its own (the mnemonic of DrawTextW's
  // prefix processing); -1 = none.
  int32_t underlinedUnit = -1;
};

// Draws text whose cell's top-left is at logical (x, y); advances holds one
// entry per unit (UnitAdvances or the caller's spacing). The font's own
// underline and strike-out run under the whole run.
void DrawRun(DeviceContext* dc, fonts::FontFace& face, int32_t x, int32_t y, const char16_t* text, int32_t count,
             const int32_t* advances, const RunStyle& style);

}  // namespace textdraw
