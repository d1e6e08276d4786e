// DrawingSurface: the window it draws into (client size, invalidation),
// what it reports to the display manager, pointer input from the window,
// scrolling and the screen queries.
#include "foundation/system/late_bound_apis.h"
#include "layout/drawing/drawing_surface.h"
#include "platform/gdi/gdi.h"
#include "platform/system/system_parameters.h"
#include "platform/windows/painting.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"

namespace {
constexpr LONG kVisibleStyle = 0x10000000;
}

bool DrawingSurface::GetClientSize(Size* out, bool raw) {
  *out = Size{};
  RECT client{};
  if (window_ == nullptr || !GetClientRect(window_, &client)) return false;
  out->width = client.right - client.left;
  out->height = client.bottom - client.top;
  HWND menuBar = CallSHFindMenuBar(window_);
  if (menuBar != nullptr && (GetWindowLongW(menuBar, GWL_STYLE) & kVisibleStyle) != 0) {
    RECT bar{};
    if (GetWindowRect(menuBar, &bar)) out->height -= bar.bottom - bar.top;
  }
  if (!raw && display_ != nullptr && display_->IsOrientationActive()) out->SwapForRotation(display_->RotationCode());
  return true;
}

void DrawingSurface::InvalidateRect(const Rect* rect) {
  if (rect == nullptr) {
    if (display_ != nullptr) display_->InvalidateScreen(nullptr, false);
    if (window_ != nullptr) ::InvalidateRect(window_, nullptr, FALSE);
    return;
  }
  if (display_ != nullptr) display_->InvalidateScreen(rect, false);
  Rect onScreen = *rect;
  if (display_ != nullptr) display_->TransformRect(&onScreen);
  RECT edges{onScreen.x, onScreen.y, onScreen.x + onScreen.width, onScreen.y + onScreen.height};
  if (window_ != nullptr) ::InvalidateRect(window_, &edges, FALSE);
}

void DrawingSurface::NoteDrawn(const Rect* rect) {
  if (rect == nullptr) {
    if (display_ != nullptr) display_->InvalidateScreen(nullptr, true);
    if (target_ != nullptr) target_->dirty = Rect{0, 0, target_->width, target_->height};
    return;
  }
  Rect moved{rect->x + origin_.x, rect->y + origin_.y, rect->width, rect->height};
  if (display_ != nullptr) display_->InvalidateScreen(&moved, true);
  if (target_ != nullptr) target_->dirty.Union(moved);
}

void DrawingSurface::InvalidateScreen(const Rect* rect) {
  if (display_ != nullptr) display_->InvalidateScreen(rect, false);
}

void DrawingSurface::RedrawScreen() {
  if (display_ != nullptr) display_->RedrawScreen();
}

void DrawingSurface::UpdateDisplayMode() {
  if (display_ != nullptr) display_->UpdateDisplayMode();
}

bool DrawingSurface::HandleDisplayCommand(int32_t command) {
  return display_ != nullptr && display_->HandleDisplayCommand(command);
}

void DrawingSurface::DrawLineMirrored(Point from, Point to) {
  Transform toImage;
  MemoryBitmap* image = display_ != nullptr ? display_->OffscreenImage(&toImage) : nullptr;
  if (image != nullptr && image->IsValid()) {
    display_->SelectDrawTarget(this, false);
    RedirectToDC(image->dc);
    DrawLine(toImage.MapPoint(from), toImage.MapPoint(to));
    RestoreDC();
    display_->SelectDrawTarget(this, true);
  }
  DrawLine(from, to);
}

void DrawingSurface::ScrollRectMirrored(const Rect& rect, Point delta) {
  Transform toImage;
  MemoryBitmap* image = display_ != nullptr ? display_->OffscreenImage(&toImage) : nullptr;
  if (image != nullptr && image->IsValid()) {
    display_->SelectDrawTarget(this, false);
    RedirectToDC(image->dc);
    Rect mapped;
    toImage.MapRect(rect, &mapped);
    ScrollRect(mapped, toImage.MapVector(delta));
    RestoreDC();
    display_->SelectDrawTarget(this, true);
  }
  ScrollRect(rect, delta);
}

bool DrawingSurface::SendPointerDown(Point point) {
  return OnPointerDown(display_ != nullptr ? display_->MapWindowPoint(point) : point);
}

bool DrawingSurface::SendPointerUp(Point point) {
  return OnPointerUp(display_ != nullptr ? display_->MapWindowPoint(point) : point);
}

bool DrawingSurface::SendPointerMove(uint32_t keys, Point point) {
  return OnPointerMove((keys & 1) != 0, display_ != nullptr ? display_->MapWindowPoint(point) : point);
}

void DrawingSurface::ScrollRect(const Rect& rect, Point delta) {
  if (currentDc_ == nullptr) return;
  RECT edges{rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
  if (delta.x != 0) ScrollDC(currentDc_, delta.x, 0, &edges, &edges, nullptr, nullptr);
  if (delta.y != 0) ScrollDC(currentDc_, 0, delta.y, &edges, &edges, nullptr, nullptr);
}

int DrawingSurface::GetScreenClass() {
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  if (width < 240 || height < 240) return 0;
  if ((width >= 640 && height >= 480) || (width >= 480 && height >= 640)) return 2;
  return 1;
}

bool DrawingSurface::GetWorkArea(Rect* out) {
  RECT area{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) return false;
  RectFromEdges(out, area);
  return true;
}

void DrawingSurface::RectFromEdges(Rect* out, const RECT& edges) {
  *out = Rect{edges.left, edges.top, edges.right - edges.left, edges.bottom - edges.top};
}
