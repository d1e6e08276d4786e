// Focus scopes: giving and taking the focus, the remembered focus that
// comes back when the focused element goes, and retaining elements (an open
// pop-up) that keep the focus when another element asks for it. Every call
// out to an element is watched with guards, since focus handlers may
// destroy the element or the scope.
#include "layout/elements/ui_container.h"

void UIContainer::FocusChild(UIElement* element) {
  UIContainer* scope = FindFocusScope();
  if (scope == nullptr) return;
  UIElement* current = scope->FindFocusedElement();
  UIElement* retaining = current != nullptr && current->RetainsFocus() ? current : nullptr;
  LifetimeGuard retainingGuard(retaining != nullptr ? retaining->Anchor() : nullptr);
  LifetimeGuard scopeGuard(scope->Anchor());
  scope->SaveAndClearFocus();
  if (!scopeGuard.IsWatching()) return;
  scope->SetFocusedChild(element, true);
  if (retaining == nullptr || retaining == element || !retainingGuard.IsWatching() || !scopeGuard.IsWatching()) {
    return;
  }
  // The focus goes back to the retaining element; the newcomer is the one
  // remembered for when it lets go.
  scope->SaveAndClearFocus();
  if (scopeGuard.IsWatching() && retainingGuard.IsWatching()) scope->SetFocusedChild(retaining, true);
}

void UIContainer::UnfocusChild(UIElement* element) {
  LifetimeGuard self(&anchor_);
  SetFocusedChild(element, false);
  if (self.IsWatching()) RestoreFocus(element);
}

void UIContainer::SaveAndClearFocus() {
  UIElement* focused = focusedElement_;
  if (focused == nullptr) return;
  LifetimeGuard self(&anchor_);
  LifetimeGuard focusedGuard(focused->Anchor());
  SetFocusedChild(focused, false);
  if (!self.IsWatching() || !focusedGuard.IsWatching()) return;
  if (!focused->IsHideable() || focused->IsVisible()) {
    rememberedFocus_.Watch(focused->Anchor());
    rememberedElement_ = focused;
  }
}

void UIContainer::RestoreFocus(UIElement* except) {
  if (focusedElement_ != nullptr || !rememberedFocus_.IsWatching()) return;
  UIElement* remembered = rememberedElement_;
  rememberedFocus_.Release();
  rememberedElement_ = nullptr;
  if (remembered == except || remembered->FindFocusScope() != this) return;
  if (remembered->IsHideable() && !remembered->IsVisible()) return;
  FocusChild(remembered);
}

void UIContainer::SetFocusedChild(UIElement* element, bool give) {
  LifetimeGuard scopeGuard(&anchor_);
  LifetimeGuard elementGuard(element->Anchor());
  if (give) {
    if (element == this) return;
    element->focusScope_ = this;
    focusedElement_ = element;
    element->OnFocusChanged(true);
    if (!scopeGuard.IsWatching() || !elementGuard.IsWatching() || focusedElement_ != element) return;
    element->hasFocus_ = 1;
    if (element->parent_ != nullptr) element->parent_->OnChildFocusChanged(element, nullptr, true);
    return;
  }
  element->OnFocusChanged(false);
  if (elementGuard.IsWatching()) {
    element->hasFocus_ = 0;
    if (element->parent_ != nullptr) element->parent_->OnChildFocusChanged(element, nullptr, false);
    if (elementGuard.IsWatching()) element->focusScope_ = nullptr;
  }
  if (scopeGuard.IsWatching() && focusedElement_ == element) focusedElement_ = nullptr;
}

void UIContainer::OnChildFocusChanged(UIElement* element, UIElement* /*origin*/, bool focused) {
  if (parent_ != nullptr && !parent_->IsFocusScope()) parent_->OnChildFocusChanged(element, this, focused);
}
