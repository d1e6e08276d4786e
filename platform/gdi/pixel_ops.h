// Pixels in a bitmap's own format ("raw" values: a palette index, a 5-6-5
// word, a 0x00RRGGBB word) and the conversions between them and colours.
// Raster operations work on raw values bit by bit, as the device's do, so
// R2_NOT on an 8-bit bitmap inverts the palette index and on a 16-bit one
// the 5-6-5 word.
#pragma once

#include <cstdint>

#include "platform/gdi/bitmap_object.h"

namespace gdi_internal {

// COLORREF (0x00BBGGRR) <-> 0x00RRGGBB.
inline uint32_t ColourToRgb(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
inline COLORREF RgbToColour(uint32_t rgb) { return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF); }

// The bits a raw value of the format has.
inline uint32_t RawMask(PixelFormat format) {
  switch (format) {
    case PixelFormat::Mono1: return 0x1;
    case PixelFormat::Indexed8: return 0xFF;
    case PixelFormat::Rgb555: return 0x7FFF;
    case PixelFormat::Rgb565: return 0xFFFF;
    case PixelFormat::Rgb24:
    case PixelFormat::Rgb32: return 0xFFFFFF;
  }
  return 0;
}

inline uint32_t Rgb565(uint32_t rgb) {
  return ((rgb >> 8) & 0xF800) | ((rgb >> 5) & 0x07E0) | ((rgb >> 3) & 0x001F);
}
inline uint32_t Rgb555(uint32_t rgb) {
  return ((rgb >> 9) & 0x7C00) | ((rgb >> 6) & 0x03E0) | ((rgb >> 3) & 0x001F);
}
// Channels widened by repeating their top bits, so white stays 0xFFFFFF.
inline uint32_t From565(uint32_t raw) {
  uint32_t r = (raw >> 11) & 0x1F, g = (raw >> 5) & 0x3F, b = raw & 0x1F;
  return (((r << 3) | (r >> 2)) << 16) | (((g << 2) | (g >> 4)) << 8) | ((b << 3) | (b >> 2));
}
inline uint32_t From555(uint32_t raw) {
  uint32_t r = (raw >> 10) & 0x1F, g = (raw >> 5) & 0x1F, b = raw & 0x1F;
  return (((r << 3) | (r >> 2)) << 16) | (((g << 3) | (g >> 2)) << 8) | ((b << 3) | (b >> 2));
}
inline uint32_t PaletteRgb(const RGBQUAD& q) {
  return (static_cast<uint32_t>(q.rgbRed) << 16) | (static_cast<uint32_t>(q.rgbGreen) << 8) | q.rgbBlue;
}

// The palette entry nearest to a colour (an exact match first).
int NearestPaletteIndex(const RGBQUAD* palette, int count, uint32_t rgb);

uint32_t RgbToRaw(const BitmapObject& bitmap, uint32_t rgb);
inline uint32_t ColourToRaw(const BitmapObject& bitmap, COLORREF colour) {
  return RgbToRaw(bitmap, ColourToRgb(colour));
}
inline uint32_t RawToRgb(const BitmapObject& bitmap, uint32_t raw) {
  switch (bitmap.format) {
    case PixelFormat::Rgb24:
    case PixelFormat::Rgb32: return raw & 0xFFFFFF;
    case PixelFormat::Rgb565: return From565(raw);
    case PixelFormat::Rgb555: return From555(raw);
    case PixelFormat::Mono1:
    case PixelFormat::Indexed8:
      return static_cast<int>(raw) < bitmap.paletteSize ? PaletteRgb(bitmap.palette[raw]) : 0;
  }
  return 0;
}

uint32_t ReadRaw(const BitmapObject& bitmap, int x, int y);
void WriteRaw(BitmapObject& bitmap, int x, int y, uint32_t raw);
// `count` raw values of row y from column x.
void ReadRow(const BitmapObject& bitmap, int x, int y, int count, uint32_t* out);
void WriteRow(BitmapObject& bitmap, int x, int y, int count, const uint32_t* in);

// The binary raster operation (R2_*) of pen and destination, bit by bit.
inline uint32_t ApplyRop2(int rop2, uint32_t pen, uint32_t dst) {
  switch (rop2) {
    case R2_COPYPEN: return pen;
    case R2_NOT: return ~dst;
    case R2_XORPEN: return pen ^ dst;
    case R2_NOTXORPEN: return ~(pen ^ dst);
    case R2_NOP: return dst;
    default: break;
  }
  const uint32_t table = static_cast<uint32_t>(rop2 - 1) & 0xF;
  uint32_t out = 0;
  if (table & 1) out |= ~pen & ~dst;
  if (table & 2) out |= ~pen & dst;
  if (table & 4) out |= pen & ~dst;
  if (table & 8) out |= pen & dst;
  return out;
}

// The ternary raster operation (byte 2 of a ROP code) of pattern, source
// and destination, bit by bit.
inline uint32_t ApplyRop3(uint32_t rop, uint32_t pat, uint32_t src, uint32_t dst) {
  switch (rop) {
    case 0xCC: return src;
    case 0xEE: return src | dst;
    case 0x88: return src & dst;
    case 0x66: return src ^ dst;
    case 0x44: return src & ~dst;
    case 0x33: return ~src;
    case 0x11: return ~(src | dst);
    case 0xC0: return pat & src;
    case 0xBB: return ~src | dst;
    case 0xF0: return pat;
    case 0x5A: return pat ^ dst;
    case 0x55: return ~dst;
    case 0xAA: return dst;
    case 0x00: return 0;
    case 0xFF: return ~0u;
    default: break;
  }
  uint32_t out = 0;
  for (uint32_t i = 0; i < 8; ++i) {
    if (!(rop & (1u << i))) continue;
    out |= ((i & 4) ? pat : ~pat) & ((i & 2) ? src : ~src) & ((i & 1) ? dst : ~dst);
  }
  return out;
}
inline bool Rop3UsesSource(uint32_t rop) { return ((rop >> 2) & 0x33) != (rop & 0x33); }
inline bool Rop3UsesPattern(uint32_t rop) { return ((rop >> 4) & 0x0F) != (rop & 0x0F); }
inline bool Rop3UsesDest(uint32_t rop) { return ((rop >> 1) & 0x55) != (rop & 0x55); }

// Fills columns [x0, x1) of row y with a raw value under a binary raster
// operation. The row loops for the common formats and operations.
void FillSpan(BitmapObject& bitmap, int y, int x0, int x1, uint32_t raw, int rop2);

}  // namespace gdi_internal
