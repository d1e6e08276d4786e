// PcmFormat: how a source's 16-bit PCM is laid out, as PcmReader::GetFormat
// answers it and as the resampler is configured with it.
#pragma once

#include <cstdint>

struct PcmFormat {
  uint32_t rate = 0;      // frames per second
  uint32_t channels = 0;  // samples per frame, interleaved
  bool isSigned = true;
  bool bigEndian = false;
  uint32_t bytesPerSample = 2;
};
