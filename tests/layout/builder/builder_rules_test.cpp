// The builder's rules: break types, tag handling (unknown tags never end
// the flow), clamped cell spans and placed object sizes.
#include "layout/builder/builder_rules.h"

#include <gtest/gtest.h>

#include "layout/markup/keyword_ids.h"

namespace {

TEST(BuilderRules, BreakTypes) {
  const int32_t expected[] = {-1, 2, 1, 0, 3, 4, 5, -1};
  for (int32_t v = 0; v < 8; ++v) EXPECT_EQ(BreakTypeFor(v, false), expected[v]) << v;
  EXPECT_EQ(BreakTypeFor(3, true), 2) << "inside a table class 3 is a line break";
}

TEST(BuilderRules, TagHandling) {
  EXPECT_EQ(HandlingOfTag(kMarkupHr), TagHandling::kRule);
  EXPECT_EQ(HandlingOfTag(kMarkupImg), TagHandling::kPicture);
  EXPECT_EQ(HandlingOfTag(kMarkupStyle), TagHandling::kSkipElement);
  EXPECT_EQ(HandlingOfTag(kMarkupForm), TagHandling::kForm);
  EXPECT_EQ(HandlingOfTag(kMarkupTextarea), TagHandling::kFormControl);
  EXPECT_EQ(HandlingOfTag(kMarkupDcTitle), TagHandling::kNothing);
  EXPECT_EQ(HandlingOfTag(kMarkupDcLanguage), TagHandling::kNothing) << "DC:LANGUAGE must not end the flow";
  EXPECT_EQ(HandlingOfTag(204), TagHandling::kNothing);
}

TEST(BuilderRules, CellSpansAreClamped) {
  EXPECT_EQ(ClampColumnSpan(false, 0), 1u);
  EXPECT_EQ(ClampColumnSpan(true, 0), 1u);
  EXPECT_EQ(ClampColumnSpan(true, 7), 7u);
  EXPECT_EQ(ClampColumnSpan(true, 0x0FFFFFFF), 1000u);
  EXPECT_EQ(ClampRowSpan(true, 0x0FFFFFFF), 65534u);
  EXPECT_EQ(ClampRowSpan(true, 3), 3u);
}

TEST(BuilderRules, PlacedObjectSizes) {
  struct Case {
    int32_t nw, nh;
    bool scalable, hasW;
    int32_t w;
    bool hasH;
    int32_t h;
    int32_t ew, eh;
  };
  const Case cases[] = {
      {100, 80, true, true, 50, false, 0, 50, 40},     // WIDTH=50 follows the aspect ratio
      {100, 80, true, true, 200, false, 0, 100, 80},   // never enlarged
      {100, 80, true, false, 0, true, 40, 50, 40},
      {100, 80, false, true, 50, false, 0, 50, 80},    // not scalable: height natural
      {0, 80, true, false, 0, true, 40, 0, 40},        // zero natural width: no ratio, no division
      {100, 0, true, true, 50, false, 0, 50, 0},       // zero natural height
      {0, 0, true, true, 0, true, 0, 0, 0},
      {0x7FFFFFFF, 0x7FFFFFFF, true, true, 0x7FFFFFF0, false, 0, 0x7FFFFFF0, 0x7FFFFFF0},  // 64-bit product
  };
  for (const Case& c : cases) {
    int32_t w = -1, h = -1;
    PlaceObjectSize(c.nw, c.nh, c.scalable, c.hasW, c.w, c.hasH, c.h, &w, &h);
    EXPECT_EQ(w, c.ew) << c.nw << "x" << c.nh;
    EXPECT_EQ(h, c.eh) << c.nw << "x" << c.nh;
  }
}

}  // namespace
