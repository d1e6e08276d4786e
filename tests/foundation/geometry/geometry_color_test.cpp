// Colour mixing and comparison, and the template keys of the geometry library.
#include <gtest/gtest.h>

#include <cstdint>

#include "foundation/geometry/geometry_color.h"
#include "foundation/geometry/geometry_template_key.h"

TEST(GeometryColor, InterpolateMixesChannelsByRatioOfFirst) {
  const uint32_t red = 0x0000FFu;
  const uint32_t blue = 0xFF0000u;
  struct Case {
    uint32_t c1, c2;
    int32_t a, b;
    uint32_t mixed;
  };
  const Case cases[] = {
      {red, blue, 4, 4, red},            // the first line of a gradient: exactly c1
      {red, blue, 0, 4, blue},
      {red, blue, 1, 4, 0xBF003Fu},      // red 255/4 = 63, blue 765/4 = 191
      {0x102030u, 0x102030u, 3, 7, 0x102030u},
      {0xFF000000u | red, blue, 4, 4, red},  // no colour flag does not leak into the mix
      {red, blue, 1, 0, red},            // a zero divisor gives the first colour
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InterpolateColor(c.c1, c.c2, c.a, c.b), c.mixed) << c.a << "/" << c.b;
  }
}

TEST(GeometryColor, CompareRgbGivesFirstDifference) {
  const uint8_t base[3] = {10, 20, 30};
  const struct {
    uint8_t other[3];
    int result;
  } cases[] = {{{10, 20, 30}, 0}, {{5, 99, 99}, 5}, {{10, 25, 0}, -5}, {{10, 20, 40}, -10}};
  for (const auto& c : cases) EXPECT_EQ(CompareRgb(base, c.other), c.result);
}

TEST(GeometryTemplateKey, WordOneIsIgnored) {
  const uint32_t a[5] = {1, 2, 3, 4, 5};
  const uint32_t b[5] = {1, 99, 3, 4, 5};
  const uint32_t c[5] = {1, 2, 3, 4, 6};
  EXPECT_TRUE(TemplateKeyEquals(a, b));
  EXPECT_FALSE(TemplateKeyDiffers(a, b));
  EXPECT_FALSE(TemplateKeyEquals(a, c));
  EXPECT_TRUE(TemplateKeyDiffers(a, c));
}
