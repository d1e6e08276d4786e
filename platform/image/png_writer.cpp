// The PNG writer over libpng, opened with dlopen at first use.
#include "platform/image/png_writer.h"

#include <dlfcn.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <mutex>
#include <vector>

namespace image {

namespace {

struct PngCalls {
  decltype(&png_create_write_struct) createWrite = nullptr;
  decltype(&png_create_info_struct) createInfo = nullptr;
  decltype(&png_destroy_write_struct) destroyWrite = nullptr;
  decltype(&png_set_write_fn) setWriteFn = nullptr;
  decltype(&png_set_IHDR) setHeader = nullptr;
  decltype(&png_write_info) writeInfo = nullptr;
  decltype(&png_write_row) writeRow = nullptr;
  decltype(&png_write_end) writeEnd = nullptr;
  decltype(&png_get_error_ptr) errorPointer = nullptr;
  bool loaded = false;
};

template <class F>
bool Bind(void* library, const char* name, F* slot) {
  *slot = reinterpret_cast<F>(dlsym(library, name));
  return *slot != nullptr;
}

const PngCalls& Calls() {
  static PngCalls calls;
  static std::once_flag once;
  std::call_once(once, [] {
    void* library = dlopen("libpng16.so.16", RTLD_NOW | RTLD_LOCAL);
    if (!library) return;
    calls.loaded = Bind(library, "png_create_write_struct", &calls.createWrite) &&
                   Bind(library, "png_create_info_struct", &calls.createInfo) &&
                   Bind(library, "png_destroy_write_struct", &calls.destroyWrite) &&
                   Bind(library, "png_set_write_fn", &calls.setWriteFn) &&
                   Bind(library, "png_set_IHDR", &calls.setHeader) &&
                   Bind(library, "png_write_info", &calls.writeInfo) &&
                   Bind(library, "png_write_row", &calls.writeRow) &&
                   Bind(library, "png_write_end", &calls.writeEnd) &&
                   Bind(library, "png_get_error_ptr", &calls.errorPointer);
  });
  return calls;
}

struct Output {
  FILE* file;
  bool failed;
  std::jmp_buf jump;
};

void OnError(png_structp png, png_const_charp) {
  auto* output = static_cast<Output*>(Calls().errorPointer(png));
  std::longjmp(output->jump, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void OnWrite(png_structp png, png_bytep data, size_t length) {
  auto* output = static_cast<Output*>(Calls().errorPointer(png));
  if (std::fwrite(data, 1, length, output->file) != length) output->failed = true;
}

void OnFlush(png_structp) {}

// libpng reports errors by long jumps: this function holds no object with
// a destructor, so the jump skips nothing.
bool Encode(const PngCalls& png, Output* output, const uint8_t* rows, int width, int height) {
  png_structp writer = png.createWrite(PNG_LIBPNG_VER_STRING, output, OnError, OnWarning);
  if (!writer) return false;
  png_infop info = png.createInfo(writer);
  if (!info) {
    png.destroyWrite(&writer, nullptr);
    return false;
  }
  if (setjmp(output->jump)) {
    png.destroyWrite(&writer, &info);
    return false;
  }
  png.setWriteFn(writer, output, OnWrite, OnFlush);
  png.setHeader(writer, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png.writeInfo(writer, info);
  for (int y = 0; y < height; ++y) png.writeRow(writer, rows + static_cast<size_t>(y) * width * 3);
  png.writeEnd(writer, info);
  png.destroyWrite(&writer, &info);
  return !output->failed;
}

}  // namespace

bool WritePngRgb(const std::string& path, const uint32_t* pixels, int width, int height, int stride) {
  if (!pixels || width <= 0 || height <= 0 || stride < width) return false;
  const PngCalls& png = Calls();
  if (!png.loaded) return false;
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
  bool ok = Encode(png, &output, rows.data(), width, height);
  if (std::fclose(file) != 0) ok = false;
  if (!ok) std::remove(path.c_str());
  return ok;
}

}  // namespace image
