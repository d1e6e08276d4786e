// Raw pixel access and span fills for every bitmap format.
#include "platform/gdi/pixel_ops.h"

#include <algorithm>
#include <cstring>

namespace gdi_internal {

int NearestPaletteIndex(const RGBQUAD* palette, int count, uint32_t rgb) {
  const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  int best = 0;
  int bestDistance = 0x7FFFFFFF;
  for (int i = 0; i < count; ++i) {
    const int dr = palette[i].rgbRed - r, dg = palette[i].rgbGreen - g, db = palette[i].rgbBlue - b;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
      if (distance == 0) break;
    }
  }
  return best;
}

uint32_t RgbToRaw(const BitmapObject& bitmap, uint32_t rgb) {
  switch (bitmap.format) {
    case PixelFormat::Rgb24:
    case PixelFormat::Rgb32: return rgb & 0xFFFFFF;
    case PixelFormat::Rgb565: return Rgb565(rgb);
    case PixelFormat::Rgb555: return Rgb555(rgb);
    case PixelFormat::Mono1:
    case PixelFormat::Indexed8:
      return static_cast<uint32_t>(NearestPaletteIndex(bitmap.palette, bitmap.paletteSize, rgb));
  }
  return 0;
}

uint32_t ReadRaw(const BitmapObject& bitmap, int x, int y) {
  const uint8_t* row = bitmap.Row(y);
  switch (bitmap.format) {
    case PixelFormat::Mono1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case PixelFormat::Indexed8: return row[x];
    case PixelFormat::Rgb555:
    case PixelFormat::Rgb565: return reinterpret_cast<const uint16_t*>(row)[x];
    case PixelFormat::Rgb24: {
      const uint8_t* p = row + 3 * x;
      return p[0] | (p[1] << 8) | (static_cast<uint32_t>(p[2]) << 16);
    }
    case PixelFormat::Rgb32: return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
  }
  return 0;
}

void WriteRaw(BitmapObject& bitmap, int x, int y, uint32_t raw) {
  uint8_t* row = bitmap.Row(y);
  switch (bitmap.format) {
    case PixelFormat::Mono1: {
      const uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
      if (raw & 1) row[x >> 3] |= bit;
      else row[x >> 3] &= static_cast<uint8_t>(~bit);
      return;
    }
    case PixelFormat::Indexed8: row[x] = static_cast<uint8_t>(raw); return;
    case PixelFormat::Rgb555:
    case PixelFormat::Rgb565: reinterpret_cast<uint16_t*>(row)[x] = static_cast<uint16_t>(raw); return;
    case PixelFormat::Rgb24: {
      uint8_t* p = row + 3 * x;
      p[0] = static_cast<uint8_t>(raw);
      p[1] = static_cast<uint8_t>(raw >> 8);
      p[2] = static_cast<uint8_t>(raw >> 16);
      return;
    }
    case PixelFormat::Rgb32: reinterpret_cast<uint32_t*>(row)[x] = raw & 0xFFFFFF; return;
  }
}

void ReadRow(const BitmapObject& bitmap, int x, int y, int count, uint32_t* out) {
  const uint8_t* row = bitmap.Row(y);
  switch (bitmap.format) {
    case PixelFormat::Indexed8:
      for (int i = 0; i < count; ++i) out[i] = row[x + i];
      return;
    case PixelFormat::Rgb555:
    case PixelFormat::Rgb565: {
      const uint16_t* p = reinterpret_cast<const uint16_t*>(row) + x;
      for (int i = 0; i < count; ++i) out[i] = p[i];
      return;
    }
    case PixelFormat::Rgb32: {
      const uint32_t* p = reinterpret_cast<const uint32_t*>(row) + x;
      for (int i = 0; i < count; ++i) out[i] = p[i] & 0xFFFFFF;
      return;
    }
    default:
      for (int i = 0; i < count; ++i) out[i] = ReadRaw(bitmap, x + i, y);
      return;
  }
}

void WriteRow(BitmapObject& bitmap, int x, int y, int count, const uint32_t* in) {
  uint8_t* row = bitmap.Row(y);
  switch (bitmap.format) {
    case PixelFormat::Indexed8:
      for (int i = 0; i < count; ++i) row[x + i] = static_cast<uint8_t>(in[i]);
      return;
    case PixelFormat::Rgb555:
    case PixelFormat::Rgb565: {
      uint16_t* p = reinterpret_cast<uint16_t*>(row) + x;
      for (int i = 0; i < count; ++i) p[i] = static_cast<uint16_t>(in[i]);
      return;
    }
    case PixelFormat::Rgb32: {
      uint32_t* p = reinterpret_cast<uint32_t*>(row) + x;
      for (int i = 0; i < count; ++i) p[i] = in[i] & 0xFFFFFF;
      return;
    }
    default:
      for (int i = 0; i < count; ++i) WriteRaw(bitmap, x + i, y, in[i]);
      return;
  }
}

namespace {

template <class T>
void FillTyped(T* p, int count, uint32_t raw, uint32_t mask, int rop2) {
  const T value = static_cast<T>(raw);
  switch (rop2) {
    case R2_COPYPEN: std::fill_n(p, count, value); return;
    case R2_NOP: return;
    case R2_NOT:
      for (int i = 0; i < count; ++i) p[i] = static_cast<T>(~p[i] & mask);
      return;
    case R2_XORPEN:
      for (int i = 0; i < count; ++i) p[i] = static_cast<T>(p[i] ^ value);
      return;
    default:
      for (int i = 0; i < count; ++i) p[i] = static_cast<T>(ApplyRop2(rop2, raw, p[i]) & mask);
      return;
  }
}

}  // namespace

void FillSpan(BitmapObject& bitmap, int y, int x0, int x1, uint32_t raw, int rop2) {
  if (x1 <= x0) return;
  const uint32_t mask = RawMask(bitmap.format);
  raw &= mask;
  uint8_t* row = bitmap.Row(y);
  const int count = x1 - x0;
  switch (bitmap.format) {
    case PixelFormat::Indexed8:
      if (rop2 == R2_COPYPEN) std::memset(row + x0, static_cast<int>(raw), count);
      else FillTyped(row + x0, count, raw, mask, rop2);
      return;
    case PixelFormat::Rgb555:
    case PixelFormat::Rgb565: FillTyped(reinterpret_cast<uint16_t*>(row) + x0, count, raw, mask, rop2); return;
    case PixelFormat::Rgb32: FillTyped(reinterpret_cast<uint32_t*>(row) + x0, count, raw, mask, rop2); return;
    default:
      for (int x = x0; x < x1; ++x) WriteRaw(bitmap, x, y, ApplyRop2(rop2, raw, ReadRaw(bitmap, x, y)) & mask);
      return;
  }
}

}  // namespace gdi_internal
