// The screen bitmap, kept in step with the device profile and the display
// orientation (screen.h).
#include "platform/windows/screen.h"

#include <algorithm>

#include "platform/gdi/bitmap_object.h"
#include "platform/gdi/bitmap_pixels.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/gdi.h"
#include "platform/shell/display_settings.h"
#include "platform/core/device_profile.h"
#include "platform/windows/window_geometry.h"
#include "platform/windows/window_manager.h"

namespace devwin {
namespace {

// Height of the shell's navigation bar at 96 dpi.
constexpr int kNavigationBarHeight = 26;

struct ScreenState {
  BitmapObject* bitmap = nullptr;
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  int dpi = 0;
  uint32_t generation = 0;
};

ScreenState& State() {
  static ScreenState* state = new ScreenState;  // lives for the process
  return *state;
}

bool QuarterTurn(DWORD orientation) { return orientation == DMDO_90 || orientation == DMDO_270; }

// Fills rectangles of the screen through a window-kind DC whose system clip
// is exactly those rectangles.
void FillScreen(const std::vector<RECT>& rects, COLORREF colour) {
  BitmapObject* screen = State().bitmap;
  if (screen == nullptr || rects.empty()) return;
  DeviceContext* dc = NewDeviceContext(DcKind::Window);
  if (dc == nullptr) return;
  dc->SetTarget(screen);
  dc->SetSystemClip(rects.data(), rects.size());
  RECT all = ScreenBounds();
  DcFillSolid(dc, all, colour);
  dc->NoteChanged();
  DestroyDeviceContext(dc);
}

}  // namespace

void SyncScreen() {
  ScreenState& state = State();
  devsystem::DeviceProfile profile = devsystem::Profile();
  int width = profile.screenWidth;
  int height = profile.screenHeight;
  if (QuarterTurn(devshell::CurrentDisplayOrientation())) std::swap(width, height);
  if (state.bitmap != nullptr && state.width == width && state.height == height &&
      state.bitsPerPixel == profile.bitsPerPixel && state.dpi == profile.dpi)
    return;
  if (state.bitmap != nullptr) DestroySurfaceBitmap(state.bitmap);
  state.bitmap = CreateSurfaceBitmap(width, height, profile.bitsPerPixel);
  state.width = width;
  state.height = height;
  state.bitsPerPixel = profile.bitsPerPixel;
  state.dpi = profile.dpi;
  ++state.generation;
  // Everything shows anew: the desktop first, then every window repaints.
  InvalidateScreenArea(RECT{0, 0, width, height});
}

RECT ScreenBounds() {
  SyncScreen();
  return RECT{0, 0, State().width, State().height};
}

BitmapObject* ScreenBitmap() {
  SyncScreen();
  return State().bitmap;
}

RECT WorkArea() {
  RECT screen = ScreenBounds();
  devsystem::DeviceProfile profile = devsystem::Profile();
  bool custom = profile.workLeft != 0 || profile.workTop != 0 || profile.workRight != 0 || profile.workBottom != 0;
  if (custom && devshell::CurrentDisplayOrientation() == DMDO_0)
    return RectIntersection(RECT{profile.workLeft, profile.workTop, profile.workRight, profile.workBottom}, screen);
  int bar = custom ? profile.workTop : kNavigationBarHeight * profile.dpi / 96;
  return RECT{0, std::min(bar, screen.bottom), screen.right, screen.bottom};
}

void PaintDesktop(const std::vector<RECT>& screenRects) {
  SyncScreen();
  FillScreen(screenRects, GetSysColor(COLOR_BACKGROUND));
}

void DrawFrame(HWND window) {
  if (FrameWidth(window) == 0) return;
  std::vector<RECT> visible = VisibleRects(window, false);
  RECT outer = WindowRectOnScreen(window);
  RECT inner = ClientRectOnScreen(window);
  std::vector<RECT> frame{outer};
  SubtractRect(&frame, inner);
  std::vector<RECT> shown;
  for (const RECT& part : frame)
    for (const RECT& v : visible) {
      RECT common = RectIntersection(part, v);
      if (!RectEmpty(common)) shown.push_back(common);
    }
  FillScreen(shown, GetSysColor(COLOR_WINDOWFRAME));
}

void ResetScreen() {
  ScreenState& state = State();
  if (state.bitmap != nullptr) DestroySurfaceBitmap(state.bitmap);
  state = ScreenState{0, 0, 0, 0, 0, state.generation + 1};
}

}  // namespace devwin

namespace devscreen {

std::vector<uint32_t> ScreenPixels(int* width, int* height) {
  std::lock_guard<std::mutex> guard(devwin::Manager().lock);
  BitmapObject* screen = devwin::ScreenBitmap();
  if (screen == nullptr) {
    if (width) *width = 0;
    if (height) *height = 0;
    return {};
  }
  return devgdi::BitmapPixelsRgb(screen, width, height);
}

uint64_t ScreenChangeStamp() {
  std::lock_guard<std::mutex> guard(devwin::Manager().lock);
  BitmapObject* screen = devwin::ScreenBitmap();
  uint64_t generation = devwin::State().generation;
  return (generation << 32) | (screen ? screen->changeCount : 0);
}

}  // namespace devscreen
