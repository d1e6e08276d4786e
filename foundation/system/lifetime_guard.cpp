// The guard list of a lifetime anchor; see lifetime_guard.h.
#include "foundation/system/lifetime_guard.h"

void LifetimeAnchor::Init() {
  head_ = nullptr;
  dead_ = 0;
}

void LifetimeAnchor::Link(LifetimeGuard* guard) {
  if (dead_) {
    guard->prev_ = nullptr;
    guard->next_ = nullptr;
    guard->anchor_ = nullptr;
    return;
  }
  guard->anchor_ = this;
  guard->next_ = head_;
  guard->prev_ = nullptr;
  if (head_ != nullptr) head_->prev_ = guard;
  head_ = guard;
}

void LifetimeAnchor::Unlink(LifetimeGuard* guard) {
  if (guard->prev_ != nullptr) {
    guard->prev_->next_ = guard->next_;
  } else {
    head_ = guard->next_;
  }
  if (guard->next_ != nullptr) guard->next_->prev_ = guard->prev_;
  guard->prev_ = nullptr;
  guard->next_ = nullptr;
  guard->anchor_ = nullptr;
}

void LifetimeAnchor::InvalidateGuards() {
  dead_ = 1;
  for (LifetimeGuard* g = head_; g != nullptr; g = g->next_) g->anchor_ = nullptr;
  head_ = nullptr;
}

void LifetimeGuard::Watch(LifetimeAnchor* anchor) {
  Release();
  if (anchor != nullptr) anchor->Link(this);
}

void LifetimeGuard::Release() {
  if (anchor_ != nullptr) anchor_->Unlink(this);
}
