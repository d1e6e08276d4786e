// Scratch folders, tool runs and the Pillow reference decoder (see
// reference_pixels.h).
#include "tests/support/reference_pixels.h"

#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace refpix {

namespace {

// Writes "<width> <height>\n" and the RGB bytes of the first frame beside
// each file, as <file>.rgb.
const char kReferenceScript[] =
    "import sys\n"
    "from PIL import Image\n"
    "for path in sys.argv[1:]:\n"
    "    image = Image.open(path)\n"
    "    image.seek(0)\n"
    "    rgb = image.convert('RGB')\n"
    "    with open(path + '.rgb', 'wb') as f:\n"
    "        f.write(b'%d %d\\n' % rgb.size)\n"
    "        f.write(rgb.tobytes())\n";

std::string Quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    if (c == '\'') out += "'\\''";
    else out += c;
  }
  return out + "'";
}

}  // namespace

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tessalyn-pictures-XXXXXX").string();
  if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  // TESSALYN_KEEP_PICTURES keeps the folder for a look at a failure.
  if (path_.empty() || getenv("TESSALYN_KEEP_PICTURES") != nullptr) return;
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

int Run(const std::string& command, std::string* log) {
  std::string full = command + " 2>&1";
  FILE* pipe = popen(full.c_str(), "r");
  if (pipe == nullptr) return -1;
  char buffer[512];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
    if (log != nullptr) log->append(buffer, n);
  int status = pclose(pipe);
  if (status == -1 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

bool ReadFile(const std::string& path, Bytes* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

bool WritePpm(const std::string& path, int width, int height, const Bytes& rgb) {
  std::string head = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
  Bytes bytes(head.begin(), head.end());
  bytes.insert(bytes.end(), rgb.begin(), rgb.end());
  return WriteFile(path, bytes);
}

bool ReferenceDecode(const std::vector<std::string>& files, std::vector<RgbImage>* out, std::string* error) {
  out->clear();
  if (files.empty()) return true;
  std::string script = std::filesystem::path(files[0]).parent_path().string() + "/reference_decode.py";
  if (!WriteFile(script, Bytes(kReferenceScript, kReferenceScript + sizeof kReferenceScript - 1))) {
    *error = "cannot write " + script;
    return false;
  }
  std::string command = "/usr/bin/python3 " + Quote(script);
  for (const std::string& f : files) command += " " + Quote(f);
  std::string log;
  if (Run(command, &log) != 0) {
    *error = "reference decoder failed (is python3-pil installed?): " + log;
    return false;
  }
  for (const std::string& f : files) {
    Bytes bytes;
    if (!ReadFile(f + ".rgb", &bytes)) {
      *error = "no reference pixels for " + f;
      return false;
    }
    RgbImage image;
    size_t newline = 0;
    while (newline < bytes.size() && bytes[newline] != '\n') ++newline;
    std::istringstream head(std::string(bytes.begin(), bytes.begin() + static_cast<long>(newline)));
    head >> image.width >> image.height;
    image.rgb.assign(bytes.begin() + static_cast<long>(newline) + 1, bytes.end());
    if (image.rgb.size() != static_cast<size_t>(image.width) * image.height * 3) {
      *error = "short reference pixels for " + f;
      return false;
    }
    out->push_back(std::move(image));
  }
  return true;
}

bool GiflibDecode(const std::string& file, int width, int height, Bytes* rgb, std::string* error) {
  const std::string out = file + ".giflib.rgb";
  std::string log;
  // -1: one file of RGB triples rather than one file per channel.
  if (Run("/usr/bin/gif2rgb -1 -o " + Quote(out) + " " + Quote(file), &log) != 0) {
    *error = "gif2rgb failed (is giflib-tools installed?): " + log;
    return false;
  }
  if (!ReadFile(out, rgb) || rgb->size() != static_cast<size_t>(width) * height * 3) {
    *error = "gif2rgb gave no or short pixels for " + file;
    return false;
  }
  return true;
}

}  // namespace refpix
