// WideTables: viewports, mark rectangles, the tables' states and scrolling.
#include "layout/widetables/wide_tables.h"

#include <algorithm>
#include <cstdio>

#include "layout/selection/range_walker.h"

namespace {
constexpr int32_t kMinimumMarkHeight = 6;
}

WideTables::WideTables() { own_.SetGeometry(3); }

WideTables::~WideTables() = default;

void WideTables::SetPictures(ScrollMarkPicture* tableMark, ScrollMarkPicture* left, ScrollMarkPicture* right) {
  tableMark_ = tableMark;
  leftMark_ = left;
  rightMark_ = right;
}

void WideTables::SetPageGeometry(int32_t leftMargin, int32_t rightMargin, int32_t columns) {
  leftMargin_ = leftMargin;
  rightMargin_ = rightMargin;
  columns_ = columns;
}

Size InlineObjectMark::GetSize() const {
  Size size;
  bool scalable = false, second = false;
  if (object_ == nullptr || !object_->QueryPlacement(&size, &scalable, &second)) return Size{};
  return size;
}

void InlineObjectMark::Draw(DrawingSurface* surface, const Rect& rect) {
  if (object_ != nullptr) object_->Draw(surface, rect, nullptr);
}

bool WideTables::HasPictures() const { return tableMark_ != nullptr && leftMark_ != nullptr && rightMark_ != nullptr; }

// ---- Geometry

bool WideTables::GetTableViewport(const Rect& box, Rect* out) const {
  *out = box;
  if (!HasPictures()) return false;
  const int32_t w1 = tableMark_->GetSize().width;
  const int32_t w2 = leftMark_->GetSize().width;
  const int32_t leftRoom = std::max(std::max(w1, w2) - leftMargin_ + 2, 0);
  int32_t rightRoom = w2 - rightMargin_ + 2;
  if (columns_ == 1 && rightRoom < 0) rightRoom = 0;
  const int64_t width = static_cast<int64_t>(box.width) - rightRoom - leftRoom;
  *out = Rect{box.x + leftRoom, box.y, width > 0 ? static_cast<int32_t>(width) : 0, box.height};
  return true;
}

bool WideTables::GetTableScrollRects(const Rect& box, Rect* viewport, Rect* tableMark, Rect* left, Rect* right) const {
  *tableMark = *left = *right = Rect{};
  if (!GetTableViewport(box, viewport)) return false;
  const Size mark = tableMark_->GetSize();
  const int32_t w2 = leftMark_->GetSize().width;
  if (mark.width <= 0 || mark.height <= 0) {
    *tableMark = Rect{viewport->x - w2 - 2, viewport->y, 0, 0};
  } else {
    *tableMark = Rect{viewport->x - mark.width - 2, viewport->y, mark.width + 2, mark.height + 2};
  }
  const int32_t leftTop = tableMark->y + tableMark->height;
  *left = Rect{tableMark->x, leftTop, std::max(tableMark->width, w2 + 2),
               std::max(viewport->y + viewport->height - leftTop, kMinimumMarkHeight)};
  *right = Rect{viewport->x + viewport->width, viewport->y, w2 + 2, std::max(viewport->height, kMinimumMarkHeight)};
  return true;
}

bool WideTables::GetTableOffset(const Rect& box, uint32_t position, Rect* viewport, Point* offset) const {
  *offset = Point{};
  if (!GetTableViewport(box, viewport)) return false;
  for (uint32_t i = 0; i < states_->count; ++i) {
    const WideTableState& state = *states_->At(i);
    if (state.position != position) continue;
    const Point change = ClampScroll(state, Point{}, false);
    *offset = Point{viewport->x - box.x - (state.offsetX + change.x), viewport->y - box.y - (state.offsetY + change.y)};
    return true;
  }
  *offset = Point{viewport->x - box.x, viewport->y - box.y};
  return true;
}

// ---- States

WideTableState* WideTables::Find(uint32_t position) {
  for (uint32_t i = 0; i < states_->count; ++i) {
    if (At(i)->position == position) return At(i);
  }
  return nullptr;
}

WideTableState* WideTables::NoteTable(uint32_t position, const Rect& box, int32_t fullWidth, int32_t fullHeight,
                                      Color background) {
  if (!HasPictures() || !Scrolls(fullWidth, fullHeight, box)) return nullptr;
  WideTableState* state = Find(position);
  if (state == nullptr) {
    state = states_->AppendSlot();
    if (state == nullptr) return nullptr;
    *state = WideTableState{};
    state->position = position;
  }
  state->box = box;
  state->background = background;
  Rect viewport;
  GetTableViewport(box, &viewport);
  UpdateTableExtent(state, Point{fullWidth - viewport.width, fullHeight - viewport.height}, false);
  return state;
}

void WideTables::UpdateTableExtent(WideTableState* state, Point maximum, bool keepLarger) {
  state->maxX = keepLarger ? std::max(state->maxX, maximum.x) : maximum.x;
  state->maxY = keepLarger ? std::max(state->maxY, maximum.y) : maximum.y;
}

void WideTables::Clear() { states_->Clear(); }

// ---- Scrolling

Point WideTables::ClampScroll(const WideTableState& state, Point delta, bool fromBase) {
  const int64_t x = static_cast<int64_t>(fromBase ? state.dragBaseX : state.offsetX) + delta.x;
  const int64_t y = static_cast<int64_t>(fromBase ? state.dragBaseY : state.offsetY) + delta.y;
  const int64_t clampedX = std::clamp<int64_t>(x, 0, std::max(state.maxX, 0));
  const int64_t clampedY = std::clamp<int64_t>(y, 0, std::max(state.maxY, 0));
  return Point{static_cast<int32_t>(clampedX - state.offsetX), static_cast<int32_t>(clampedY - state.offsetY)};
}

void WideTables::ResetTableScroll() {
  for (uint32_t i = 0; i < states_->count; ++i) {
    At(i)->dragBaseX = At(i)->offsetX;
    At(i)->dragBaseY = At(i)->offsetY;
  }
}

bool WideTables::FindTableAt(Point point, uint32_t* position) const {
  if (!HasPictures()) return false;
  for (uint32_t i = 0; i < states_->count; ++i) {
    const WideTableState& state = *states_->At(i);
    Rect viewport;
    GetTableViewport(state.box, &viewport);
    if (!viewport.ContainsPoint(point)) continue;
    *position = state.position;
    return state.selected != 0;
  }
  return false;
}

uint32_t WideTables::FormatScrollScript(uint32_t n, int32_t dx, char* out) {
  int written = dx == 0 ? std::snprintf(out, kScriptSize, "move_table(%u)", n)
                        : std::snprintf(out, kScriptSize, "move_table(%u,%d)", n, dx);
  return written > 0 ? static_cast<uint32_t>(written) : 0;
}

bool WideTables::AddTableScrollAreas(ShapeAreaArray* areas, const Rect& box, uint32_t position) const {
  Rect viewport, tableMark, left, right;
  if (!GetTableScrollRects(box, &viewport, &tableMark, &left, &right)) return true;
  char script[kScriptSize];
  FormatScrollScript(position, 0, script);
  if (!AddScriptArea(areas, tableMark, script)) return false;
  FormatScrollScript(position, -kCommandStep, script);
  if (!AddScriptArea(areas, left, script)) return false;
  FormatScrollScript(position, kCommandStep, script);
  return AddScriptArea(areas, right, script);
}
