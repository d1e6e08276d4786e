// Reads a PNG file (any colour type libpng can expand) into 0x00RRGGBB
// pixels, for tests that compare screens with committed golden pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testpng {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // rows top to bottom, 0x00RRGGBB
};

// False when the file is missing or not a PNG libpng can read.
bool ReadPngRgb(const std::string& path, Picture* out);

}  // namespace testpng
