// WideTables: the scroll marks beside a table's viewport, the red frame of a
// selected table, and the live scroll of a drag.
#include <algorithm>
#include <cstdlib>

#include "layout/drawing/drawing_surface.h"
#include "layout/widetables/wide_tables.h"

namespace {
constexpr Color kSelectedFrame = Color::FromRgb(255, 0, 0);
}

void WideTables::PaintMarkColumn(DrawingSurface* surface, const Rect& rect, ScrollMarkPicture* picture, int32_t n) {
  if (picture == nullptr || n <= 0) return;
  const Size size = picture->GetSize();
  if (size.height <= 0) return;
  const int32_t x = rect.x + (rect.width - size.width) / 2;
  int32_t copies = std::min(n, rect.height / size.height);
  if (copies <= 0) {
    // Taller than the column: one copy squeezed to its height, at the top.
    picture->Draw(surface, Rect{x, rect.y, size.width, rect.height});
    return;
  }
  if (copies == 1) {
    picture->Draw(surface, Rect{x, rect.y + (rect.height - size.height) / 2, size.width, size.height});
    return;
  }
  const int32_t gap = (rect.height - size.height * copies) / (copies - 1);
  int32_t y = rect.y;
  for (int32_t i = 0; i < copies; ++i, y += size.height + gap) {
    picture->Draw(surface, Rect{x, y, size.width, size.height});
  }
}

void WideTables::PaintTableScrollMarks(DrawingSurface* surface, const Rect& box, const Rect& /*viewport*/,
                                       const WideTableState& state, const Rect* clip) {
  Rect viewport, tableMark, left, right;
  if (!GetTableScrollRects(box, &viewport, &tableMark, &left, &right)) return;
  if (state.selected) {
    surface->SetPenColor(kSelectedFrame);
    surface->DrawRect(tableMark, false);
  }
  Rect grown{tableMark.x + 1, tableMark.y + 1, tableMark.width - 2, tableMark.height - 2};
  if (!grown.IsEmpty()) tableMark_->Draw(surface, grown);
  if (state.offsetX > 0 && (clip == nullptr || Rect::Intersects(left, *clip))) {
    PaintMarkColumn(surface, left, leftMark_, kMarkCopies);
  }
  if (state.offsetX < state.maxX && (clip == nullptr || Rect::Intersects(right, *clip))) {
    PaintMarkColumn(surface, right, rightMark_, kMarkCopies);
  }
}

void WideTables::DrawSelectionFrame(DrawingSurface* surface, const WideTableState& state) {
  Rect viewport, tableMark, left, right;
  if (!GetTableScrollRects(state.box, &viewport, &tableMark, &left, &right)) return;
  surface->SetPenColor(state.selected ? kSelectedFrame : pageBackground_);
  surface->DrawRect(tableMark, false);
}

void WideTables::ToggleTableSelection(int64_t position, DrawingSurface* surface) {
  if (states_->count == 0) return;
  const uint8_t all = At(0)->selected ? 0 : 1;
  if (surface != nullptr) surface->BeginDraw(false);
  for (uint32_t i = 0; i < states_->count; ++i) {
    WideTableState* state = At(i);
    uint8_t wanted = state->selected;
    if (position < 0) {
      wanted = all;
    } else if (state->position == static_cast<uint64_t>(position)) {
      wanted = state->selected ? 0 : 1;
    }
    if (wanted == state->selected) continue;
    state->selected = wanted;
    if (surface != nullptr) DrawSelectionFrame(surface, *state);
  }
  if (surface != nullptr) surface->EndDraw();
}

bool WideTables::ScrollTables(Point delta, bool live, Rect* out, int64_t which, DrawingSurface* surface) {
  if (out != nullptr) *out = Rect{};
  if (!HasPictures()) return false;
  if (which == kSelectedOrAll) {
    which = kAllSelected - 1;  // all tables, unless one is selected
    for (uint32_t i = 0; i < states_->count; ++i) {
      if (At(i)->selected) which = kAllSelected;
    }
  }
  bool changed = false;
  const bool drawing = live && surface != nullptr;
  if (drawing) surface->BeginDraw(false);
  for (uint32_t i = 0; i < states_->count; ++i) {
    WideTableState* state = At(i);
    const bool concerned = which == kAllSelected ? state->selected != 0
                           : which < kAllSelected ? true
                                                  : state->position == static_cast<uint64_t>(which);
    if (!concerned) continue;
    const Point change = ClampScroll(*state, delta, true);
    if (change.x == 0 && change.y == 0) continue;
    changed = true;
    state->offsetX += change.x;
    state->offsetY += change.y;
    Rect viewport;
    GetTableViewport(state->box, &viewport);
    if (out != nullptr) out->Union(viewport);
    if (!drawing) continue;
    surface->ScrollRect(viewport, Point{-change.x, -change.y});
    surface->SetBackgroundColor(state->background.IsNone() ? pageBackground_ : state->background);
    if (change.x != 0) {
      const int32_t w = std::min(std::abs(change.x), viewport.width);
      surface->EraseRect(Rect{change.x > 0 ? viewport.x + viewport.width - w : viewport.x, viewport.y, w,
                              viewport.height});
    }
    if (change.y != 0) {
      const int32_t h = std::min(std::abs(change.y), viewport.height);
      surface->EraseRect(Rect{viewport.x, change.y > 0 ? viewport.y + viewport.height - h : viewport.y,
                              viewport.width, h});
    }
  }
  if (drawing) {
    surface->OnChildrenRedrawn();
    surface->EndDraw();
  }
  return changed;
}
