// Making audio test data with sox and oggenc (see audio_fixtures.h).
#include "tests/support/audio_fixtures.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>

namespace audiofix {

int Run(const std::string& command) {
  int status = std::system(command.c_str());
  if (status == -1) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Folder() {
  static std::once_flag once;
  static std::string folder;
  std::call_once(once, [] {
#ifdef TESSALYN_AUDIO_FIXTURE_DIR
    // Shared by the test processes of one build: each file is made once.
    folder = TESSALYN_AUDIO_FIXTURE_DIR;
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
#else
    std::string base = std::filesystem::temp_directory_path().string() + "/tessalyn-audio-XXXXXX";
    std::vector<char> name(base.begin(), base.end());
    name.push_back('\0');
    if (::mkdtemp(name.data())) folder = name.data();
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(folder, ignored);
    });
#endif
  });
  return folder;
}

namespace {

// A name no other process uses, for a file made and then renamed in place.
std::string Unique(const std::string& path) { return path + "." + std::to_string(::getpid()) + ".part"; }

}  // namespace

std::string MakeOgg(const std::string& name, const std::string& format, const std::string& effects,
                    const std::string& oggencOptions) {
  std::string ogg = Folder() + "/" + name + ".ogg";
  if (std::filesystem::exists(ogg)) return ogg;
  std::string wav = Unique(Folder() + "/" + name) + ".wav";
  std::string tmp = Unique(ogg);
  // -R: sox's repeatable mode, so that the noise is the same file every run.
  bool made = Run("sox -R -n " + format + " -t wav '" + wav + "' " + effects + " 2>/dev/null") == 0 &&
              Run("oggenc -Q " + oggencOptions + " -o '" + tmp + "' '" + wav + "'") == 0;
  std::error_code ignored;
  std::filesystem::remove(wav, ignored);
  if (!made) return "";
  std::filesystem::rename(tmp, ogg);
  return ogg;
}

std::vector<uint8_t> OggdecRaw(const std::string& path) {
  std::string raw = path + ".raw";
  if (!std::filesystem::exists(raw)) {
    std::string tmp = Unique(raw);
    if (Run("oggdec -Q -R -o '" + tmp + "' '" + path + "'") != 0) return {};
    std::filesystem::rename(tmp, raw);
  }
  return ReadFile(raw);
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::vector<int16_t> Samples(const std::vector<uint8_t>& bytes) {
  std::vector<int16_t> out(bytes.size() / 2);
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<int16_t>(static_cast<uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8)));
  return out;
}

std::string Stereo44k() { return MakeOgg("stereo44k", "-r 44100 -c 2 -b 16", "synth 2.9 sine 440 sine 660"); }
std::string Stereo22k() { return MakeOgg("stereo22k", "-r 22050 -c 2 -b 16", "synth 2 sine 300 sine 500"); }
std::string Stereo32k() { return MakeOgg("stereo32k", "-r 32000 -c 2 -b 16", "synth 1.5 sine 700 sine 900"); }
std::string Mono8k() { return MakeOgg("mono8k", "-r 8000 -c 1 -b 16", "synth 1.5 sine 400"); }
std::string Mono11k() { return MakeOgg("mono11k", "-r 11025 -c 1 -b 16", "synth 2 sine 500"); }
std::string LoudSquare() { return MakeOgg("square", "-r 44100 -c 2 -b 16", "synth 2 square 220 gain -0.1"); }
std::string LongNoise() { return MakeOgg("noise60", "-r 44100 -c 2 -b 16", "synth 60 whitenoise", "-q 8"); }
std::string TwoTones22k() { return MakeOgg("twotones22k", "-r 22050 -c 2 -b 16", "synth 2 sine 440 sine 1000"); }

}  // namespace audiofix
