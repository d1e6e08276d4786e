// Writes 16-bit PCM as a RIFF WAVE file (the record sink's output).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio/wave_out.h"

namespace devaudio {

bool WriteWavFile(const std::string& path, const WAVEFORMATEX& format, const std::vector<uint8_t>& pcm);

}  // namespace devaudio
