// Where windows lie on the screen: their rectangles, their stacking, the
// part of each that shows, and the window under a point. Internal to
// platform/windows; every call expects the window manager's lock held.
//
// A window's position is kept relative to its parent's client area (a
// child) or to the screen (a top-level window). The only non-client part
// is a 1-pixel frame for WS_BORDER or WS_DLGFRAME (so also WS_CAPTION: the
// shell shows a window's title in its own bar, not in a caption).
//
// As on the device, every window clips its children and its siblings: what
// a window draws lands only on the pixels where it is the topmost shown
// window, whatever WS_CLIPCHILDREN and WS_CLIPSIBLINGS say.
#pragma once

#include <vector>

#include "platform/types/geometry_types.h"
#include "platform/windows/window_object.h"

namespace devwin {

// Rectangles: empty when right <= left or bottom <= top.
bool RectEmpty(const RECT& r);
RECT RectIntersection(const RECT& a, const RECT& b);
// The smallest rectangle holding both (an empty one adds nothing).
RECT RectUnion(const RECT& a, const RECT& b);
RECT RectOffset(const RECT& r, int dx, int dy);
bool RectContains(const RECT& r, POINT p);
// Removes `cut` from a list of disjoint rectangles (the list stays disjoint).
void SubtractRect(std::vector<RECT>* rects, const RECT& cut);

int FrameWidth(HWND window);
RECT WindowRectOnScreen(HWND window);
RECT ClientRectOnScreen(HWND window);
POINT ClientOriginOnScreen(HWND window);
// The client rectangle in client coordinates ({0, 0, width, height}).
RECT ClientRectLocal(HWND window);

// WS_VISIBLE on the window and on every window above it.
bool IsShown(HWND window);
bool IsEnabledWindow(HWND window);

// Whether `a` lies above `b` (both children of one parent, or both
// top-level windows).
bool IsAbove(HWND a, HWND b);
std::vector<HWND> ChildrenTopFirst(HWND parent);
std::vector<HWND> TopLevelTopFirst();
// Puts the window above (or below) all its siblings of its band (topmost
// windows stay above the others).
void RaiseWindow(HWND window);
void LowerWindow(HWND window);
// Places the window just below `above` (a sibling).
void PlaceBelow(HWND window, HWND above);

// The part of the window (its client area when `clientOnly`) where it is
// the topmost shown window: disjoint rectangles in screen coordinates. Empty
// for a hidden window.
std::vector<RECT> VisibleRects(HWND window, bool clientOnly);

// The deepest shown window of this process under a screen point: top-level
// windows from the top, then their children from the top. With
// `skipDisabled`, a disabled child is passed over (its parent takes the
// point) and a disabled top-level window answers null.
HWND ShownWindowAt(POINT screenPoint, bool skipDisabled);

// Adds a rectangle (client coordinates; null: the whole client area) to the
// window's update region, cut to the client area.
void AddToUpdate(HWND window, const RECT* rect, bool erase);
// Invalidates whatever shows of this process's windows in a rectangle of the
// screen (the area a window uncovered), frames included.
void InvalidateScreenArea(const RECT& screenRect);

}  // namespace devwin
