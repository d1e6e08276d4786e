// The output format the player falls back to when the wave device refuses
// a source's own: the best rate the device announces (its dwFormats bits),
// stereo kept where the device takes it, else mono.
#pragma once

#include <cstdint>

// For a source of `sourceChannels` at `sourceRate`: true with the output
// rate and channel count, false when the device announces nothing usable
// (a mono source is never widened to stereo).
bool ChooseDeviceRate(uint32_t formats, uint32_t sourceRate, uint32_t sourceChannels, uint32_t* rate,
                      uint32_t* channels);
