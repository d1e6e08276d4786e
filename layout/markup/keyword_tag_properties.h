// What every markup id is: the tag property table (one word per id) and the
// content-class rules that drive the parser's implicit closing. The parser,
// the attribute store and the layout builder read them; ids beyond the table
// read as the empty word 0 (neither tag nor attribute).
#pragma once

#include <cstdint>

#include "layout/markup/keyword_ids.h"

// Bits of a property word.
inline constexpr uint16_t kTagContentClassMask = 0x001F;  // classes 0-17
inline constexpr uint16_t kTagIsTag = 0x0020;
inline constexpr uint16_t kTagIsAttribute = 0x0040;
inline constexpr uint16_t kTagClosedBySibling = 0x0080;  // closed implicitly by a later sibling
inline constexpr uint16_t kTagIsEmpty = 0x0100;          // never has content or an end tag
inline constexpr uint16_t kTagHasTextValue = 0x0200;     // text attribute / metadata text tag

inline constexpr uint32_t kContentClassCount = 18;

// Class sets (bit n = class n).
inline constexpr uint32_t kClassesHandledTags = 0x26004;    // 2, 13, 14, 17: the tag handler's
inline constexpr uint32_t kClassesBlocksAndLists = 0x1E02;  // 1, 9, 10, 11, 12
inline constexpr uint32_t kClassesTableParts = 0xF0;        // 4, 5, 6, 7

// One word per markup id 0..205 (generated data).
extern const uint16_t kTagPropertyTable[kMarkupIdCount];

inline uint16_t TagProperties(uint32_t id) {
  return id < kMarkupIdCount ? kTagPropertyTable[id] : 0;
}
inline bool IsEmptyElement(uint32_t id) { return (TagProperties(id) & kTagIsEmpty) != 0; }
inline bool IsTag(uint32_t id) { return (TagProperties(id) & kTagIsTag) != 0; }
inline bool IsAttribute(uint32_t id) { return (TagProperties(id) & kTagIsAttribute) != 0; }
inline bool HasTextValue(uint32_t id) { return (TagProperties(id) & kTagHasTextValue) != 0; }
inline bool IsClosedBySibling(uint32_t id) {
  return (TagProperties(id) & kTagClosedBySibling) != 0;
}
inline uint32_t ContentClass(uint32_t id) { return TagProperties(id) & kTagContentClassMask; }

inline bool IsContentClassIn(uint32_t id, uint32_t classSet) {
  return ((classSet >> ContentClass(id)) & 1u) != 0;
}
inline bool IsHandledTagClass(uint32_t id) { return IsContentClassIn(id, kClassesHandledTags); }
inline bool IsBlockOrListClass(uint32_t id) {
  return IsContentClassIn(id, kClassesBlocksAndLists);
}
inline bool IsTablePartClass(uint32_t id) { return IsContentClassIn(id, kClassesTableParts); }

// Content-class rules of the implicit closing. Class numbers beyond the
// table answer 0 (nothing allowed, nothing passed over).
//
// Allowed children: bit n set = an element of class n may open inside an
// element of class `parentClass`.
uint32_t AllowedChildClasses(uint32_t parentClass);

// Pass-over mask for a new tag of class `tagClass`: bit n set = an open
// element of class n may be closed on the way down to the match. Column 1
// serves closing tags and opening tags closed by a sibling; column 0 the
// other opening tags.
uint32_t PassOverClasses(uint32_t tagClass, bool closingOrSiblingClosed);
