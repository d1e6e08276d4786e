// DrawingSurface: life, the element-tree slots it answers as the root,
// nested drawing passes and the saved clip and origin states.
#include "layout/drawing/drawing_surface.h"

#include "platform/gdi/gdi.h"
#include "platform/shell/os_version.h"
#include "platform/windows/painting.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"

namespace {

// One byte for the process: 0 not read yet, 1 version 4 or lower, 2 above.
uint8_t g_platformAbove4 = 0;

}  // namespace

bool SurfacePlatformAbove4() {
  if (g_platformAbove4 == 0) {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    g_platformAbove4 = GetVersionExW(&info) && info.dwMajorVersion > 4 ? 2 : 1;
  }
  return g_platformAbove4 == 2;
}

void ResetSurfacePlatformVersion() { g_platformAbove4 = 0; }

DrawingSurface::DrawingSurface(const FontTable* fontTable) : fontTable_(fontTable) {
  stateStack_.Init(sizeof(SavedState));
  clip_.SetMaximal();
  SurfacePlatformAbove4();
}

DrawingSurface::~DrawingSurface() {
  if (ownsWindow_ && window_ != nullptr) {
    HWND window = window_;
    window_ = nullptr;
    DestroyWindow(window);
  }
  if (backgroundPicture_ != nullptr) {
    backgroundPicture_->Release();
    delete backgroundPicture_;
    backgroundPicture_ = nullptr;
  }
  ReleaseBitmapStrip();
  for (FontCacheEntry& entry : fontCache_) {
    if (entry.font != nullptr) DeleteObject(entry.font);
    entry.font = nullptr;
  }
  stateStack_.Free();
}

// ---- Element-tree slots

void DrawingSurface::CaptureInput(bool /*activate*/) { OnCaptureChanged(true); }

void DrawingSurface::ReleaseInput(bool /*deactivate*/) {
  if (window_ != nullptr && GetCapture() == window_) OnCaptureChanged(false);
}

void DrawingSurface::OnCaptureChanged(bool captured) {
  if (captured) {
    if (window_ != nullptr) SetCapture(window_);
    return;
  }
  // Releasing the window's capture first: the message it sends comes back
  // here and finds the capture already gone.
  if (window_ != nullptr && GetCapture() == window_) ReleaseCapture();
  UIContainer::OnCaptureChanged(false);
}

bool DrawingSurface::Show(bool visible) {
  if (window_ != nullptr) ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
  return true;
}

bool DrawingSurface::HandleCommand(const CommandEvent& event) {
  if (display_ != nullptr && display_->HandleKey(event)) return true;
  return UIContainer::HandleCommand(event);
}

void DrawingSurface::Redraw(const Rect* rect) {
  BeginDraw(false);
  RedrawChildren(rect);
  EndDraw();
}

void DrawingSurface::GetTransform(Transform* out, bool inner) {
  if (display_ != nullptr && !inner && display_->IsOrientationActive()) {
    display_->GetOrientationTransform(out);
    return;
  }
  out->SetIdentity();
}

void DrawingSurface::FocusChild(UIElement* child) {
  focusing_ = 1;
  if (window_ != nullptr) SetFocus(window_);
  if (!child->HasFocus()) UIContainer::FocusChild(child);
  focusing_ = 0;
}

// ---- Passes

bool DrawingSurface::BeginDraw(bool noRedraw) {
  if (noRedraw && redrawMark_ == -1) redrawMark_ = static_cast<int32_t>(depth_ + 1);
  if (depth_ != 0) {
    ++depth_;
    return true;
  }
  clip_.SetMaximal();
  paintArea_ = Rect{};
  origin_ = Point{};
  depth_ = 1;
  if (paintDc_ == nullptr && target_ == nullptr && window_ != nullptr) ownDc_ = GetDC(window_);
  currentDc_ = redirectDc_ != nullptr ? redirectDc_ : paintDc_ != nullptr ? paintDc_ : ownDc_;
  if (display_ != nullptr) display_->SelectDrawTarget(this, true);
  return true;
}

bool DrawingSurface::EndDraw() {
  if (depth_ == 0) return false;
  bool skip = static_cast<uint32_t>(redrawMark_) <= depth_;
  if (redrawMark_ == static_cast<int32_t>(depth_)) redrawMark_ = -1;
  --depth_;
  if (depth_ != 0) return false;
  SetOrigin(Point{});
  ClearClip();
  ReleaseGdiObjects();
  if (ownDc_ != nullptr) {
    ReleaseDC(window_, ownDc_);
    ownDc_ = nullptr;
  }
  currentDc_ = nullptr;
  if (!skip && display_ != nullptr && paintDc_ == nullptr) display_->Redraw();
  return true;
}

void DrawingSurface::BeginBackBuffer(HDC paintDc) { paintDc_ = paintDc; }

void DrawingSurface::EndBackBuffer() { paintDc_ = nullptr; }

void DrawingSurface::RedirectToDC(HDC dc) {
  redirectDc_ = dc;
  if (depth_ != 0 && dc != nullptr) {
    // What was selected into the old DC stays there; the new one starts
    // from its own objects.
    ReleaseGdiObjects();
    currentDc_ = dc;
  }
}

void DrawingSurface::RestoreDC() {
  if (redirectDc_ == nullptr) return;
  if (depth_ != 0 && currentDc_ == redirectDc_) {
    ReleaseGdiObjects();
    currentDc_ = paintDc_ != nullptr ? paintDc_ : ownDc_;
  }
  redirectDc_ = nullptr;
}

void DrawingSurface::SetTargetBitmap(TargetBitmap* target) {
  target_ = target;
  if (target != nullptr && target->image.IsValid()) {
    RedirectToDC(target->image.dc);
  } else {
    RestoreDC();
  }
}

// ---- Saved states

bool DrawingSurface::SaveState() {
  SavedState state{clip_, paintArea_, origin_};
  return stateStack_.Append(&state) >= 0;
}

void DrawingSurface::RestoreState() {
  if (stateStack_.count == 0) return;
  SavedState state;
  stateStack_.ReadAt(stateStack_.count - 1, &state, 1);
  stateStack_.RemoveAt(stateStack_.count - 1, 1);
  SetOrigin(Point{});
  paintArea_ = state.paintArea;
  SetClipRect(state.clip);
  SetOrigin(state.origin);
}
