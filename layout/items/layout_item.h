// The typed records of the layout item store: a run of text (LayoutItem)
// and a placed inline object (LayoutObject). Style runs are TextStyles.
#pragma once

#include <cstdint>

#include "foundation/system/ref_counted.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "layout/objects/inline_object.h"

class DrawingSurface;

struct LayoutItem {
  int32_t layoutWords[2] = {0, 0};  // set by the layout engine
  int32_t width = 0;                // set by Measure
  int32_t height = 0;
  SharedWideString text;

  // Copies the four words and the text (sharing its buffer).
  void Assign(const LayoutItem& other) { *this = other; }
  // Copies the four words only.
  void AssignWords(const LayoutItem& other) {
    layoutWords[0] = other.layoutWords[0];
    layoutWords[1] = other.layoutWords[1];
    width = other.width;
    height = other.height;
  }
  // Measures the text in the surface's current font into width and height.
  void Measure(DrawingSurface* surface);
};

struct LayoutObject {
  int32_t words[10] = {};
  uint8_t flags = 0;  // bits 0-3 used
  int32_t moreWords[3] = {};
  RefPtr<InlineObject> object;

  LayoutObject() = default;
  LayoutObject(const LayoutObject& other) { Assign(other); }
  LayoutObject& operator=(const LayoutObject& other) {
    Assign(other);
    return *this;
  }
  LayoutObject(LayoutObject&&) noexcept = default;
  LayoutObject& operator=(LayoutObject&&) noexcept = default;

  // Copies every field, the four used flag bits, and the reference (counted).
  void Assign(const LayoutObject& other) {
    if (this == &other) return;
    for (int i = 0; i < 10; ++i) words[i] = other.words[i];
    flags = static_cast<uint8_t>(other.flags & 0x0F);
    for (int i = 0; i < 3; ++i) moreWords[i] = other.moreWords[i];
    object = other.object;
  }
};
