// One run of text: advances per unit, then background, glyphs and lines.
#include "platform/text_drawing/text_run.h"

#include <algorithm>
#include <limits>

#include "platform/gdi/device_context.h"

namespace textdraw {

std::vector<int32_t> UnitAdvances(fonts::FontFace& face, const char16_t* text, int32_t count) {
  std::vector<int32_t> advances(static_cast<size_t>(std::max(count, 0)), 0);
  int32_t i = 0;
  while (i < count) {
    int32_t start = i;
    char32_t ch = fonts::NextCharacter(text, count, &i);
    advances[static_cast<size_t>(start)] = face.Advance(ch);
  }
  return advances;
}

int64_t RunWidth(fonts::FontFace& face, const char16_t* text, int32_t count) {
  int64_t width = 0;
  int32_t i = 0;
  while (i < count) width += face.Advance(fonts::NextCharacter(text, count, &i));
  return width;
}

namespace {

int32_t Clamp32(int64_t v) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min() / 2, std::numeric_limits<int32_t>::max() / 2));
}

void FillLine(DeviceContext* dc, int32_t left, int32_t right, int32_t top, int32_t thickness, COLORREF colour,
              const RECT* clip) {
  if (right <= left || thickness <= 0) return;
  RECT line{left, top, right, top + thickness};
  DcFillSolid(dc, line, colour, clip);
}

}  // namespace

void DrawRun(DeviceContext* dc, fonts::FontFace& face, int32_t x, int32_t y, const char16_t* text, int32_t count,
             const int32_t* advances, const RunStyle& style) {
  const fonts::FontMetrics& m = face.Metrics();
  int64_t width = 0;
  for (int32_t i = 0; i < count; ++i) width += advances[i];
  int32_t right = Clamp32(x + width);
  if (style.opaque && right > x) {
    RECT cell{x, y, right, Clamp32(static_cast<int64_t>(y) + m.height)};
    DcFillSolid(dc, cell, style.bkColor, style.clip);
  }
  int64_t pen = x;
  int32_t i = 0;
  while (i < count) {
    int32_t start = i;
    char32_t ch = fonts::NextCharacter(text, count, &i);
    fonts::GlyphImage glyph;
    if (face.Glyph(ch, &glyph) && glyph.width > 0 && glyph.height > 0) {
      DcBlendCoverage(dc, Clamp32(pen + glyph.left), Clamp32(static_cast<int64_t>(y) + glyph.top), glyph.coverage,
                      glyph.width, glyph.height, glyph.width, style.textColor, style.clip);
    }
    int64_t advance = 0;
    for (int32_t u = start; u < i; ++u) advance += advances[u];
    if (start == style.underlinedUnit) {
      FillLine(dc, Clamp32(pen), Clamp32(pen + advance), y + m.underlineTop, m.underlineThickness, style.textColor,
               style.clip);
    }
    pen += advance;
  }
  if (m.underline) FillLine(dc, x, right, y + m.underlineTop, m.underlineThickness, style.textColor, style.clip);
  if (m.strikeOut) FillLine(dc, x, right, y + m.strikeOutTop, m.strikeOutThickness, style.textColor, style.clip);
}

}  // namespace textdraw
