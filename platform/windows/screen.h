// The device's screen: a bitmap of the display's size and colour depth that
// every window DC draws into and the backends show. Its size follows the
// device profile and the display orientation (a display turned by a quarter
// turn swaps width and height), as the graphics layer's display metrics do
// (devtest::Display); when either changes, the screen is made anew and
// every window is invalidated.
//
// The work area is the screen less the shell's navigation bar at the top
// (see DeviceProfile): CW_USEDEFAULT windows fill it.
//
// Internal to platform/: the windows layer, the backends and the test
// control use it, with the window manager's lock held except where noted.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/types/geometry_types.h"
#include "platform/types/window_handle.h"

struct BitmapObject;

namespace devwin {

// Brings the screen in step with the profile and the orientation (see
// above); the other calls do it first.
void SyncScreen();
RECT ScreenBounds();
BitmapObject* ScreenBitmap();
RECT WorkArea();
// Fills the parts of the screen no window covers with the desktop colour
// (COLOR_BACKGROUND).
void PaintDesktop(const std::vector<RECT>& screenRects);
// Draws a window's 1-pixel frame (COLOR_WINDOWFRAME) where the window shows.
void DrawFrame(HWND window);
// Drops the screen (the device reset); the next use makes it anew.
void ResetScreen();

}  // namespace devwin

namespace devscreen {

// For the backends, without the lock: a copy of the screen's pixels as
// 0x00RRGGBB, row after row, with its size; and a number that changes
// whenever anything drew on the screen (or the screen was made anew).
std::vector<uint32_t> ScreenPixels(int* width, int* height);
uint64_t ScreenChangeStamp();
// A number that changes whenever another process brought a window of this
// one to the foreground (SetForegroundWindow): the backend raises its
// desktop window then.
uint64_t ForegroundRequestStamp();

}  // namespace devscreen
