// The 44-byte RIFF header, then the samples as they were played.
#include "platform/audio/wav_file.h"

#include <cstdio>
#include <memory>

namespace devaudio {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

bool WriteWavFile(const std::string& path, const WAVEFORMATEX& format, const std::vector<uint8_t>& pcm) {
  if (pcm.size() > 0xFFFFFFFFu - 36) return false;
  uint32_t dataBytes = static_cast<uint32_t>(pcm.size());
  std::vector<uint8_t> head;
  PutTag(head, "RIFF");
  Put32(head, 36 + dataBytes);
  PutTag(head, "WAVE");
  PutTag(head, "fmt ");
  Put32(head, 16);
  Put16(head, WAVE_FORMAT_PCM);
  Put16(head, format.nChannels);
  Put32(head, format.nSamplesPerSec);
  Put32(head, format.nAvgBytesPerSec);
  Put16(head, format.nBlockAlign);
  Put16(head, format.wBitsPerSample);
  PutTag(head, "data");
  Put32(head, dataBytes);
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) return false;
  if (std::fwrite(head.data(), 1, head.size(), file.get()) != head.size()) return false;
  if (!pcm.empty() && std::fwrite(pcm.data(), 1, pcm.size(), file.get()) != pcm.size()) return false;
  return std::fflush(file.get()) == 0;
}

}  // namespace devaudio
