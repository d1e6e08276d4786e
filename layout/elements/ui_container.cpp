// UIContainer: the child list in layer order, hit testing and pointer
// routing, capture, painting, redraws, notifications and arrangement.
#include "layout/elements/ui_container.h"

namespace {
constexpr uint8_t kListShift = 2;  // blocks of four entries
}

UIContainer::UIContainer() {
  children_.InitWithShift(sizeof(UIElement*), kListShift, 0, 0);
  handlers_.InitWithShift(sizeof(HandlerEntry), kListShift, 0, 0);
}

UIContainer::~UIContainer() {
  // The children are not ours to delete; they are cut loose so that none
  // keeps a link to a container that is gone.
  for (uint32_t i = 0; i < children_.count; ++i) ChildAt(i)->parent_ = nullptr;
  if (focusedElement_ != nullptr && focusedElement_->focusScope_ == this) {
    focusedElement_->focusScope_ = nullptr;
    focusedElement_->hasFocus_ = 0;
  }
  focusedElement_ = nullptr;
  inputChild_ = nullptr;
  children_.Free();
  handlers_.Free();
  rememberedFocus_.Release();
}

int32_t UIContainer::IndexOfChild(const UIElement* element) const {
  for (uint32_t i = 0; i < children_.count; ++i) {
    if (ChildAt(i) == element) return static_cast<int32_t>(i);
  }
  return -1;
}

bool UIContainer::InsertChild(UIElement* element) {
  if (element == nullptr) return false;
  if (element->parent_ == this && IndexOfChild(element) >= 0) return true;
  // A child always knows its parent: it leaves its list when it goes, and
  // one that moved here first leaves the list it was in.
  if (element->parent_ != nullptr) element->LeaveParent();
  int32_t layer = element->GetLayer();
  uint32_t at = 0;
  while (at < children_.count && ChildAt(at)->GetLayer() > layer) ++at;
  if (!children_.InsertAt(at, &element, 1)) return false;
  element->parent_ = this;
  return true;
}

void UIContainer::RemoveChild(UIElement* element) {
  int32_t index = IndexOfChild(element);
  if (index >= 0) children_.RemoveAt(static_cast<uint32_t>(index), 1);
  if (inputChild_ == element) {
    inputChild_ = nullptr;
    inputChildActivated_ = 0;
    captureActive_ = 0;
  }
}

// ---- Hit testing and pointer routing

bool UIContainer::FindInputChild(Point point, UIElement** child, bool deactivateWhenNone) {
  *child = nullptr;
  if (captureActive_) {
    *child = inputChild_;
    return inputChild_ != nullptr;
  }
  UIElement* hitInput = nullptr;
  if (inputChild_ != nullptr && inputChild_->HitTest(point)) hitInput = inputChild_;
  for (int pass = 0; pass < 2; ++pass) {
    for (uint32_t i = children_.count; i-- > 0;) {
      if (i >= children_.count) continue;  // a hit test removed children
      UIElement* candidate = ChildAt(i);
      if (pass == 0 && candidate->GetHitPriority() <= -128) continue;
      if (candidate == hitInput || candidate->HitTest(point)) {
        *child = candidate;
        return true;
      }
    }
  }
  if (deactivateWhenNone) Activate(false, 0);
  return false;
}

bool UIContainer::HitTest(Point point) {
  UIElement* child;
  return FindInputChild(point, &child, false);
}

void UIContainer::SetInputChild(UIElement* child) {
  if (child == inputChild_) return;
  if (inputChild_ != nullptr && inputChildActivated_) inputChild_->Activate(false, 0);
  inputChild_ = child;
  inputChildActivated_ = child != nullptr && child->Activate(true, 0) ? 1 : 0;
}

bool UIContainer::OnPointerDown(Point point) {
  UIElement* child;
  if (!FindInputChild(point, &child, true)) return false;
  SetInputChild(child);
  return child->OnPointerDown(point);
}

bool UIContainer::OnPointerMove(bool buttonDown, Point point) {
  UIElement* child;
  if (!FindInputChild(point, &child, true)) return false;
  SetInputChild(child);
  return child->OnPointerMove(buttonDown, point);
}

bool UIContainer::OnPointerUp(Point point) {
  UIElement* child;
  if (!FindInputChild(point, &child, true)) return false;
  SetInputChild(child);
  return child->OnPointerUp(point);
}

bool UIContainer::Activate(bool on, intptr_t arg) {
  if (on || captureActive_ || inputChild_ == nullptr) return false;
  UIElement* child = inputChild_;
  bool activated = inputChildActivated_ != 0;
  inputChild_ = nullptr;
  inputChildActivated_ = 0;
  return activated && child->Activate(false, arg);
}

// ---- Capture

void UIContainer::CaptureChild(UIElement* child, bool activate) {
  if (captureActive_) {
    UIElement* old = inputChild_;
    if (old != nullptr && old != child) {
      old->inputCaptured_ = 0;
      ReleaseChild(old, inputChildActivated_ != 0);
    }
  } else if (inputChild_ != nullptr && inputChild_ != child && inputChildActivated_) {
    inputChild_->Activate(false, 0);
  }
  inputChild_ = child;
  captureActive_ = 1;
  inputChildActivated_ = activate && child->Activate(true, 0) ? 1 : 0;
  child->OnCaptureChanged(true);
  CaptureInput(activate);
}

void UIContainer::ReleaseChild(UIElement* child, bool deactivate) {
  captureActive_ = 0;
  if (deactivate && inputChildActivated_) child->Activate(false, 0);
  inputChildActivated_ = 0;
  child->OnCaptureChanged(false);
  child->inputCaptured_ = 0;
  inputChild_ = nullptr;
  ReleaseInput(deactivate);
}

void UIContainer::OnCaptureChanged(bool captured) {
  if (captured || !captureActive_ || inputChild_ == nullptr) return;
  inputCaptured_ = 0;
  ReleaseChild(inputChild_, inputChildActivated_ != 0);
}

// ---- Painting, redraws, notifications, arrangement

void UIContainer::PaintChildrenBelow(UIElement* limit, const Rect& rect, uint32_t flags) {
  LifetimeGuard self(&anchor_);
  for (uint32_t i = 0; i < children_.count; ++i) {
    UIElement* child = ChildAt(i);
    if (child == limit) return;
    child->Paint(rect, flags);
    if (!self.IsWatching()) return;
  }
}

void UIContainer::Paint(const Rect& rect, uint32_t flags) { PaintChildrenBelow(nullptr, rect, flags); }

void UIContainer::RedrawChildren(const Rect* rect) {
  LifetimeGuard self(&anchor_);
  for (uint32_t i = 0; i < children_.count; ++i) {
    UIElement* child = ChildAt(i);
    if (rect != nullptr && !child->Intersects(*rect)) continue;
    child->Redraw(rect);
    if (!self.IsWatching()) return;
    OnChildrenRedrawn();
    if (!self.IsWatching()) return;
  }
}

void UIContainer::Redraw(const Rect* rect) { RedrawChildren(rect); }

// Where a walk over the children goes on after `child` (at `index` when it
// was called) changed the list: after the child's new place, or, when it
// left, before the index it had (the loop's increment then lands on the
// child that moved into its place). Unsigned wrap-around is intended.
uint32_t UIContainer::ResumeIndex(const UIElement* child, uint32_t index) const {
  if (index < children_.count && ChildAt(index) == child) return index;
  int32_t now = IndexOfChild(child);
  return now >= 0 ? static_cast<uint32_t>(now) : index - 1;
}

void UIContainer::Broadcast(intptr_t value) {
  LifetimeGuard self(&anchor_);
  for (uint32_t i = 0; i < children_.count; ++i) {
    UIElement* child = ChildAt(i);
    child->Broadcast(value);
    if (!self.IsWatching()) return;
    i = ResumeIndex(child, i);
  }
}

void UIContainer::Notify(int32_t kind) {
  LifetimeGuard self(&anchor_);
  for (uint32_t i = 0; i < children_.count; ++i) {
    UIElement* child = ChildAt(i);
    child->Notify(kind);
    if (!self.IsWatching()) return;
    i = ResumeIndex(child, i);
  }
}

void UIContainer::Arrange(Rect* remaining, const Rect& rect) {
  Rect left = rect;
  for (uint32_t i = 0; i < children_.count; ++i) {
    Rect next = left;
    ChildAt(i)->Arrange(&next, left);
    left = next;
  }
  *remaining = left;
}

bool UIContainer::Intersects(const Rect& rect) {
  for (uint32_t i = 0; i < children_.count; ++i) {
    if (ChildAt(i)->Intersects(rect)) return true;
  }
  return false;
}

bool UIContainer::IsChildObscured(UIElement* child, const Rect& rect) {
  int32_t index = IndexOfChild(child);
  if (index < 0) return false;
  for (uint32_t i = static_cast<uint32_t>(index) + 1; i < children_.count; ++i) {
    if (ChildAt(i)->Intersects(rect)) return true;
  }
  return false;
}
