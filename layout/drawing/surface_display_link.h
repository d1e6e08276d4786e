// What the drawing surface needs of the display manager, which turns the
// screen and keeps off-screen page images: the display manager implements
// this interface and attaches itself with DrawingSurface::SetDisplayManager.
// Rectangles and points are in the surface's (text) orientation unless
// said otherwise.
#pragma once

#include <cstdint>

#include "foundation/geometry/rect.h"
#include "foundation/geometry/transform.h"
#include "layout/elements/command_event.h"

class DrawingSurface;
struct MemoryBitmap;

class SurfaceDisplayLink {
 public:
  // With select true and an off-screen image in use, redirects the surface
  // to that image's DC (RedirectToDC); otherwise the surface's RestoreDC.
  virtual void SelectDrawTarget(DrawingSurface* surface, bool select) = 0;
  // Brings the screen up to date from the pending rectangle.
  virtual void Redraw() = 0;
  // Adds a rectangle (null: the whole screen) to the pending area;
  // alreadyDrawn marks what the surface drew itself.
  virtual void InvalidateScreen(const Rect* rect, bool alreadyDrawn) = 0;
  // Whether an orientation other than the screen's own is in force, and
  // its rotation code.
  virtual bool IsOrientationActive() const = 0;
  virtual uint8_t RotationCode() const = 0;
  // The transform from the surface to the screen.
  virtual void GetOrientationTransform(Transform* out) const = 0;
  // A window rectangle mapped through the inverse orientation.
  virtual void TransformRect(Rect* rect) const = 0;
  // A window point mapped into the surface.
  virtual Point MapWindowPoint(Point point) const = 0;
  // The key handling of the turned screen; true when it took the command.
  virtual bool HandleKey(const CommandEvent& event) = 0;
  virtual void RedrawScreen() = 0;
  virtual void UpdateDisplayMode() = 0;
  virtual bool HandleDisplayCommand(int32_t command) = 0;
  // The off-screen page image the mirrored operations also draw into, and
  // the transform of points into it; null when none is held.
  virtual MemoryBitmap* OffscreenImage(Transform* toImage) = 0;

 protected:
  ~SurfaceDisplayLink() = default;
};
