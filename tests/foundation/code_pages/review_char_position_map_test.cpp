// The size of a character-position map for counts at the top of the 32-bit
// range: the rounding to 16 units must not wrap to a map of a few bytes.
#include <gtest/gtest.h>

#include <cstdint>

#include "foundation/code_pages/char_position_map.h"

TEST(ReviewCharPositionMap, SizeDoesNotWrapAtTheTopOfTheRange) {
  EXPECT_EQ(CharPositionMapSize(0), 344u);
  EXPECT_EQ(CharPositionMapSize(17), 352u);
  for (uint32_t n : {0xFFFFFFF1u, 0xFFFFFFFFu}) EXPECT_EQ(CharPositionMapSize(n), 0x40000000u + 344u) << n;
}
