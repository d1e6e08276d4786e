// The root's command-handler list and the dispatch of a command: the
// handlers from the highest priority down, then the focused element and its
// parents up to the scope that focused it.
#include "layout/elements/ui_container.h"

int32_t UIContainer::IndexOfHandler(const UIElement* element) const {
  for (uint32_t i = 0; i < handlers_.count; ++i) {
    if (HandlerAt(i)->element == element) return static_cast<int32_t>(i);
  }
  return -1;
}

bool UIContainer::AddCommandHandler(UIElement* element, int32_t priority) {
  int32_t existing = IndexOfHandler(element);
  if (existing >= 0) {
    if (HandlerAt(static_cast<uint32_t>(existing))->priority == priority) return true;
    handlers_.RemoveAt(static_cast<uint32_t>(existing), 1);
  }
  uint32_t at = handlers_.count;
  if (priority != kAppendPriority && at != 0 && priority < HandlerAt(at - 1)->priority) {
    at = 0;
    while (HandlerAt(at)->priority <= priority) ++at;
  }
  // A new entry counts as already offered to a dispatch under way, so the
  // walk does not reach it.
  HandlerEntry entry{priority, dispatchStamp_, element};
  return handlers_.InsertAt(at, &entry, 1);
}

void UIContainer::RemoveCommandHandler(UIElement* element) {
  int32_t index = IndexOfHandler(element);
  if (index >= 0) handlers_.RemoveAt(static_cast<uint32_t>(index), 1);
}

bool UIContainer::HandleCommand(const CommandEvent& event) {
  LifetimeGuard self(&anchor_);
  uint32_t stamp = ++dispatchStamp_;
  for (;;) {
    // The last entry not yet offered the event: the walk goes from the
    // highest priority down, whatever the handlers add or remove.
    UIElement* handler = nullptr;
    for (uint32_t i = handlers_.count; i-- > 0;) {
      HandlerEntry* entry = HandlerAt(i);
      if (entry->stamp != stamp) {
        entry->stamp = stamp;
        handler = entry->element;
        break;
      }
    }
    if (handler == nullptr) break;
    if (handler->HandleCommand(event)) return true;
    if (!self.IsWatching()) return false;
  }
  return DispatchToFocusedChain(event);
}

bool UIContainer::DispatchToFocusedChain(const CommandEvent& event) {
  UIElement* element = focusedElement_;
  if (element == nullptr) return false;
  LifetimeGuard self(&anchor_);
  LifetimeGuard guard(element->Anchor());
  for (;;) {
    if (element->HandleCommand(event)) return true;
    if (!guard.IsWatching() || !self.IsWatching()) return false;
    UIContainer* parent = element->parent_;
    if (parent == nullptr || parent == this) return false;
    element = parent;
    guard.Watch(element->Anchor());
  }
}
