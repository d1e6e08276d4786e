// The style of every open element, kept beside the element record stack
// (one ElementStyle per record, bottom first), and the token source that
// replays one record's attributes so that the styles of a restored stack
// are derived again exactly as when the elements were first read.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_typed.h"
#include "layout/markup/element_record_stack.h"
#include "layout/markup/element_stream.h"
#include "layout/styles/element_style.h"

class ByteStream;

// A token source over one record of an ElementRecordStack: its tag (never
// closing or self-contained), its position and its attributes by id.
class RecordTokenSource : public TokenSource {
 public:
  void Bind(const ElementRecordStack* stack) { stack_ = stack; record_ = ElementRecordStack::kNoRecord; }
  void SetRecord(uint32_t firstWord) { record_ = firstWord; }

  uint32_t GetPosition() override;
  uint32_t GetTag(bool* closing, bool* selfContained) override;
  uint32_t GetAttributeCount() override;
  const MarkupAttribute* GetAttribute(uint32_t) override { return nullptr; }
  bool GetAttributeText(uint32_t attributeId, SharedWideString* text) override;
  bool GetAttributeValue(uint32_t attributeId, uint32_t* value) override;

 private:
  const ElementRecordStack* stack_ = nullptr;
  uint32_t record_ = ElementRecordStack::kNoRecord;
};

class ElementStyleRecords {
 public:
  ElementStyleRecords() { styles_.SetGeometry(1); }

  uint32_t Count() const { return styles_.count; }
  const ElementStyle& At(uint32_t i) const { return *styles_.At(i); }
  bool Append(const ElementStyle& style) { return styles_.Append(style) >= 0; }
  void Pop() {
    if (styles_.count != 0) *styles_.At(--styles_.count) = ElementStyle{};
  }
  void Clear() { styles_.Clear(); }
  bool Reserve(uint32_t n) { return styles_.Reserve(n); }
  // False on lack of memory (this array is then empty); the styles' links
  // are shared, counted.
  bool CopyFrom(const ElementStyleRecords& other) {
    if (&other == this) return true;
    styles_.Clear();  // no slot beyond the copy keeps an old link
    if (styles_.CopyFrom(other.styles_)) return true;
    styles_.Clear();
    return false;
  }
  void MoveFrom(ElementStyleRecords& other) {
    if (&other != this) styles_.MoveFrom(other.styles_);
  }

  // Replays every record of the stack, from the bottom, over `base`. False
  // on lack of memory (the records then empty).
  bool Derive(const ElementRecordStack& stack, const DefaultStyle& defaults, const ElementStyle& base);

 private:
  SegmentedTypedArray<ElementStyle> styles_;  // two per block
};

// Reads a saved stack and derives its styles again; false (both empty) for
// a damaged chunk or lack of memory.
bool ReadElementRecords(ByteStream* stream, ElementRecordStack* stack, ElementStyleRecords* styles,
                        const DefaultStyle& defaults, const ElementStyle& base);
