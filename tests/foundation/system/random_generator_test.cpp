// The xor-rotate generator: the mixing step, the stored state, and seeding
// from the device's tick count. Expected values were computed independently.
#include <gtest/gtest.h>

#include <cstdint>

#include "foundation/system/random_generator.h"
#include "platform/testing/clock.h"

TEST(RandomGenerator, MixStepValues) {
  const struct {
    uint32_t in, out;
  } cases[] = {{1, 0}, {0, 0x95A9u}, {0x12345678u, 0x54639379u}, {0xFFFFFFFFu, 0x95A9u}};
  for (const auto& c : cases) EXPECT_EQ(RandomMix(c.in), c.out) << std::hex << c.in;
}

TEST(RandomGenerator, SetStateIsNotMixedAndNextAdvancesAndStores) {
  RandomGenerator g;
  g.SetState(0x12345678u);
  EXPECT_EQ(g.State(), 0x12345678u);
  const uint32_t expected[] = {0x54639379u, 0x5791EDE8u, 0xEFA5B99Au};
  for (uint32_t e : expected) {
    EXPECT_EQ(g.Next(), e);
    EXPECT_EQ(g.State(), e);
  }
}

TEST(RandomGenerator, SeedsFromTickCountMixedOnce) {
  devtest::SetTickCount(0x12345678u);
  RandomGenerator g;
  EXPECT_EQ(g.State(), 0x54639379u);
  RandomGenerator same;
  EXPECT_EQ(same.Next(), g.Next());  // same tick, same sequence
  devtest::AdvanceClock(1);
  RandomGenerator later;
  EXPECT_EQ(later.State(), RandomMix(0x12345679u));
}
