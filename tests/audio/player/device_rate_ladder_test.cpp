// The fallback ladder of output rates, by the device's announced formats.
#include "audio/player/device_rate_ladder.h"

#include <gtest/gtest.h>

namespace {

TEST(DeviceRateLadder, ChoosesTheFirstRuleThatApplies) {
  struct Case {
    const char* name;
    uint32_t formats, rate, channels;
    bool chosen;
    uint32_t outRate, outChannels;
  };
  const Case cases[] = {
      {"22,050 stereo on a 44,100-stereo-only device", 0x800, 22050, 2, true, 44100, 2},
      {"32,000 stereo on 0x8 and 0x80: the fourth rule", 0x8 | 0x80, 32000, 2, true, 22050, 2},
      {"mono on a stereo-only device", 0x8 | 0x80 | 0x800, 22050, 1, false, 0, 0},
      {"8,000 stereo takes 11,025", 0x8 | 0x80 | 0x800, 8000, 2, true, 11025, 2},
      {"16,000 stereo takes 22,050", 0x8 | 0x80 | 0x800, 16000, 2, true, 22050, 2},
      {"48,000 stereo on 0x8 only", 0x8, 48000, 2, true, 11025, 2},
      {"stereo on a mono-only device is mixed down", 0x4 | 0x40, 44100, 2, true, 22050, 1},
      {"mono 11,025 on mono bits", 0x4 | 0x40 | 0x400, 11025, 1, true, 11025, 1},
      {"mono 32,000 on 0x400", 0x400, 32000, 1, true, 44100, 1},
      {"six channels take the mono ladder", 0x8 | 0x80 | 0x800 | 0x400, 44100, 6, true, 44100, 1},
      {"nothing announced", 0, 44100, 2, false, 0, 0},
      {"8-bit formats only", 0x1 | 0x2 | 0x10 | 0x20 | 0x100 | 0x200, 44100, 2, false, 0, 0},
  };
  for (const Case& c : cases) {
    uint32_t rate = 0, channels = 0;
    EXPECT_EQ(ChooseDeviceRate(c.formats, c.rate, c.channels, &rate, &channels), c.chosen) << c.name;
    if (c.chosen) {
      EXPECT_EQ(rate, c.outRate) << c.name;
      EXPECT_EQ(channels, c.outChannels) << c.name;
    }
  }
}

}  // namespace
