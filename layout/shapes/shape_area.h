// ShapeArea: a hit-test region of a page: the clickable area of a link (a
// rectangle, or one rectangle per line when its text runs over several),
// the highlight of a selection, or the focus frame of a control. An area
// may carry a counted reference to the LinkAction a tap performs and to
// the control (an InlineObject) that owns it. Areas are tested against
// taps with a tolerance, outlined by inverting the pixels under them, and
// combined band by band so that only the difference of two highlights is
// redrawn.
//
// Kinds 2 (circle) and 3 (polygon) belong to the record and are handled by
// the operations; nothing in the system builds them yet.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array.h"
#include "foundation/containers/segmented_array_typed.h"
#include "foundation/geometry/rect.h"
#include "foundation/system/ref_counted.h"
#include "layout/objects/inline_object.h"
#include "layout/styles/link_action.h"

class DrawingSurface;
class SharedWideString;

// Grows the rectangle in place by dx on the left and the right and by dy on
// the top and the bottom.
void InflateRect(Rect* rect, int32_t dx, int32_t dy);

// Rectangle lists held by an area (16-byte items, 16 per block).
bool AppendRectToList(SegmentedArray** holder, const Rect& rect);
SegmentedArray* TakeRectList(SegmentedArray** holder);
void DeleteRectList(SegmentedArray** holder);

class ShapeArea {
 public:
  static constexpr int32_t kEmpty = 0;
  static constexpr int32_t kRectangle = 1;
  static constexpr int32_t kCircle = 2;
  static constexpr int32_t kPolygon = 3;
  static constexpr int32_t kRectList = 4;

  ShapeArea();
  ~ShapeArea();
  ShapeArea(const ShapeArea&) = delete;
  ShapeArea& operator=(const ShapeArea&) = delete;
  ShapeArea(ShapeArea&& other) noexcept : ShapeArea() { MoveFrom(other); }
  ShapeArea& operator=(ShapeArea&& other) noexcept {
    MoveFrom(other);
    return *this;
  }

  // Kind 0, default bounds, both lists freed; the references stay.
  void Clear();
  bool IsEmpty() const { return kind == kEmpty; }
  void SetBounds(const Rect& rect) { bounds = rect; }
  // Kind 1; the bounds are set separately.
  void SetRectangle(const Rect& rect);
  // Kind 4; takes the list over (the old one is freed).
  void SetRectList(SegmentedArray* list);

  bool HitTest(Point point, int32_t tolerance) const;
  void GetBoundingBox(Rect* out) const;
  void AnchorPoint(Point* out) const;
  uint32_t RectCount() const;
  // Pointers to the area's rectangles in order, into `out` (room for
  // RectCount()).
  void CollectRects(const Rect** out) const;

  void MoveFrom(ShapeArea& other);
  bool CopyFrom(const ShapeArea& other);
  // The parts covered by exactly one of a and b, band by band (same top
  // and height); false when memory ran out (out then holds what was made).
  static bool SymmetricDifference(const ShapeArea& a, const ShapeArea& b, ShapeArea* out);
  // Inverts the pixels of the area on the surface; drawn twice, it
  // restores them.
  void PaintOutline(DrawingSurface* surface) const;

  bool GetOwnerName(SharedWideString* out) const;
  int32_t QueryOwnerAction() const;

  void SetLink(LinkAction* action) { link.Assign(action); }
  void SetControl(InlineObject* object) { control.Assign(object); }

  Rect bounds;
  int32_t kind = kEmpty;
  int32_t mark = 1;
  Rect shape;  // kind 1: the rectangle; 2: the centre in x, y; 3: the bounding box
  SegmentedArray* points = nullptr;  // kind 3: Point items
  SegmentedArray* rects = nullptr;   // kind 4: Rect items
  int32_t radius = 0;
  RefPtr<LinkAction> link;
  RefPtr<InlineObject> control;
};

using ShapeAreaArray = SegmentedTypedArray<ShapeArea>;

// A counted list of areas with a default link: OwnerAt gives the link of
// the last area that contains the point, else the default.
class ShapeAreaList : public RefCounted {
 public:
  ShapeAreaList() = default;
  // Moves the area in; false on lack of memory (the area is left as it was).
  bool Add(ShapeArea& area);
  void SetDefaultOwner(LinkAction* link) { defaultLink_.Assign(link); }
  LinkAction* OwnerAt(Point point) const;
  uint32_t Count() const { return areas_.Count(); }

 protected:
  ~ShapeAreaList() override = default;

 private:
  ShapeAreaArray areas_;
  RefPtr<LinkAction> defaultLink_;
};
