// DisplayManager: the screen image, what is pending in it, and its copy to
// the real screen through the rotating blit; the page images.
#include "layout/display/display_manager.h"
#include "layout/drawing/drawing_surface.h"

void DisplayManager::InvalidateScreen(const Rect* rect, bool fromPaint) {
  if (drawingPageImage_) return;
  pending_.Union(rect != nullptr ? *rect : Rect{0, 0, logicalWidth_, logicalHeight_});
  if (fromPaint) firstPaintPending_ = 0;
}

void DisplayManager::InvalidateFull(const Rect* rect) {
  if (drawingPageImage_) return;
  full_.Union(rect != nullptr ? *rect : Rect{0, 0, logicalWidth_, logicalHeight_});
}

bool DisplayManager::CanRedraw() const {
  if (!active_ || !enabled_ || !screenImage_.IsValid()) return false;
  if (firstPaintPending_ && full_.IsEmpty()) return false;
  return !pending_.IsEmpty() || (areaChanged_ && remaining_ == 0);
}

void DisplayManager::Redraw() {
  if (redrawing_ || !CanRedraw()) return;
  redrawing_ = 1;
  if (!full_.IsEmpty()) {
    Rect full = full_;
    full_ = Rect{};
    // The tree draws into the screen image (the surface's target while we
    // are enabled); the pass must not call back here when it ends.
    surface_->BeginDraw(true);
    surface_->Redraw(&full);
    surface_->EndDraw();
    firstPaintPending_ = 0;
    if (running_) pending_ = Rect{};
  }
  const Rect screen{0, 0, logicalWidth_, logicalHeight_};
  Rect visible;
  if (!Rect::Intersect(pending_, screen, &visible)) visible = Rect{};
  if (running_) {
    if (!Rect::Intersect(visible, area_, &visible)) visible = Rect{};
    Rect shifted{visible.x, visible.y + remaining_, visible.width, visible.height};
    if (Rect::Intersect(shifted, area_, &shifted) && !shifted.IsEmpty()) {
      visible = Rect{shifted.x, shifted.y - remaining_, shifted.width, shifted.height};
    } else {
      visible = Rect{};
    }
    if (visible.width != pending_.width || visible.height != pending_.height) areaChanged_ = 1;
  } else if (areaChanged_) {
    visible = screen;
    areaChanged_ = 0;
  }
  if (!visible.IsEmpty()) {
    // Straight to the real screen: the surface must not draw into the image.
    enabled_ = 0;
    surface_->BeginDraw(true);
    Rect target{visible.x, visible.y + remaining_, visible.width, visible.height};
    surface_->BlitRotated(screenImage_, Point{visible.x, visible.y}, target, rotation_);
    surface_->EndDraw();
    enabled_ = 1;
  }
  pending_ = Rect{};
  redrawing_ = 0;
}

// ---- Page images

bool DisplayManager::HasPageImage(int32_t stamp, uint32_t position) const {
  return pageImageHeld_ && imageStamp_ == stamp && imagePosition_ == position;
}

bool DisplayManager::CanHoldPageImages() const {
  return active_ && !pageImageHeld_ && !(imageMode_ == 1 && screenImage_.IsValid());
}

void DisplayManager::ShowPageImage(const Rect* rect) {
  if (!active_ || !pageImageHeld_ || !pageImage_.IsValid() || surface_ == nullptr) return;
  Rect area = rect != nullptr ? *rect : Rect{0, 0, logicalWidth_, logicalHeight_};
  surface_->BeginDraw(true);
  surface_->BlitBitmapAt(pageImage_, Point{area.x, area.y}, area);
  surface_->EndDraw();
  InvalidateScreen(&area, false);
}

void DisplayManager::ForgetPageImage() {
  imageStamp_ = -1;
  pageImageHeld_ = 0;
  drawingPageImage_ = 0;
  pageImage_.Release();
}
