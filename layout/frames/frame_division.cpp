#include "layout/frames/frame_division.h"

namespace {

int32_t Clamp32(int64_t value) {
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

// The length of a frame that does not share: percent, pixels or units.
int64_t FixedLength(const FrameSize& frame, int32_t total, int32_t unit) {
  switch (frame.kind) {
    case kFrameSizePercent: return static_cast<int64_t>(total) * frame.value / 100;
    case kFrameSizePixels: return frame.value;
    case kFrameSizeUnits: return static_cast<int64_t>(frame.value) * unit;
    default: return 0;
  }
}

// Works out each frame's length and hands it to store(i, length).
template <typename Store>
void DivideLengths(const FrameSize* frames, uint32_t count, int32_t total, int32_t unit, Store store) {
  int64_t remaining = total;
  int64_t sum = 0;
  uint32_t lastRelative = count;
  for (uint32_t i = 0; i < count; ++i) {
    if (frames[i].kind == kFrameSizeRelative) {
      sum += frames[i].value;
      lastRelative = i;
    } else {
      remaining -= Clamp32(FixedLength(frames[i], total, unit));
    }
  }
  if (remaining < 0) remaining = 0;
  // With values summing to 0 nothing is shared out: the rest is everything.
  int64_t share = sum > 0 ? remaining / sum : 0;
  int64_t rest = remaining - share * (sum > 0 ? sum : 0);
  for (uint32_t i = 0; i < count; ++i) {
    int64_t length;
    if (frames[i].kind == kFrameSizeRelative) {
      length = share * frames[i].value;
      if (i == lastRelative) length += rest;
    } else {
      length = FixedLength(frames[i], total, unit);
    }
    store(i, Clamp32(length));
  }
}
}  // namespace

void DivideFrameLengths(const FrameSize* frames, uint32_t count, int32_t total, int32_t unit, int32_t* lengths) {
  DivideLengths(frames, count, total, unit, [lengths](uint32_t i, int32_t length) { lengths[i] = length; });
}

void DivideFrameset(const Rect& rect, bool rows, const FrameSize* frames, uint32_t count, int32_t unit,
                    Rect* strips) {
  int32_t start = rows ? rect.y : rect.x;
  DivideLengths(frames, count, rows ? rect.height : rect.width, unit, [&](uint32_t i, int32_t length) {
    strips[i] = rows ? Rect{rect.x, start, rect.width, length} : Rect{start, rect.y, length, rect.height};
    start = Clamp32(static_cast<int64_t>(start) + length);
  });
}
