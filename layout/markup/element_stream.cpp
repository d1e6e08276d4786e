// The operations that every element stream shares: attribute look-up by id
// and skipping an element with its content.
#include "layout/markup/element_stream.h"

#include "layout/markup/attribute_value.h"

TokenSource::~TokenSource() = default;

bool TokenSource::GetAttributeText(uint32_t attributeId, SharedWideString* text) {
  uint32_t count = GetAttributeCount();
  for (uint32_t n = 0; n < count; ++n) {
    const MarkupAttribute* attribute = GetAttribute(n);
    if (attribute != nullptr && attribute->id == attributeId) {
      *text = attribute->value;
      return true;
    }
  }
  text->Clear();
  return false;
}

bool TokenSource::GetAttributeValue(uint32_t attributeId, uint32_t* value) {
  SharedWideString text;
  if (!GetAttributeText(attributeId, &text)) return false;
  return ParseAttributeValue(attributeId, text.Chars(), text.length, value);
}

uint32_t ElementStream::SkipElement() {
  bool closing = false, selfContained = false;
  uint32_t id = GetTag(&closing, &selfContained);
  if (GetKind() != kElementTag || closing || selfContained) return id;
  uint32_t depth = 1;
  for (;;) {
    int32_t kind = Next();
    if (kind == kElementEnd) return 0;
    if (kind != kElementTag) continue;
    bool c = false, s = false;
    if (GetTag(&c, &s) != id || s) continue;
    if (c) {
      if (--depth == 0) return id;
    } else {
      ++depth;
    }
  }
}
