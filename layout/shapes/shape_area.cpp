// ShapeArea: construction, kinds, hit tests, boxes, copies and moves, the
// owner queries, and the counted list of areas.
#include "layout/shapes/shape_area.h"

#include <new>

namespace {

const Rect kDefaultBounds{-10000, -10000, 20000, 20000};

SegmentedArray* NewList(int32_t itemSize) { return new (std::nothrow) SegmentedArray(itemSize); }

void DeleteList(SegmentedArray** list) {
  delete *list;
  *list = nullptr;
}

// Even-odd rule over the closed polygon.
bool InsidePolygon(const SegmentedArray& points, Point p) {
  bool inside = false;
  uint32_t n = points.count;
  for (uint32_t i = 0, j = n - 1; i < n; j = i++) {
    const Point& a = *static_cast<const Point*>(points.At(i));
    const Point& b = *static_cast<const Point*>(points.At(j));
    if ((a.y > p.y) != (b.y > p.y)) {
      int64_t crossX = a.x + (int64_t{b.x} - a.x) * (int64_t{p.y} - a.y) / (int64_t{b.y} - a.y);
      if (p.x < crossX) inside = !inside;
    }
  }
  return inside;
}

}  // namespace

void InflateRect(Rect* rect, int32_t dx, int32_t dy) {
  rect->x -= dx;
  rect->y -= dy;
  rect->width += 2 * dx;
  rect->height += 2 * dy;
}

bool AppendRectToList(SegmentedArray** holder, const Rect& rect) {
  if (*holder == nullptr) {
    *holder = NewList(sizeof(Rect));
    if (*holder == nullptr) return false;
  }
  return (*holder)->Append(&rect) >= 0;
}

SegmentedArray* TakeRectList(SegmentedArray** holder) {
  SegmentedArray* list = *holder;
  *holder = nullptr;
  return list;
}

void DeleteRectList(SegmentedArray** holder) { DeleteList(holder); }

ShapeArea::ShapeArea() : bounds(kDefaultBounds) {}

ShapeArea::~ShapeArea() {
  Clear();
  control.Clear();
  link.Clear();
}

void ShapeArea::Clear() {
  kind = kEmpty;
  bounds = kDefaultBounds;
  DeleteList(&points);
  DeleteList(&rects);
}

void ShapeArea::SetRectangle(const Rect& rect) {
  kind = kRectangle;
  shape = rect;
}

void ShapeArea::SetRectList(SegmentedArray* list) {
  DeleteList(&rects);
  kind = kRectList;
  rects = list;
}

bool ShapeArea::HitTest(Point point, int32_t tolerance) const {
  // The bounds grow with the tolerance too, or a tap just beside a link
  // would miss it however large the tolerance.
  Rect reach = bounds;
  if (tolerance != 0) InflateRect(&reach, tolerance, tolerance);
  if (!reach.ContainsPoint(point)) return false;
  switch (kind) {
    case kRectangle: {
      Rect r = shape;
      if (tolerance != 0) InflateRect(&r, tolerance, tolerance);
      return r.ContainsPoint(point);
    }
    case kRectList: {
      if (rects == nullptr) return false;
      for (uint32_t i = 0; i < rects->count; ++i) {
        Rect r = *static_cast<const Rect*>(rects->At(i));
        if (tolerance != 0) InflateRect(&r, tolerance, tolerance);
        if (r.ContainsPoint(point)) return true;
      }
      return false;
    }
    case kCircle: {
      int64_t dx = int64_t{point.x} - shape.x;
      int64_t dy = int64_t{point.y} - shape.y;
      int64_t reach = int64_t{radius} + tolerance;
      return reach * reach >= dx * dx + dy * dy;
    }
    case kPolygon:
      return points != nullptr && points->count >= 3 && shape.ContainsPoint(point) && InsidePolygon(*points, point);
    default:
      return false;
  }
}

void ShapeArea::GetBoundingBox(Rect* out) const {
  *out = Rect{};
  switch (kind) {
    case kRectangle:
    case kPolygon:
      *out = shape;
      break;
    case kCircle:
      *out = Rect{shape.x - radius, shape.y - radius, 2 * radius, 2 * radius};
      break;
    case kRectList:
      if (rects == nullptr) break;
      for (uint32_t i = 0; i < rects->count; ++i) out->Union(*static_cast<const Rect*>(rects->At(i)));
      break;
    default:
      break;
  }
}

void ShapeArea::AnchorPoint(Point* out) const {
  *out = Point{};
  switch (kind) {
    case kRectangle:
      *out = Point{shape.x + shape.width - 1, shape.y + shape.height - 1};
      break;
    case kCircle:
      *out = Point{shape.x, shape.y};
      break;
    case kPolygon:
      if (points != nullptr && points->count != 0) *out = *static_cast<const Point*>(points->At(0));
      break;
    case kRectList:
      if (rects != nullptr && rects->count != 0) {
        const Rect& last = *static_cast<const Rect*>(rects->At(rects->count - 1));
        *out = Point{last.x + last.width - 1, last.y + last.height - 1};
      }
      break;
    default:
      break;
  }
}

uint32_t ShapeArea::RectCount() const {
  if (kind == kRectangle) return 1;
  if (kind == kRectList && rects != nullptr) return rects->count;
  return 0;
}

void ShapeArea::CollectRects(const Rect** out) const {
  if (kind == kRectangle) {
    out[0] = &shape;
    return;
  }
  if (kind != kRectList || rects == nullptr) return;
  for (uint32_t i = 0; i < rects->count; ++i) out[i] = static_cast<const Rect*>(rects->At(i));
}

void ShapeArea::MoveFrom(ShapeArea& other) {
  if (&other == this) return;
  kind = other.kind;
  mark = other.mark;
  bounds = other.bounds;
  link.Assign(other.link.Get());
  other.link.Clear();
  control.Assign(other.control.Get());
  other.control.Clear();
  shape = other.shape;
  radius = other.radius;
  DeleteList(&points);
  points = other.points;
  other.points = nullptr;
  DeleteList(&rects);
  rects = other.rects;
  other.rects = nullptr;
}

bool ShapeArea::CopyFrom(const ShapeArea& other) {
  if (&other == this) return true;
  kind = other.kind;
  mark = other.mark;
  bounds = other.bounds;
  link.Assign(other.link.Get());
  control.Assign(other.control.Get());
  shape = other.shape;
  radius = other.radius;
  DeleteList(&points);
  DeleteList(&rects);
  bool ok = true;
  if (other.points != nullptr) {
    points = NewList(sizeof(Point));
    ok = points != nullptr && points->CopyFrom(*other.points);
  }
  if (other.rects != nullptr) {
    rects = NewList(sizeof(Rect));
    ok = rects != nullptr && rects->CopyFrom(*other.rects) && ok;
  }
  return ok;
}

bool ShapeArea::GetOwnerName(SharedWideString* out) const {
  if (!link) return false;
  if (out != nullptr) out->Assign(link->name);
  return !link->name.IsEmpty();
}

int32_t ShapeArea::QueryOwnerAction() const {
  if (!control || !control->IsTappable()) return 0;
  return control->TapAction();
}

// ---- ShapeAreaList

bool ShapeAreaList::Add(ShapeArea& area) {
  ShapeArea* slot = areas_.AppendSlot();
  if (slot == nullptr) return false;
  slot->MoveFrom(area);
  return true;
}

LinkAction* ShapeAreaList::OwnerAt(Point point) const {
  for (uint32_t i = areas_.Count(); i-- > 0;) {
    const ShapeArea& area = *areas_.At(i);
    if (area.HitTest(point, 0)) return area.link.Get();
  }
  return defaultLink_.Get();
}
