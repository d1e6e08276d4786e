// The rate ladder (see device_rate_ladder.h).
#include "audio/player/device_rate_ladder.h"

namespace {

// The bits of one channel count for 11,025, 22,050 and 44,100 Hz.
struct RateBits {
  uint32_t low, middle, high;
};

uint32_t Climb(uint32_t formats, uint32_t sourceRate, const RateBits& bits) {
  if ((formats & bits.low) && sourceRate <= 11025) return 11025;
  if ((formats & bits.middle) && sourceRate <= 22050) return 22050;
  if (formats & bits.high) return 44100;
  if (formats & bits.middle) return 22050;
  if (formats & bits.low) return 11025;
  return 0;
}

}  // namespace

bool ChooseDeviceRate(uint32_t formats, uint32_t sourceRate, uint32_t sourceChannels, uint32_t* rate,
                      uint32_t* channels) {
  if (sourceChannels == 2) {
    if (uint32_t stereo = Climb(formats, sourceRate, {0x8, 0x80, 0x800})) {
      *rate = stereo;
      *channels = 2;
      return true;
    }
  }
  if (uint32_t mono = Climb(formats, sourceRate, {0x4, 0x40, 0x400})) {
    *rate = mono;
    *channels = 1;
    return true;
  }
  return false;
}
