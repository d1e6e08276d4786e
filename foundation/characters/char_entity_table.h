// The character entity table: the character of every named entity id (1..253,
// the ids of the markup entity trie) and the reverse search from a character
// to its entity id. The markup reader replaces entity references through it;
// writers of markup and escaped text use the reverse search to find a name.
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"

// Rows 0..253; row 0 is empty and holds code point 0.
inline constexpr uint32_t kEntityRowCount = 254;

// Code point of every row, ascending from row 1 (generated data).
extern const WCHAR kEntityCodePoints[kEntityRowCount];

// The code point of an entity id; 0 for id 0 and for ids beyond the table.
uint16_t EntityCodePoint(uint32_t id);

// The replacement text of an entity: one UTF-16 unit, its own code point,
// except ensp, emsp and thinsp, whose text is the no-break space. The text
// points into constant data (not terminated). Id 0 and ids beyond the table
// have no text: false, with text null and length 0.
bool GetEntityText(uint32_t id, const WCHAR** text, uint32_t* length);

// The entity id whose code point is `codePoint`, 0 when there is none
// (values above U+FFFF included).
uint32_t FindEntityByCodePoint(uint32_t codePoint);
