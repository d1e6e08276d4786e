// The scroll bars that controls draw inside their own client area (the
// device's controls show WS_VSCROLL as a strip along their right edge):
// the strip's place, its drawing and what a tap on it means.
#pragma once

#include "platform/types/gdi_handles.h"
#include "platform/types/geometry_types.h"

namespace devcontrols {

// What a range of `total` lines shows: `page` lines from `position`.
struct ScrollRange {
  int position = 0;
  int page = 1;
  int total = 0;
};

enum class ScrollHit { None, LineUp, LineDown, PageUp, PageDown, Thumb };

// The strip along the right edge of `client`, SM_CXVSCROLL wide.
RECT VerticalStrip(const RECT& client);
void DrawVerticalScrollBar(HDC dc, const RECT& strip, const ScrollRange& range);
ScrollHit HitVerticalScrollBar(const RECT& strip, const ScrollRange& range, POINT point);
// The position a thumb dragged to `y` stands for.
int ThumbPosition(const RECT& strip, const ScrollRange& range, int y);

}  // namespace devcontrols
