// Scroll bars drawn by the controls themselves.
#include "platform/controls/scroll_bar.h"

#include <algorithm>

#include "platform/controls/control_support.h"

namespace devcontrols {
namespace {

int ArrowHeight(const RECT& strip) {
  return std::min<int>(strip.right - strip.left, (strip.bottom - strip.top) / 3);
}

// The thumb's top and bottom within the track.
void Thumb(const RECT& strip, const ScrollRange& range, int* top, int* bottom) {
  int arrow = ArrowHeight(strip);
  int trackTop = strip.top + arrow, trackBottom = strip.bottom - arrow;
  int track = std::max(0, trackBottom - trackTop);
  int total = std::max(range.total, 1);
  int page = std::clamp(range.page, 1, total);
  int length = std::max(std::min(track, Scaled(8)), static_cast<int>(static_cast<long long>(track) * page / total));
  int movable = std::max(1, total - page);
  int travel = track - length;
  int position = std::clamp(range.position, 0, movable);
  *top = trackTop + static_cast<int>(static_cast<long long>(travel) * position / movable);
  *bottom = *top + length;
}

}  // namespace

RECT VerticalStrip(const RECT& client) {
  int width = GetSystemMetrics(SM_CXVSCROLL);
  return RECT{std::max(client.left, client.right - width), client.top, client.right, client.bottom};
}

void DrawVerticalScrollBar(HDC dc, const RECT& strip, const ScrollRange& range) {
  COLORREF frame = SysColour(COLOR_WINDOWFRAME);
  FillSolid(dc, strip, SysColour(COLOR_SCROLLBAR));
  FillSolid(dc, RECT{strip.left, strip.top, strip.left + 1, strip.bottom}, frame);
  int arrow = ArrowHeight(strip);
  RECT up{strip.left, strip.top, strip.right, strip.top + arrow};
  RECT down{strip.left, strip.bottom - arrow, strip.right, strip.bottom};
  bool scrollable = range.total > range.page;
  COLORREF ink = SysColour(scrollable ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  for (const RECT& cell : {up, down}) {
    FillSolid(dc, cell, SysColour(COLOR_BTNFACE));
    FrameSolid(dc, cell, frame);
  }
  DrawArrow(dc, up, Arrow::Up, ink);
  DrawArrow(dc, down, Arrow::Down, ink);
  if (!scrollable) return;
  int top = 0, bottom = 0;
  Thumb(strip, range, &top, &bottom);
  RECT thumb{strip.left, top, strip.right, bottom};
  FillSolid(dc, thumb, SysColour(COLOR_BTNFACE));
  FrameSolid(dc, thumb, frame);
}

ScrollHit HitVerticalScrollBar(const RECT& strip, const ScrollRange& range, POINT p) {
  if (!PtInRect(&strip, p)) return ScrollHit::None;
  int arrow = ArrowHeight(strip);
  if (p.y < strip.top + arrow) return ScrollHit::LineUp;
  if (p.y >= strip.bottom - arrow) return ScrollHit::LineDown;
  int top = 0, bottom = 0;
  Thumb(strip, range, &top, &bottom);
  if (p.y < top) return ScrollHit::PageUp;
  if (p.y >= bottom) return ScrollHit::PageDown;
  return ScrollHit::Thumb;
}

int ThumbPosition(const RECT& strip, const ScrollRange& range, int y) {
  int arrow = ArrowHeight(strip);
  int track = std::max(1, static_cast<int>(strip.bottom - strip.top) - 2 * arrow);
  int movable = std::max(0, range.total - range.page);
  int position = static_cast<int>(static_cast<long long>(y - strip.top - arrow) * range.total / track);
  return std::clamp(position, 0, movable);
}

}  // namespace devcontrols
