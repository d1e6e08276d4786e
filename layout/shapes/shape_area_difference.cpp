// ShapeArea::SymmetricDifference and PaintOutline: combining two
// highlights band by band, and outlining an area by inversion.
#include <new>

#include "foundation/containers/sorting.h"
#include "layout/drawing/drawing_surface.h"
#include "layout/shapes/shape_area.h"

namespace {

// Top, then height, then left, then width.
int CompareRectsByBand(const void* a, const void* b, void*) {
  const Rect& p = *static_cast<const Rect*>(a);
  const Rect& q = *static_cast<const Rect*>(b);
  if (p.y != q.y) return p.y < q.y ? -1 : 1;
  if (p.height != q.height) return p.height < q.height ? -1 : 1;
  if (p.x != q.x) return p.x < q.x ? -1 : 1;
  if (p.width != q.width) return p.width < q.width ? -1 : 1;
  return 0;
}

bool Emit(SegmentedArray** list, int32_t left, int32_t right, const Rect& band) {
  if (right <= left) return true;
  return AppendRectToList(list, Rect{left, band.y, right - left, band.height});
}

}  // namespace

bool ShapeArea::SymmetricDifference(const ShapeArea& a, const ShapeArea& b, ShapeArea* out) {
  if (b.IsEmpty()) return out->CopyFrom(a);
  if (a.IsEmpty()) return out->CopyFrom(b);
  out->Clear();
  uint32_t countA = a.RectCount();
  uint32_t total = countA + b.RectCount();
  if (total == 0) return true;
  const Rect** pointers = new (std::nothrow) const Rect*[total];
  Rect* all = new (std::nothrow) Rect[total];
  if (pointers == nullptr || all == nullptr) {
    delete[] pointers;
    delete[] all;
    return false;
  }
  a.CollectRects(pointers);
  b.CollectRects(pointers + countA);
  for (uint32_t i = 0; i < total; ++i) all[i] = *pointers[i];
  delete[] pointers;
  bool ok = InsertionSort(all, total, sizeof(Rect), CompareRectsByBand, nullptr);

  SegmentedArray* list = nullptr;
  uint32_t i = 0;
  while (ok && i < total) {
    const Rect band = all[i];
    int32_t left = band.x;
    int32_t right = band.x + band.width;
    uint32_t j = i + 1;
    for (; j < total && all[j].y == band.y && all[j].height == band.height; ++j) {
      const Rect& r = all[j];
      int32_t rRight = r.x + r.width;
      if (r.x < right) {
        // Overlap cancels: the run keeps what lies before this rectangle
        // and continues with what sticks out on either side of its end.
        ok = Emit(&list, left, r.x, band) && ok;
        left = right < rRight ? right : rRight;
        right = right < rRight ? rRight : right;
      } else {
        ok = Emit(&list, left, right, band) && ok;
        left = r.x;
        right = rRight;
      }
    }
    ok = Emit(&list, left, right, band) && ok;
    i = j;
  }
  delete[] all;
  if (list != nullptr) {
    out->SetRectList(list);
    Rect box;
    out->GetBoundingBox(&box);
    out->SetBounds(box);
  }
  return ok;
}

void ShapeArea::PaintOutline(DrawingSurface* surface) const {
  surface->SaveState();
  surface->ClipToRect(bounds);
  uint32_t previousMode = surface->SetXorMode(3);
  const Color white = Color::FromRgb(255, 255, 255);
  surface->SetPenColor(white);
  switch (kind) {
    case kRectangle:
      surface->SetFillColor(white);
      surface->DrawRect(shape, true);
      break;
    case kCircle:
      surface->DrawCircle(Point{shape.x, shape.y}, radius, false);
      break;
    case kPolygon:
      if (points != nullptr) {
        for (uint32_t i = 1; i < points->count; ++i) {
          surface->DrawLine(*static_cast<const Point*>(points->At(i - 1)), *static_cast<const Point*>(points->At(i)));
        }
      }
      break;
    case kRectList:
      surface->SetFillColor(white);
      if (rects != nullptr) {
        for (uint32_t i = 0; i < rects->count; ++i) surface->DrawRect(*static_cast<const Rect*>(rects->At(i)), true);
      }
      break;
    default:
      break;
  }
  surface->SetXorMode(previousMode);
  surface->RestoreState();
}
