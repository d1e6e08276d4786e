// Shape areas: hit tolerance, boxes and anchors, band-wise symmetric
// differences, counted owners, and the inverting outline that gives the
// pixels back when drawn twice.
#include <gtest/gtest.h>

#include <vector>

#include "layout/shapes/shape_area.h"
#include "platform/testing/profile.h"
#include "tests/layout/drawing/surface_fixture.h"

namespace {

ShapeArea RectArea(const Rect& r) {
  ShapeArea area;
  area.SetRectangle(r);
  return area;
}

ShapeArea ListArea(const std::vector<Rect>& rects) {
  ShapeArea area;
  SegmentedArray* list = nullptr;
  for (const Rect& r : rects) EXPECT_TRUE(AppendRectToList(&list, r));
  area.SetRectList(list);
  return area;
}

std::vector<Rect> RectsOf(const ShapeArea& area) {
  std::vector<const Rect*> pointers(area.RectCount());
  area.CollectRects(pointers.data());
  std::vector<Rect> out;
  for (const Rect* r : pointers) out.push_back(*r);
  return out;
}

TEST(ShapeArea, HitToleranceGrowsTheShapeAndItsBounds) {
  ShapeArea area = RectArea(Rect{10, 20, 5, 5});
  area.SetBounds(Rect{0, 0, 100, 100});
  // Three pixels right of the last column.
  EXPECT_TRUE(area.HitTest(Point{17, 22}, 3));
  EXPECT_FALSE(area.HitTest(Point{17, 22}, 2));
  EXPECT_TRUE(area.HitTest(Point{14, 24}, 0));
  EXPECT_FALSE(area.HitTest(Point{15, 24}, 0));
  // A link's bounds are its shape: the tolerance must reach past them,
  // or a tap just beside a link never finds it.
  area.SetBounds(Rect{10, 20, 5, 5});
  EXPECT_TRUE(area.HitTest(Point{17, 22}, 3));
  EXPECT_FALSE(area.HitTest(Point{17, 22}, 0));
  EXPECT_FALSE(area.HitTest(Point{17, 22}, 2));
  // Bounds narrower than the shape still limit it.
  area.SetBounds(Rect{10, 20, 2, 5});
  EXPECT_FALSE(area.HitTest(Point{17, 22}, 3));

  ShapeArea list = ListArea({{0, 0, 4, 4}, {0, 10, 4, 4}});
  EXPECT_TRUE(list.HitTest(Point{1, 11}, 0));
  EXPECT_FALSE(list.HitTest(Point{1, 6}, 0));
  EXPECT_TRUE(list.HitTest(Point{1, 6}, 3));
  ShapeArea empty;
  EXPECT_FALSE(empty.HitTest(Point{0, 0}, 100));
}

TEST(ShapeArea, BoxesAndAnchors) {
  ShapeArea area = RectArea(Rect{10, 20, 5, 5});
  Point anchor;
  area.AnchorPoint(&anchor);
  EXPECT_EQ(anchor, (Point{14, 24}));
  ShapeArea list = ListArea({{0, 0, 4, 4}, {10, 10, 2, 3}});
  Rect box;
  list.GetBoundingBox(&box);
  EXPECT_EQ(box, (Rect{0, 0, 12, 13}));
  list.AnchorPoint(&anchor);
  EXPECT_EQ(anchor, (Point{11, 12}));
}

TEST(ShapeArea, SymmetricDifferenceWorksBandByBand) {
  struct Case {
    std::vector<Rect> a;
    std::vector<Rect> b;
    std::vector<Rect> expected;
  };
  const Case cases[] = {
      {{{0, 0, 10, 5}}, {{0, 0, 10, 5}}, {}},                                  // equal: nothing left
      {{{0, 0, 10, 5}}, {{5, 0, 10, 5}}, {{0, 0, 5, 5}, {10, 0, 5, 5}}},       // overlap cancels
      {{{0, 0, 10, 5}}, {{0, 9, 10, 5}}, {{0, 0, 10, 5}, {0, 9, 10, 5}}},      // different bands
      {{{0, 0, 10, 5}}, {{10, 0, 4, 5}}, {{0, 0, 10, 5}, {10, 0, 4, 5}}},      // touching stay apart
      {{{0, 0, 20, 5}}, {{5, 0, 5, 5}}, {{0, 0, 5, 5}, {10, 0, 10, 5}}},       // inside: a hole
  };
  for (const Case& c : cases) {
    ShapeArea a = ListArea(c.a), b = ListArea(c.b), out;
    ASSERT_TRUE(ShapeArea::SymmetricDifference(a, b, &out));
    if (c.expected.empty()) {
      EXPECT_TRUE(out.IsEmpty());
    } else {
      EXPECT_EQ(RectsOf(out), c.expected);
    }
  }
  // With one side empty the result is a copy of the other.
  ShapeArea empty, one = RectArea(Rect{1, 2, 3, 4}), out;
  ASSERT_TRUE(ShapeArea::SymmetricDifference(empty, one, &out));
  EXPECT_EQ(out.kind, ShapeArea::kRectangle);
  EXPECT_EQ(out.shape, (Rect{1, 2, 3, 4}));
}

TEST(ShapeArea, CountedOwnersFollowCopiesAndMoves) {
  LinkAction* link = new LinkAction();
  link->name.FromChars(u"chapter-2", 9);
  ShapeArea area = RectArea(Rect{0, 0, 5, 5});
  area.SetLink(link);
  EXPECT_EQ(link->GetReferenceCount(), 2);
  area.SetLink(link);  // the same object: no change
  EXPECT_EQ(link->GetReferenceCount(), 2);
  {
    ShapeArea copy;
    ASSERT_TRUE(copy.CopyFrom(area));
    EXPECT_EQ(link->GetReferenceCount(), 3);
    ShapeArea moved;
    moved.MoveFrom(copy);
    EXPECT_EQ(link->GetReferenceCount(), 3);
    EXPECT_FALSE(copy.link);
    SharedWideString name;
    EXPECT_TRUE(moved.GetOwnerName(&name));
  }
  EXPECT_EQ(link->GetReferenceCount(), 2);

  ShapeAreaList* list = new ShapeAreaList();
  ASSERT_TRUE(list->Add(area));
  EXPECT_EQ(list->OwnerAt(Point{1, 1}), link);
  EXPECT_EQ(list->OwnerAt(Point{9, 9}), nullptr);
  list->Release();
  EXPECT_EQ(link->GetReferenceCount(), 1);
  EXPECT_TRUE(link->Release());
}

class ShapeOutlineTest : public surfacetest::SurfaceTest {};

TEST_F(ShapeOutlineTest, OutlineDrawnTwiceRestoresEveryPixel) {
  for (DWORD major : {4u, 5u}) {
    devtest::DeviceProfile profile = devtest::Profile();
    profile.osMajorVersion = major;
    profile.bitsPerPixel = 32;
    devtest::SetProfile(profile);
    ResetSurfacePlatformVersion();
    // Drawn into a bitmap read back whole: a coloured background with a
    // shape on it, so the inversion shows.
    TargetBitmap target;
    surface.CreateDibBitmap(&target.image, Size{60, 40});
    ASSERT_TRUE(target.image.IsValid());
    target.width = 60;
    target.height = 40;
    surface.SetTargetBitmap(&target);
    surface.BeginDraw(false);
    surface.SetBackgroundColor(Color::FromRgb(0x33, 0x66, 0x99));
    surface.EraseRect(Rect{0, 0, 60, 40});
    surface.SetPenColor(Color::FromRgb(200, 10, 10));
    surface.SetFillColor(Color::FromRgb(10, 200, 10));
    surface.DrawRect(Rect{12, 12, 20, 10}, true);
    surface.EndDraw();
    std::vector<uint32_t> before = devtest::BitmapPixelsRgb(target.image.bitmap);

    ShapeArea area = ListArea({{10, 10, 30, 8}, {5, 18, 20, 8}});
    Rect box;
    area.GetBoundingBox(&box);
    area.SetBounds(box);
    surface.BeginDraw(false);
    area.PaintOutline(&surface);
    surface.EndDraw();
    std::vector<uint32_t> inverted = devtest::BitmapPixelsRgb(target.image.bitmap);
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 60; ++x) {
        // Each rectangle inverts once (grown by a pixel on old platforms,
        // where the two then overlap and cancel), clipped to the bounds.
        int g = major <= 4 ? 1 : 0;
        int covered = (x >= 10 - g && x < 40 + g && y >= 10 - g && y < 18 + g) +
                      (x >= 5 - g && x < 25 + g && y >= 18 - g && y < 26 + g);
        bool inside = covered % 2 == 1 && box.ContainsPoint(Point{x, y});
        uint32_t expected = inside ? before[y * 60 + x] ^ 0xFFFFFFu : before[y * 60 + x];
        ASSERT_EQ(inverted[y * 60 + x], expected) << major << " at " << x << "," << y;
      }
    }
    surface.BeginDraw(false);
    area.PaintOutline(&surface);
    surface.EndDraw();
    surface.SetTargetBitmap(nullptr);
    EXPECT_EQ(devtest::BitmapPixelsRgb(target.image.bitmap), before) << major;
    target.image.Release();
  }
}

}  // namespace
