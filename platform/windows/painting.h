// Painting windows: window DCs over the screen, the update region and
// WM_PAINT.
//
// Window DCs draw into the screen bitmap (screen.h) with their origin at
// the window's client area (GetDC, BeginPaint) or at its top-left corner
// (GetWindowDC), clipped to the part of the window that shows: as on the
// device, every window clips its children and the windows above it
// (WS_CLIPCHILDREN and WS_CLIPSIBLINGS always hold). The clip is taken when
// the DC is made; a DC is meant to be released before windows move.
// GetDC(null) draws over the whole screen. Every DC is released with
// ReleaseDC (or EndPaint) and counts as a live device context until then.
//
// The update region of a window is kept as one rectangle: the smallest one
// holding every part invalidated since the window last painted (so
// InvalidateRect twice gives one WM_PAINT whose rcPaint is the union of the
// two). WM_PAINT is not queued: a thread's GetMessageW/PeekMessageW answer it
// once nothing is posted, no WM_QUIT is waiting and no input is pending,
// before timers, for a shown window of the thread with a non-empty update
// region (parents before children, top-level windows from the top), and
// again as long as the window does not validate. BeginPaint validates the
// whole region, sends WM_ERASEBKGND first when an invalidation asked for
// erasing (fErase tells whether the window left the erasing to its painting)
// and clips the DC to the region. ValidateRect removes a rectangle: the
// region shrinks when the rectangle covers it whole or a full band of it,
// and stays otherwise (a region of one rectangle cannot hold the rest).
//
// DefWindowProcW paints nothing: its WM_PAINT is BeginPaint and EndPaint,
// its WM_ERASEBKGND fills the client area with the class's background brush
// (a brush or a system colour index + 1) and answers 1, or answers 0 without
// a brush.
#pragma once

#include "platform/types/gdi_handles.h"
#include "platform/types/geometry_types.h"
#include "platform/windows/window_types.h"

struct PAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
};

HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
HDC GetDC(HWND window);
HDC GetWindowDC(HWND window);
// 1 when the DC was a window DC and is now released, else 0.
int ReleaseDC(HWND window, HDC dc);

// `window` null: every window of this process. `rect` null: the whole
// client area.
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND window, const RECT* rect);
// Sends WM_PAINT at once when the window shows and has something to paint.
BOOL UpdateWindow(HWND window);
// The update region's rectangle; non-zero when it is not empty.
BOOL GetUpdateRect(HWND window, RECT* rect, BOOL erase);
