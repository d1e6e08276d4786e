// The rules the tag-to-layout builder applies to one element, kept apart
// from the builder's walk so each can be checked on its own: which break an
// opening or closing block writes, what the tag handler does with a tag of
// the special content classes, the clamps of cell spans, and the size of a
// placed object.
#pragma once

#include <cstdint>

// The break item type for a break class (opening tag) or block role
// (closing tag); -1 when the value writes no break.
int32_t BreakTypeFor(int32_t classOrRole, bool tableOpen);

enum class TagHandling {
  kRule,          // HR: a horizontal rule object
  kPicture,       // IMG
  kSkipElement,   // SCRIPT, MAP, BUTTON, STYLE: read on to the closing tag
  kNothing,       // head, metadata and feed tags: nothing is written
  kForm,          // FORM: the general steps continue
  kFormControl,   // INPUT, SELECT, TEXTAREA, LABEL
};
// What the tag handler does with a tag of the content classes 2, 13, 14 and
// 17. A tag without a case of its own (DC:LANGUAGE among them) writes
// nothing: an unknown tag never ends the flow of the rest of the book.
TagHandling HandlingOfTag(uint32_t tagId);

// Cell spans from markup, whose numbers are unbounded: missing or 0 gives 1.
uint32_t ClampColumnSpan(bool given, uint32_t value);  // 1 to 1,000
uint32_t ClampRowSpan(bool given, uint32_t value);     // 1 to 65,534

// The placed size of an object of natural size naturalWidth x naturalHeight
// given an optional WIDTH and HEIGHT in pixels. A given size larger than the
// natural one counts as absent (objects are never enlarged); for a scalable
// object with one dimension given the other follows the aspect ratio (in 64
// bits; skipped when the natural dimension it divides by is 0); what is
// still absent takes the natural size.
void PlaceObjectSize(int32_t naturalWidth, int32_t naturalHeight, bool scalable, bool hasWidth, int32_t width,
                     bool hasHeight, int32_t height, int32_t* placedWidth, int32_t* placedHeight);
