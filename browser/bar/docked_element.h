// DockedElement: a screen element that takes a band along one side of its
// container's rectangle and leaves the rest of the rectangle to the
// container's other content. It is shared by counted references (the
// application holds it, the element tree only points at it) and takes part
// in the element tree as an ordinary element: painted when its band is
// redrawn, hit-tested in a band widened by its hit margin so that a stylus
// landing just beside a thin band still reaches it.
#pragma once

#include <cstdint>

#include "foundation/geometry/rect.h"
#include "foundation/system/ref_counted.h"
#include "layout/drawing/color.h"
#include "layout/elements/ui_element.h"

class DrawingSurface;

class DockedElement : public RefCounted, public UIElement {
 public:
  // Docked elements sort above ordinary content in their container.
  static constexpr int32_t kLayer = 10;

  DockedElement() = default;

  // ---- The docked-element interface.
  virtual void SetVisible(bool visible) { visible_ = visible ? 1 : 0; }
  // The rectangle unchanged: docked elements do not adjust what they are
  // given to show.
  virtual void AdjustRect(const Rect& rect, Rect* out) { *out = rect; }
  // Asks the container to repaint the band.
  virtual void Invalidate() = 0;
  // Paints the band at once.
  virtual void PaintNow() = 0;
  // Fills the rectangle with the background colour.
  virtual void PaintBackground(const Rect& rect);
  virtual int32_t GetThickness(int side) = 0;
  virtual int32_t GetHitMargin() { return 0; }
  // The colour the band is cleared to.
  virtual Color GetBackgroundColor() = 0;

  // ---- The element part.
  bool IsVisible() override { return visible_ != 0; }
  bool GetBounds(Rect* out) override {
    *out = band_;
    return true;
  }
  bool HitTest(Point point) override { return visible_ != 0 && hitBand_.ContainsPoint(point); }
  bool Intersects(const Rect& rect) override { return visible_ != 0 && Rect::Intersects(band_, rect); }
  // Takes the band off the container rectangle's side; *remaining is what
  // is left for the rest. Invisible, it leaves the whole rectangle.
  void Arrange(Rect* remaining, const Rect& rect) override;
  int32_t GetLayer() override { return kLayer; }

  void SetSide(int side) { side_ = side; }
  int Side() const { return side_; }
  // Places the element in the surface, which is also its drawing context.
  // False when the surface's child list cannot grow (the element is then
  // in no container).
  bool SetContainer(DrawingSurface* container);
  DrawingSurface* Container() const { return container_; }
  const Rect& Band() const { return band_; }
  const Rect& HitBand() const { return hitBand_; }

 protected:
  ~DockedElement() override;

  DrawingSurface* container_ = nullptr;
  Rect band_;
  Rect hitBand_;
  uint8_t visible_ = 0;
  int side_ = kSideTop;
};
