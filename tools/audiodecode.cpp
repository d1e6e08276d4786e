// audiodecode FILE [--rate R] [--channels C] [-o OUT]: writes the raw PCM
// (16-bit signed little-endian, interleaved) of an Ogg Vorbis file, decoded
// through the system's own Ogg source exactly as the player reads it (reads
// of 1,024 bytes) and, when a rate or a channel count is asked, through the
// resampling source. Output goes to OUT, or to standard output. A file that
// gives no track ends the program with exit status 1 and a message. Used to
// time the decoder as a whole process beside oggdec.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "audio/sources/ogg_vorbis_source.h"
#include "audio/sources/resampling_source.h"
#include "tests/support/file_document_stream.h"
#include "tools/command_line.h"

namespace {

constexpr char kUsage[] =
    "usage: audiodecode FILE [--rate R] [--channels C] [-o OUT]\n"
    "  R from 8000 to 48000 Hz, C 1 or 2 (a mono file stays mono)\n";

int Fail(const std::string& file, const char* why) {
  std::fprintf(stderr, "audiodecode: %s: %s\n", file.c_str(), why);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string input, output;
  unsigned long long rate = 0, channels = 0;
  for (int i = 1; i < argc; ++i)
    if (toolcli::IsHelp(argv[i])) return toolcli::ShowUsage(kUsage);
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    bool hasValue = i + 1 < argc && !toolcli::IsOption(argv[i + 1]);
    if (std::strcmp(arg, "--rate") == 0) {
      if (!hasValue || !toolcli::ParseNumber(argv[++i], 48000, &rate) || rate < 8000)
        return toolcli::UsageError(kUsage, "audiodecode", "--rate wants 8000 to 48000");
    } else if (std::strcmp(arg, "--channels") == 0) {
      if (!hasValue || !toolcli::ParseNumber(argv[++i], 2, &channels) || channels < 1)
        return toolcli::UsageError(kUsage, "audiodecode", "--channels wants 1 or 2");
    } else if (std::strcmp(arg, "-o") == 0) {
      if (!hasValue || !output.empty()) return toolcli::UsageError(kUsage, "audiodecode", "-o wants one file name");
      output = argv[++i];
    } else if (toolcli::IsOption(arg) || !input.empty()) {
      return toolcli::UsageError(kUsage);
    } else {
      input = arg;
    }
  }
  if (input.empty()) return toolcli::UsageError(kUsage);

  FileDocumentStream* stream = FileDocumentStream::Open(input);
  if (!stream) return Fail(input, "cannot open the file");
  AudioSource* source = new OggVorbisSource(stream);
  PcmFormat format;
  if (!source->GetPcmReader()->GetFormat(&format)) {
    source->Release();
    return Fail(input, "not an Ogg Vorbis file the decoder can open");
  }
  if (rate || channels) {
    PcmFormat wanted = format;
    if (rate) wanted.rate = static_cast<uint32_t>(rate);
    if (channels) wanted.channels = static_cast<uint32_t>(channels);
    auto* resampling = new ResamplingSource(source);
    source = resampling;
    if (!resampling->Configure(wanted)) {
      source->Release();
      return Fail(input, "cannot convert to that rate and channel count");
    }
  }
  FILE* out = stdout;
  std::unique_ptr<FILE, int (*)(FILE*)> file(nullptr, &std::fclose);
  if (!output.empty()) {
    file.reset(std::fopen(output.c_str(), "wb"));
    if (!file) {
      source->Release();
      return Fail(output, "cannot write the file");
    }
    out = file.get();
  }
  static uint8_t buffer[1024];
  bool wrote = true;
  for (;;) {
    uint32_t got = 0;
    if (!source->GetPcmReader()->Read(buffer, sizeof buffer, &got) || got == 0) break;
    if (std::fwrite(buffer, 1, got, out) != got) {
      wrote = false;
      break;
    }
  }
  source->Release();
  if (!wrote || std::fflush(out) != 0) return Fail(output.empty() ? "standard output" : output, "write failed");
  return 0;
}
