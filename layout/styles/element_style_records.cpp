// Element style records and the record token source.
#include "layout/styles/element_style_records.h"

#include "layout/styles/style_resolution.h"

uint32_t RecordTokenSource::GetPosition() {
  return record_ == ElementRecordStack::kNoRecord ? 0xFFFFFFFFu : stack_->Position(record_);
}

uint32_t RecordTokenSource::GetTag(bool* closing, bool* selfContained) {
  *closing = false;
  *selfContained = false;
  return record_ == ElementRecordStack::kNoRecord ? 0 : stack_->Tag(record_);
}

uint32_t RecordTokenSource::GetAttributeCount() { return stack_->AttributeCount(record_); }

bool RecordTokenSource::GetAttributeText(uint32_t attributeId, SharedWideString* text) {
  if (stack_->AttributeText(record_, attributeId, text)) return true;
  text->Clear();
  return false;
}

bool RecordTokenSource::GetAttributeValue(uint32_t attributeId, uint32_t* value) {
  return stack_->AttributeValue(record_, attributeId, value);
}

bool ElementStyleRecords::Derive(const ElementRecordStack& stack, const DefaultStyle& defaults,
                                 const ElementStyle& base) {
  Clear();
  if (stack.IsEmpty()) return true;
  if (!styles_.Reserve(stack.RecordCount())) return false;
  RecordTokenSource source;
  source.Bind(&stack);
  const ElementStyle* previous = &base;
  for (uint32_t record = stack.RecordAt(stack.RecordCount() - 1); record != ElementRecordStack::kNoRecord;
       record = stack.NextRecord(record)) {
    source.SetRecord(record);
    ElementStyle style;
    StyleChanges changes;
    if (!ApplyAttributeStyle(source, defaults, *previous, &style, &changes) || !Append(style)) {
      Clear();
      return false;
    }
    previous = styles_.At(styles_.count - 1);
  }
  return true;
}

bool ReadElementRecords(ByteStream* stream, ElementRecordStack* stack, ElementStyleRecords* styles,
                        const DefaultStyle& defaults, const ElementStyle& base) {
  if (!stack->Read(stream) || !styles->Derive(*stack, defaults, base)) {
    stack->Clear();
    styles->Clear();
    return false;
  }
  return true;
}
