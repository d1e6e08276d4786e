// MakeLinkAction: a document property as a link action.
#include "layout/styles/document_link_action.h"

#include "platform/memory/allocator.h"

LinkAction* MakeLinkAction(const DocumentProperty& property) {
  LinkAction* action = DeviceNew<LinkAction>();
  if (action == nullptr) return nullptr;
  if (property.position == DocumentProperty::kPositionIsUrl) {
    action->kind = LinkAction::kAddress;
    action->target = property.text;
  } else if (property.position == DocumentProperty::kPositionIsScript) {
    action->kind = LinkAction::kScript;
    action->target = property.text;
  } else {
    action->kind = LinkAction::kFilePosition;
    action->number = property.position;
  }
  return action;
}
