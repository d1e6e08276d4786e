// Building a link action from a tag's attributes.
#include "layout/styles/link_action.h"

#include "layout/markup/element_stream.h"
#include "layout/markup/keyword_ids.h"
#include "platform/memory/allocator.h"

namespace {

constexpr uint32_t kNoFilePosition = 0xFFFFFFFFu;  // FILEPOS written as X characters

}  // namespace

LinkAction::~LinkAction() { delete[] ranges_; }

LinkAction* LinkAction::Copy() const {
  LinkAction* copy = DeviceNew<LinkAction>();
  if (copy == nullptr) return nullptr;
  if (ranges_ != nullptr && number > 0) {
    copy->ranges_ = DeviceNewArray<TextRangeRef>(static_cast<uint32_t>(number));
    if (copy->ranges_ == nullptr) {
      copy->Release();
      return nullptr;
    }
    for (int32_t i = 0; i < number; ++i) copy->ranges_[i] = ranges_[i];
  }
  copy->reference = reference;
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
  LinkAction* action = DeviceNew<LinkAction>();
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

void LinkAction::SetNumberPair(uint16_t a, uint16_t b) {
  kind = kNumberPair;
  first = a;
  second = b;
}

void LinkAction::SetNumberPairReference(uint16_t a, uint16_t b, void* pointer) {
  SetNumberPair(a, b);
  kind = kNumberPairReference;
  reference = pointer;
}

void LinkAction::SetNumberPairText(uint16_t a, uint16_t b, const SharedWideString& text) {
  SetNumberPair(a, b);
  kind = kNumberPairText;
  target = text;
}

bool LinkAction::SetRangeList(const TextRangeRef* ranges, uint32_t firstRange, uint32_t count,
                              const SharedWideString& newTarget, const SharedWideString& newTitle, bool marked) {
  if (count > 0x7FFFFFFFu) return false;
  TextRangeRef* copy = nullptr;
  if (count != 0) {
    copy = DeviceNewArray<TextRangeRef>(count);
    if (copy == nullptr) return false;
    for (uint32_t i = 0; i < count; ++i) copy[i] = ranges[firstRange + i];
  }
  delete[] ranges_;
  ranges_ = copy;
  number = static_cast<int32_t>(count);
  kind = marked ? kMarkedRangeList : kRangeList;
  target = newTarget;
  title = newTitle;
  return true;
}

bool LinkAction::SetQualifiedTarget(const SharedWideString& firstText, const SharedWideString& secondText,
                                    int32_t newNumber, const SharedWideString& newTitle,
                                    const SharedWideString& newName, uint16_t flag) {
  SharedWideString joined;
  const WCHAR separator = kTargetSeparator;
  if (!joined.Reserve(firstText.length + 1 + secondText.length) || !joined.Append(firstText) ||
      !joined.AppendChars(&separator, 1) || !joined.Append(secondText))
    return false;
  kind = kQualifiedTarget;
  target = joined;
  number = newNumber;
  title = newTitle;
  name = newName;
  first = flag;
  return true;
}

void LinkAction::SplitTarget(SharedWideString* before, SharedWideString* after) const {
  const WCHAR* chars = target.Chars();
  for (uint32_t i = 0; i < target.length; ++i) {
    if (chars[i] == kTargetSeparator) {
      before->AssignSubstring(target, 0, i);
      after->AssignFrom(target, i + 1);
      return;
    }
  }
  *before = target;
  after->Clear();
}
