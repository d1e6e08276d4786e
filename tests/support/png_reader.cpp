// PNG reading through libpng's simplified interface.
#include "tests/support/png_reader.h"

#include <png.h>

#include <cstring>

namespace testpng {

bool ReadPngRgb(const std::string& path, Picture* out) {
  png_image image;
  std::memset(&image, 0, sizeof(image));
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  out->width = static_cast<int>(image.width);
  out->height = static_cast<int>(image.height);
  out->pixels.resize(static_cast<size_t>(out->width) * static_cast<size_t>(out->height));
  for (size_t i = 0; i < out->pixels.size(); ++i)
    out->pixels[i] = (uint32_t{rgb[3 * i]} << 16) | (uint32_t{rgb[3 * i + 1]} << 8) | rgb[3 * i + 2];
  return true;
}

}  // namespace testpng
