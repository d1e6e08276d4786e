// UIElement: the abstract leaf of a window's element tree. Everything drawn
// or touched on the screen derives from it or from UIContainer; the root of
// every tree is the window's DrawingSurface.
//
// The virtual operations below are the shared interface of every on-screen
// element, in the order derived classes keep: pointer input with capture,
// focus with nested focus scopes, drawing passes and transforms that climb
// to the root, commands, notifications and layers. An element owns nothing
// of the tree: its parent does not delete it, and destroying it detaches it
// (hides it, releases its capture, leaves the command-handler and child
// lists, drops the focus) and then clears every LifetimeGuard that watches
// it, so a loop calling out to it learns that it is gone.
#pragma once

#include <cstdint>

#include "foundation/geometry/rect.h"
#include "foundation/geometry/transform.h"
#include "foundation/system/lifetime_guard.h"
#include "layout/elements/command_event.h"
#include "platform/types/device_types.h"

class InlineObject;
class UIContainer;
class SegmentedArray;

class UIElement {
 public:
  UIElement() = default;
  UIElement(const UIElement&) = delete;
  UIElement& operator=(const UIElement&) = delete;
  // Detaches the element (LeaveParent), then clears the guards.
  virtual ~UIElement();

  // ---- Virtual interface, in the order every element keeps.
  virtual UIContainer* AsContainer() { return nullptr; }
  virtual void CaptureInput(bool activate);
  virtual void ReleaseInput(bool deactivate);
  virtual void OnCaptureChanged(bool /*captured*/) {}
  // Whether the element has a visibility of its own.
  virtual bool IsHideable() { return false; }
  virtual bool Show(bool /*visible*/) { return false; }
  virtual bool IsVisible() { return false; }
  virtual bool HitTest(Point point) = 0;
  virtual bool OnPointerDown(Point /*point*/) { return false; }
  virtual bool OnPointerMove(bool /*buttonDown*/, Point /*point*/) { return false; }
  virtual bool OnPointerUp(Point /*point*/) { return false; }
  virtual bool Activate(bool /*on*/, intptr_t /*arg*/) { return false; }
  virtual bool HandleCommand(const CommandEvent& /*event*/) { return false; }
  virtual bool AcceptText(const WCHAR* /*text*/) { return false; }
  virtual void Paint(const Rect& /*rect*/, uint32_t /*flags*/) {}
  virtual void Broadcast(intptr_t /*value*/) {}
  virtual void Notify(int32_t /*kind*/) {}
  virtual void Redraw(const Rect* /*rect*/) {}
  virtual void ExecuteCommand(int32_t /*command*/, intptr_t /*arg*/) {}
  virtual bool IsCommandEnabled(int32_t /*command*/) { return false; }
  virtual bool IsCommandChecked(int32_t /*command*/) { return false; }
  // Drawing passes climb to the root, which owns the device context; an
  // element without a parent has none (false).
  virtual bool BeginDraw(bool noRedraw);
  virtual bool EndDraw();
  // The element's own transform; `inner` tells whether the element is
  // crossed on the way to an ancestor (true) or ends the chain (false).
  virtual void GetTransform(Transform* out, bool inner);
  virtual void TakeFocus();
  virtual void DropFocus();
  virtual void OnFocusChanged(bool /*focused*/) {}
  virtual bool IsFocusScope() { return false; }
  virtual void ShowFocus(bool /*on*/) {}
  // Places the element inside rect; *remaining is what it leaves to the
  // elements after it.
  virtual void Arrange(Rect* remaining, const Rect& rect) = 0;
  virtual bool Intersects(const Rect& /*rect*/) { return true; }
  virtual bool GetBounds(Rect* /*out*/) { return false; }
  // Children are kept in descending layer order: a higher layer lies below.
  virtual int32_t GetLayer() = 0;
  // Above -128 the element is hit-tested before the others of its parent.
  virtual int32_t GetHitPriority() { return -128; }
  // A retaining element (an open pop-up) keeps the focus when another asks.
  virtual bool RetainsFocus() { return false; }
  virtual uint32_t AdjustPosition(int32_t /*ignored*/, uint32_t position) { return position; }
  // The inline object this element also is (a form control on a page);
  // null for every other element.
  virtual InlineObject* AsInlineObject() { return nullptr; }

  // ---- Non-virtual operations.
  UIElement* GetRoot();
  UIContainer* GetParent() const { return parent_; }
  // The nearest focus scope: this element when it is a container, else its
  // parent, and up; null when none.
  UIContainer* FindFocusScope();
  UIElement* FindFocusedElement();
  // Moves the element under another container (null: detaches it). False,
  // with the element detached, when the new list cannot grow.
  bool SetParent(UIContainer* container);
  void LeaveParent();
  bool RegisterCommandHandler(int32_t priority);
  void UnregisterCommandHandler();
  bool IsObscured(const Rect& rect);
  void RepaintUnderneath(uint32_t flags);
  void GetTransformTo(bool includeSelf, bool includeAncestor, UIElement* ancestor, Transform* out);
  void MapPoint(Point* out, bool includeSelf, bool includeAncestor, UIElement* ancestor, Point point,
                bool forward);
  // A path of child indexes from the ancestor down to the element, written
  // into `path` (a SegmentedArray of int32 items, emptied first). False when
  // the element is not below the ancestor or memory runs out.
  static bool GetChildPath(UIElement* ancestor, SegmentedArray* path, UIElement* element);
  // The element the path leads to from this one; null when a step leaves
  // the tree.
  UIElement* ResolveChildPath(const SegmentedArray& path);

  bool HasFocus() const { return hasFocus_ != 0; }
  bool HoldsCapture() const { return inputCaptured_ != 0; }
  LifetimeAnchor* Anchor() { return &anchor_; }

 protected:
  friend class UIContainer;

  LifetimeAnchor anchor_;
  UIContainer* focusScope_ = nullptr;  // the container that gave the focus
  uint8_t hasFocus_ = 0;
  UIContainer* parent_ = nullptr;
  uint8_t inputCaptured_ = 0;
};
