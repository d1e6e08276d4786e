// The "EXTH" metadata block of a corv book's record 0: "EXTH", u32 block
// length (head included), u32 entry count, then entries of u32 type, u32
// length (its 8-byte head included) and data. The system reads type 200 (the
// short name) and 300 (extra header data).
//
// The walk never leaves the block nor record 0: it ends at an entry shorter
// than its head, at one that would pass the block or the record, or when the
// count is used up.
#pragma once

#include <cstdint>

constexpr uint32_t kExthShortName = 200;
constexpr uint32_t kExthExtraHeaderData = 300;

// A walk over the entries of one block.
struct ExthCursor {
  const uint8_t* next = nullptr;  // the next entry
  const uint8_t* limit = nullptr; // end of the block, clipped to record 0
  uint32_t remaining = 0;         // entries still announced
};

// The block at offset `at` of record 0 (size bytes): its start, with the
// block length and entry count; null when there is no "EXTH" head there or
// the head does not fit. *cursor is set up to walk the entries.
const uint8_t* FindExthBlock(const uint8_t* record0, uint32_t size, uint32_t at, uint32_t* blockLength,
                             uint32_t* entryCount, ExthCursor* cursor);

// The next entry's data (null at the end), with its type and data length.
const uint8_t* NextExthEntry(ExthCursor* cursor, uint32_t* type, uint32_t* dataLength);

// The data of the first entry of `type` in the block at `at`; null when none.
const uint8_t* FindExthEntry(uint32_t type, const uint8_t* record0, uint32_t size, uint32_t at,
                             uint32_t* dataLength);
