// Turns rows of a source bitmap's raw pixels into raw pixels of a target
// format: the colour conversion of every blit. Built once per blit, it
// picks the cheapest way for the pair of formats (none for equal formats
// and palettes, a table for palettised and monochrome sources, a cache of
// nearest-colour answers for palettised targets).
//
// Monochrome follows the device: a monochrome source's 0 bits take the
// target DC's text colour and its 1 bits the background colour; a colour
// source turns into 1 where it has the source DC's background colour and
// 0 elsewhere.
#pragma once

#include <cstdint>

#include "platform/gdi/bitmap_object.h"

namespace gdi_internal {

class RowConverter {
 public:
  RowConverter(const BitmapObject& source, const BitmapObject& target, COLORREF sourceBk, COLORREF targetText,
               COLORREF targetBk);
  // Whether source raw values are target raw values already.
  bool Identity() const { return mode_ == Mode::Identity; }
  // Converts `count` source raw values in place.
  void Convert(uint32_t* values, int count);

 private:
  enum class Mode { Identity, Table, ToMono, Generic };
  uint32_t Nearest(uint32_t rgb);

  const BitmapObject& source_;
  const BitmapObject& target_;
  Mode mode_ = Mode::Generic;
  uint32_t table_[256] = {};
  uint32_t monoKey_ = 0;
  // Direct-mapped cache of nearest palette entries for a palettised target.
  static constexpr int kCacheSize = 1024;
  uint32_t cacheKey_[kCacheSize];
  uint8_t cacheValue_[kCacheSize] = {};
};

}  // namespace gdi_internal
