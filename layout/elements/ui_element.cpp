// UIElement: detaching, the parent and root links, focus requests, the
// command-handler registration and the climb of drawing passes. Focus
// scopes and capture themselves are the container's (ui_container_*.cpp);
// transforms and child paths are in ui_element_paths.cpp.
#include "layout/elements/ui_element.h"

#include "layout/elements/ui_container.h"

UIElement::~UIElement() {
  LeaveParent();
  // A focus given by a scope that is not the parent (a detached element
  // keeps its scope link) is dropped too, so no scope points at us.
  DropFocus();
  anchor_.InvalidateGuards();
}

void UIElement::CaptureInput(bool activate) {
  if (inputCaptured_) return;
  inputCaptured_ = 1;
  if (parent_ != nullptr) {
    parent_->CaptureChild(this, activate);
  } else {
    OnCaptureChanged(true);
  }
}

void UIElement::ReleaseInput(bool deactivate) {
  if (!inputCaptured_) return;
  if (parent_ != nullptr) {
    parent_->ReleaseChild(this, deactivate);
  } else {
    OnCaptureChanged(false);
  }
  inputCaptured_ = 0;
}

bool UIElement::BeginDraw(bool noRedraw) { return parent_ != nullptr && parent_->BeginDraw(noRedraw); }

bool UIElement::EndDraw() { return parent_ != nullptr && parent_->EndDraw(); }

void UIElement::GetTransform(Transform* out, bool /*inner*/) { out->SetIdentity(); }

void UIElement::TakeFocus() {
  if (hasFocus_) return;
  UIContainer* scope = FindFocusScope();
  if (scope != nullptr) scope->FocusChild(this);
}

void UIElement::DropFocus() {
  if (!hasFocus_ && focusScope_ == nullptr) return;
  UIContainer* scope = focusScope_;
  if (scope == nullptr) scope = FindFocusScope();
  if (scope != nullptr) {
    scope->UnfocusChild(this);
  } else {
    hasFocus_ = 0;
  }
}

UIElement* UIElement::GetRoot() {
  UIElement* node = this;
  while (node->parent_ != nullptr) node = node->parent_;
  return node;
}

UIContainer* UIElement::FindFocusScope() {
  UIContainer* node = AsContainer();
  if (node == nullptr) node = parent_;
  while (node != nullptr && !node->IsFocusScope()) node = node->parent_;
  return node;
}

UIElement* UIElement::FindFocusedElement() {
  UIContainer* self = AsContainer();
  if (self != nullptr && self->focusedElement_ != nullptr) return self->focusedElement_;
  UIContainer* scope = FindFocusScope();
  if (scope == nullptr || scope == this) return nullptr;
  UIElement* focused = scope->FindFocusedElement();
  for (UIElement* node = focused; node != nullptr; node = node->parent_) {
    if (node == this) return focused;
  }
  return nullptr;
}

bool UIElement::SetParent(UIContainer* container) {
  if (parent_ == container) return true;
  DropFocus();
  LeaveParent();
  if (container == nullptr) return true;
  if (!container->InsertChild(this)) return false;
  parent_ = container;
  return true;
}

void UIElement::LeaveParent() {
  if (IsHideable()) Show(false);
  ReleaseInput(false);
  if (parent_ == nullptr) return;
  // The root is found through the parent, so the handler goes first.
  UnregisterCommandHandler();
  parent_->RemoveChild(this);
  parent_ = nullptr;
  DropFocus();
}

bool UIElement::RegisterCommandHandler(int32_t priority) {
  UIContainer* root = GetRoot()->AsContainer();
  return root != nullptr && root->AddCommandHandler(this, priority);
}

void UIElement::UnregisterCommandHandler() {
  UIContainer* root = GetRoot()->AsContainer();
  if (root != nullptr) root->RemoveCommandHandler(this);
}

bool UIElement::IsObscured(const Rect& rect) {
  UIElement* child = this;
  for (UIContainer* ancestor = parent_; ancestor != nullptr; ancestor = ancestor->parent_) {
    if (ancestor->IsChildObscured(child, rect)) return true;
    child = ancestor;
  }
  return false;
}

void UIElement::RepaintUnderneath(uint32_t flags) {
  Rect bounds;
  if (parent_ == nullptr || !GetBounds(&bounds)) return;
  parent_->PaintChildrenBelow(this, bounds, flags);
}
