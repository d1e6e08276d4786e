// UIContainer: an element with children. It keeps them in paint order
// (descending layer: the first child lies at the bottom, the last on top),
// routes pointer input to the child under the point (raised hit priority
// first, then top to bottom; a captured child gets everything), acts as a
// focus scope when it says so, and, at the root, keeps the command-handler
// list that is asked before the focused chain.
//
// A container does not own its children: its destructor frees its lists
// and its remembered-focus guard and neither deletes nor detaches them;
// derived classes delete or detach their children first.
#pragma once

#include "foundation/containers/segmented_array.h"
#include "layout/elements/ui_element.h"

class UIContainer : public UIElement {
 public:
  UIContainer();
  ~UIContainer() override;

  // ---- Element operations a container answers itself.
  UIContainer* AsContainer() override { return this; }
  // Loss of the capture while a child is captured releases that child.
  void OnCaptureChanged(bool captured) override;
  bool HitTest(Point point) override;
  bool OnPointerDown(Point point) override;
  bool OnPointerMove(bool buttonDown, Point point) override;
  bool OnPointerUp(Point point) override;
  // Off: deactivates the input child (unless a capture is active), forgets
  // it and answers its answer. On: false.
  bool Activate(bool on, intptr_t arg) override;
  // The command-handler list (highest priority first), then the focused
  // chain.
  bool HandleCommand(const CommandEvent& event) override;
  void Paint(const Rect& rect, uint32_t flags) override;
  // Both walk the children with a guard on the container, checking the
  // child count again after every call: a child that destroys itself, a
  // sibling or the container ends or shortens the walk safely.
  void Broadcast(intptr_t value) override;
  void Notify(int32_t kind) override;
  void Redraw(const Rect* rect) override;
  void Arrange(Rect* remaining, const Rect& rect) override;
  bool Intersects(const Rect& rect) override;
  int32_t GetLayer() override { return 0; }

  // ---- Container slots.
  virtual bool IsChildObscured(UIElement* child, const Rect& rect);
  virtual void CaptureChild(UIElement* child, bool activate);
  virtual void ReleaseChild(UIElement* child, bool deactivate);
  virtual void FocusChild(UIElement* element);
  virtual void UnfocusChild(UIElement* element);
  virtual void OnChildFocusChanged(UIElement* element, UIElement* origin, bool focused);
  virtual void OnChildrenRedrawn() {}

  // ---- Non-virtual operations.
  bool InsertChild(UIElement* element);
  void RemoveChild(UIElement* element);
  // Finds the child for a point: the captured child while a capture is
  // active, else raised hit priority first, then top to bottom; with
  // deactivateWhenNone, a miss deactivates and forgets the input child.
  bool FindInputChild(Point point, UIElement** child, bool deactivateWhenNone);
  void SetInputChild(UIElement* child);
  // Paints the children in list order, stopping before `limit` (null: all).
  void PaintChildrenBelow(UIElement* limit, const Rect& rect, uint32_t flags);
  // Redraw of every child that meets the rectangle (null: all), each
  // followed by OnChildrenRedrawn.
  void RedrawChildren(const Rect* rect);
  bool AddCommandHandler(UIElement* element, int32_t priority);
  void RemoveCommandHandler(UIElement* element);
  void SetFocusedChild(UIElement* element, bool give);
  void SaveAndClearFocus();
  void RestoreFocus(UIElement* except);

  uint32_t ChildCount() const { return children_.count; }
  UIElement* ChildAt(uint32_t i) const { return *static_cast<UIElement**>(children_.At(i)); }
  // -1 when the element is not a child.
  int32_t IndexOfChild(const UIElement* element) const;
  UIElement* InputChild() const { return inputChild_; }
  bool CaptureActive() const { return captureActive_ != 0; }
  UIElement* FocusedElement() const { return focusedElement_; }
  uint32_t CommandHandlerCount() const { return handlers_.count; }

  // Priority that always appends to the command-handler list.
  static constexpr int32_t kAppendPriority = 256;

 protected:
  friend class UIElement;

  // The stamp marks the entries one dispatch has offered the event to, so
  // that handlers added or removed during the walk are neither skipped nor
  // asked twice.
  struct HandlerEntry {
    int32_t priority;
    uint32_t stamp;
    UIElement* element;
  };
  HandlerEntry* HandlerAt(uint32_t i) const { return static_cast<HandlerEntry*>(handlers_.At(i)); }
  int32_t IndexOfHandler(const UIElement* element) const;
  uint32_t ResumeIndex(const UIElement* child, uint32_t index) const;
  // Offers the event to the focused element and up its parents.
  bool DispatchToFocusedChain(const CommandEvent& event);

  UIElement* inputChild_ = nullptr;
  uint8_t captureActive_ = 0;
  uint8_t inputChildActivated_ = 0;
  UIElement* focusedElement_ = nullptr;
  LifetimeGuard rememberedFocus_;
  UIElement* rememberedElement_ = nullptr;  // meaningful while the guard watches
  SegmentedArray handlers_;  // HandlerEntry, ascending priority
  uint32_t dispatchStamp_ = 0;
  SegmentedArray children_;  // UIElement*, paint order
};
