// The PNG writer over libpng.
#include "platform/image/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace image {

namespace {

struct Output {
  FILE* file;
  bool failed;
  std::jmp_buf jump;
};

void OnError(png_structp png, png_const_charp) {
  auto* output = static_cast<Output*>(png_get_error_ptr(png));
  std::longjmp(output->jump, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void OnWrite(png_structp png, png_bytep data, size_t length) {
  auto* output = static_cast<Output*>(png_get_error_ptr(png));
  if (std::fwrite(data, 1, length, output->file) != length) output->failed = true;
}

void OnFlush(png_structp) {}

// libpng reports errors by long jumps: this function holds no object with
// a destructor, so the jump skips nothing.
bool Encode(Output* output, const uint8_t* rows, int width, int height) {
  png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, output, OnError, OnWarning);
  if (!writer) return false;
  png_infop info = png_create_info_struct(writer);
  if (!info) {
    png_destroy_write_struct(&writer, nullptr);
    return false;
  }
  if (setjmp(output->jump)) {
    png_destroy_write_struct(&writer, &info);
    return false;
  }
  png_set_write_fn(writer, output, OnWrite, OnFlush);
  png_set_IHDR(writer, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(writer, info);
  for (int y = 0; y < height; ++y) png_write_row(writer, rows + static_cast<size_t>(y) * width * 3);
  png_write_end(writer, info);
  png_destroy_write_struct(&writer, &info);
  return !output->failed;
}

}  // namespace

bool WritePngRgb(const std::string& path, const uint32_t* pixels, int width, int height, int stride) {
  if (!pixels || width <= 0 || height <= 0 || stride < width) return false;
  std::vector<uint8_t> rows;
  try {
    rows.resize(static_cast<size_t>(width) * height * 3);
  } catch (...) {
    return false;
  }
  for (int y = 0; y < height; ++y) {
    const uint32_t* in = pixels + static_cast<size_t>(y) * stride;
    uint8_t* out = rows.data() + static_cast<size_t>(y) * width * 3;
    for (int x = 0; x < width; ++x) {
      out[3 * x] = static_cast<uint8_t>(in[x] >> 16);
      out[3 * x + 1] = static_cast<uint8_t>(in[x] >> 8);
      out[3 * x + 2] = static_cast<uint8_t>(in[x]);
    }
  }
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  Output output{file, false, {}};
  bool ok = Encode(&output, rows.data(), width, height);
  if (std::fclose(file) != 0) ok = false;
  if (!ok) std::remove(path.c_str());
  return ok;
}

}  // namespace image
