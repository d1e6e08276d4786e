// Writes pictures as PNG files (8-bit RGB) through libpng: screenshots of
// the device's screen, and pictures of bitmaps and DCs in tests.
#pragma once

#include <cstdint>
#include <string>

namespace image {

// `pixels`: `height` rows of `width` 0x00RRGGBB values, `stride` values
// from one row to the next. False on any failure (nothing usable is left
// at `path` then).
bool WritePngRgb(const std::string& path, const uint32_t* pixels, int width, int height, int stride);

}  // namespace image
