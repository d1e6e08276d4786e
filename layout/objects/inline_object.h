// InlineObject: what stands in the flow of a page like a large character:
// pictures, icons, horizontal rules, form controls and log marks. The
// layout engine asks an object for its size and places it in a box, the
// page renderer asks it to draw itself there, and a tap reaches it through
// the page's link areas. Objects are counted: the layout item that places
// one and every copy of it hold a reference.
#pragma once

#include <cstdint>

#include "foundation/geometry/rect.h"
#include "foundation/system/ref_counted.h"
#include "platform/types/device_types.h"

class DrawingSurface;
class LinkAction;

class InlineObject : public RefCounted {
 public:
  // Draws the object into the box, limited to the clip (null: the box).
  virtual bool Draw(DrawingSurface* surface, const Rect& box, const Rect* clip) = 0;
  // The size the object asks for; scalable says whether the layout may
  // shrink it. True when the object has something to show.
  virtual bool GetSize(Size* size, bool* scalable, bool* secondFlag) = 0;
  // The placement query of the layout: GetSize with the optional outputs
  // cleared first.
  virtual bool QueryPlacement(Size* size, bool* scalable, bool* secondFlag);
  virtual void SetLink(const Size& /*placedSize*/, LinkAction* /*link*/) {}
  virtual void SetBox(const Rect& /*placed*/, uint8_t /*alignment*/) {}
  // Whether a tap should open the object, and then what it does (0 none).
  virtual bool IsTappable() { return false; }
  virtual int32_t TapAction() { return 0; }
  virtual bool MatchesUrl(const WCHAR* /*address*/) { return false; }
  // A form control shows the current link's focus itself: it takes the
  // focus when its area becomes the current link and drops it after.
  virtual void TakeFocus() {}
  virtual void DropFocus() {}
  // Pictures: a drawing hook that takes over from the surface, and the
  // bytes of the picture while they are locked.
  virtual bool DrawsItself(DrawingSurface* /*surface*/) { return false; }
  virtual bool LockData(const uint8_t** /*data*/, uint32_t* /*length*/) { return false; }
  virtual void UnlockData() {}

 protected:
  ~InlineObject() override = default;
};
