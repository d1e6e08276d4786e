// Pictures from outside the project for the decoder's tests: a scratch
// folder, Debian's converters (ImageMagick's convert, netpbm) run as
// producers of GIF and BMP files, and Pillow (Debian's python3-pil under
// /usr/bin/python3) as the reference decoder that gives each file's first
// frame as RGB pixels; giflib's gif2rgb as a second reference for GIF
// streams that only some decoders accept. A missing tool makes the command
// fail, and the test with it: nothing is skipped.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace refpix {

using Bytes = std::vector<uint8_t>;

// A folder under the system's temporary folder, removed with its contents
// (kept when TESSALYN_KEEP_PICTURES is set).
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Runs a shell command; its exit status (-1 when it could not run). The
// command's output goes to `log` when given.
int Run(const std::string& command, std::string* log = nullptr);

bool ReadFile(const std::string& path, Bytes* out);
bool WriteFile(const std::string& path, const Bytes& bytes);
// A binary PPM (P6) of width x height RGB pixels.
bool WritePpm(const std::string& path, int width, int height, const Bytes& rgb);

struct RgbImage {
  int width = 0;
  int height = 0;
  Bytes rgb;  // width x height x 3, top row first
};

// Decodes the first frame of each file with Pillow, in one run of the
// interpreter. False (with the reason) when the interpreter, Pillow or a
// file fails.
bool ReferenceDecode(const std::vector<std::string>& files, std::vector<RgbImage>* out, std::string* error);

// Decodes a single-image GIF that fills its logical screen with giflib's
// gif2rgb (Debian giflib-tools): width x height x 3 bytes of RGB, top row
// first. False (with the reason) when the tool is missing or refuses the
// file.
bool GiflibDecode(const std::string& file, int width, int height, Bytes* rgb, std::string* error);

}  // namespace refpix
