// Building a link action from a tag's attributes.
#include "layout/styles/link_action.h"

#include <new>

#include "layout/markup/element_stream.h"
#include "layout/markup/keyword_ids.h"

namespace {

constexpr uint32_t kNoFilePosition = 0xFFFFFFFFu;  // FILEPOS written as X characters

}  // namespace

LinkAction* LinkAction::Copy() const {
  LinkAction* copy = new (std::nothrow) LinkAction;
  if (copy == nullptr) return nullptr;
  copy->kind = kind;
  copy->target = target;
  copy->number = number;
  copy->first = first;
  copy->second = second;
  copy->title = title;
  copy->name = name;
  return copy;
}

bool LinkAction::FromAttributes(TokenSource& stream, RefPtr<LinkAction>* link) {
  LinkAction* action = new (std::nothrow) LinkAction;
  link->Adopt(action);
  if (action == nullptr) return false;
  stream.GetAttributeText(kMarkupName, &action->name);
  uint32_t filePosition = 0;
  const bool hasFilePosition = stream.GetAttributeValue(kMarkupFilepos, &filePosition);
  // -1 (the X form) has bit 31 set too: it is tested first and suppresses
  // HREF rather than counting as a relative position.
  if (hasFilePosition && filePosition != kNoFilePosition) {
    action->kind = kFilePosition;
    action->number = static_cast<int32_t>(filePosition);
  } else if (!hasFilePosition && stream.GetAttributeText(kMarkupHref, &action->target)) {
    action->kind = kAddress;
  }
  SharedWideString script;
  if (stream.GetAttributeText(kMarkupOnclick, &script)) {
    action->kind = kScript;
    action->target = script;
  }
  if (action->kind == 0) link->Clear();
  return true;
}
