// A frameset's division of its length among percent, pixel, unit and
// relative frames, and the strips it gives them.
#include "layout/frames/frame_division.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Case {
  const char* name;
  std::vector<FrameSize> frames;
  int32_t total;
  std::vector<int32_t> lengths;
};

TEST(FrameDivision, SharesWhatTheFixedFramesLeave) {
  constexpr uint32_t P = kFrameSizePercent, X = kFrameSizePixels, U = kFrameSizeUnits, R = kFrameSizeRelative;
  const Case cases[] = {
      {"percent, one share, two shares", {{30, P}, {1, R}, {2, R}}, 300, {90, 70, 140}},
      {"rest to the last relative frame", {{100, X}, {1, R}, {1, R}}, 301, {100, 100, 101}},
      {"units of 7 pixels", {{3, U}, {1, R}}, 100, {21, 79}},
      {"relative values summing to 0", {{10, X}, {0, R}, {0, R}}, 50, {10, 0, 40}},
      {"no relative frames", {{50, P}, {20, X}}, 100, {50, 20}},
      {"fixed frames past the total", {{300, X}, {1, R}}, 100, {300, 0}},
      {"huge values cut, no overflow", {{0x7FFFFFFF, U}, {0x7FFFFFFF, P}, {0x7FFFFFFF, R}}, 1000,
       {0x7FFFFFFF, 0x7FFFFFFF, 0}},
      {"unknown kind", {{40, 9}, {1, R}}, 60, {0, 60}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<int32_t> lengths(c.frames.size(), -1);
    DivideFrameLengths(c.frames.data(), static_cast<uint32_t>(c.frames.size()), c.total, 7, lengths.data());
    EXPECT_EQ(lengths, c.lengths);
  }
}

TEST(FrameDivision, StripsFollowOneAnotherAcrossTheWholeOtherDimension) {
  const FrameSize frames[] = {{30, kFrameSizePercent}, {1, kFrameSizeRelative}, {2, kFrameSizeRelative}};
  Rect strips[3];
  DivideFrameset(Rect{5, 10, 200, 300}, true, frames, 3, 1, strips);
  EXPECT_EQ(strips[0], (Rect{5, 10, 200, 90}));
  EXPECT_EQ(strips[1], (Rect{5, 100, 200, 70}));
  EXPECT_EQ(strips[2], (Rect{5, 170, 200, 140}));
  DivideFrameset(Rect{5, 10, 300, 40}, false, frames, 3, 1, strips);
  EXPECT_EQ(strips[0], (Rect{5, 10, 90, 40}));
  EXPECT_EQ(strips[2], (Rect{165, 10, 140, 40}));
}

}  // namespace
