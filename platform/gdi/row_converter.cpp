// Row conversion between bitmap formats.
#include "platform/gdi/row_converter.h"

#include <cstring>

#include "platform/gdi/pixel_ops.h"

namespace gdi_internal {

RowConverter::RowConverter(const BitmapObject& source, const BitmapObject& target, COLORREF sourceBk,
                           COLORREF targetText, COLORREF targetBk)
    : source_(source), target_(target) {
  std::memset(cacheKey_, 0xFF, sizeof cacheKey_);  // no 0x00RRGGBB value is all ones
  const bool sourceMono = source.format == PixelFormat::Mono1;
  const bool targetMono = target.format == PixelFormat::Mono1;
  if (sourceMono && targetMono) {
    mode_ = Mode::Identity;
  } else if (sourceMono) {
    mode_ = Mode::Table;
    table_[0] = ColourToRaw(target, targetText);
    table_[1] = ColourToRaw(target, targetBk);
  } else if (targetMono) {
    mode_ = Mode::ToMono;
    monoKey_ = ColourToRaw(source, sourceBk);
  } else if (source.format == target.format &&
             (source.format != PixelFormat::Indexed8 ||
              std::memcmp(source.palette, target.palette, sizeof source.palette) == 0)) {
    mode_ = Mode::Identity;
  } else if (source.format == PixelFormat::Indexed8) {
    mode_ = Mode::Table;
    for (int i = 0; i < 256; ++i) {
      const uint32_t rgb = i < source.paletteSize ? PaletteRgb(source.palette[i]) : 0;
      table_[i] = target.format == PixelFormat::Indexed8 ? Nearest(rgb) : RgbToRaw(target, rgb);
    }
  } else {
    mode_ = Mode::Generic;
  }
}

uint32_t RowConverter::Nearest(uint32_t rgb) {
  const uint32_t slot = (rgb ^ (rgb >> 10) ^ (rgb >> 20)) & (kCacheSize - 1);
  if (cacheKey_[slot] == rgb) return cacheValue_[slot];
  const int index = NearestPaletteIndex(target_.palette, target_.paletteSize, rgb);
  cacheKey_[slot] = rgb;
  cacheValue_[slot] = static_cast<uint8_t>(index);
  return static_cast<uint32_t>(index);
}

void RowConverter::Convert(uint32_t* values, int count) {
  switch (mode_) {
    case Mode::Identity: return;
    case Mode::Table:
      for (int i = 0; i < count; ++i) values[i] = table_[values[i] & 0xFF];
      return;
    case Mode::ToMono:
      for (int i = 0; i < count; ++i) values[i] = values[i] == monoKey_ ? 1 : 0;
      return;
    case Mode::Generic: break;
  }
  const PixelFormat from = source_.format, to = target_.format;
  if (from == PixelFormat::Rgb565 && (to == PixelFormat::Rgb32 || to == PixelFormat::Rgb24)) {
    for (int i = 0; i < count; ++i) values[i] = From565(values[i]);
  } else if ((from == PixelFormat::Rgb32 || from == PixelFormat::Rgb24) && to == PixelFormat::Rgb565) {
    for (int i = 0; i < count; ++i) values[i] = Rgb565(values[i]);
  } else if (to == PixelFormat::Indexed8) {
    for (int i = 0; i < count; ++i) values[i] = Nearest(RawToRgb(source_, values[i]));
  } else {
    for (int i = 0; i < count; ++i) values[i] = RgbToRaw(target_, RawToRgb(source_, values[i]));
  }
}

}  // namespace gdi_internal
