// Style resolution: an element's style from its parent's, the tag style
// table and the element's own attributes.
#pragma once

#include <cstdint>

#include "layout/styles/element_style.h"
#include "layout/styles/tag_style_table.h"

class TokenSource;

struct StyleChanges {
  bool startsBlock = false;
  bool textChanged = false;
  bool boxChanged = false;
  bool rowColorChanged = false;
};

// Applies a table entry to the parent's style; answers the row-colour
// operation.
uint8_t ApplyTagStyle(const DefaultStyle& defaults, const ElementStyle& parent, const TagStyleEntry& entry,
                      ElementStyle* out, bool* startsBlock, bool* textChanged, bool* boxChanged);

// The whole style of the stream's current tag. A tag without a table entry
// takes the parent's style and changes nothing. False on lack of memory (a
// link could not be made); the style is then the parent's.
bool ApplyAttributeStyle(TokenSource& stream, const DefaultStyle& defaults, const ElementStyle& parent,
                         ElementStyle* out, StyleChanges* changes);
