// Fuzz target: untrusted Ogg Vorbis files through the Ogg source as the
// player uses it (format, reads of 1,024 bytes, the duration, seeks) and
// through the resampling source to the device's 44,100 Hz stereo. Reads are
// capped, so that a file that decodes for ever would show as a slow input.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "audio/sources/ogg_vorbis_source.h"
#include "audio/sources/resampling_source.h"
#include "tests/support/file_document_stream.h"

namespace {

constexpr int kMaxReads = 4000;

void ReadSome(AudioSource* source, int reads) {
  uint8_t buffer[1024];
  for (int i = 0; i < reads; ++i) {
    uint32_t got = 0;
    bool ok = source->GetPcmReader()->Read(buffer, sizeof buffer, &got);
    if (got > sizeof buffer) __builtin_trap();
    if (!ok || got == 0) break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  std::vector<uint8_t> bytes(data, data + size);
  auto* source = new OggVorbisSource(new MemoryDocumentStream(bytes));
  PcmFormat format;
  bool hasFormat = source->GetFormat(&format);
  if (hasFormat && (format.channels == 0 || format.rate == 0)) __builtin_trap();
  int32_t duration = source->GetDuration();
  if (!hasFormat && duration != -1) __builtin_trap();
  ReadSome(source, kMaxReads);
  source->Seek(0);
  source->Seek(duration > 0 ? duration / 2 : 1);
  source->GetPosition();
  ReadSome(source, 16);
  source->Seek(duration + 1);

  source->AddRef();
  auto* resampling = new ResamplingSource(source);
  PcmFormat device;
  device.rate = 44100;
  device.channels = hasFormat && format.channels == 1 ? 1 : 2;
  if (resampling->Configure(device)) {
    resampling->Seek(0);
    ReadSome(resampling, kMaxReads / 4);
  }
  resampling->Release();
  source->Release();
  return 0;
}
