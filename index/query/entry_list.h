// Entry lists of index entries as the query nodes walk them: ascending entry
// numbers, each a forward varint (7-bit groups, most significant first, the
// last byte with its top bit set). Lists come from books, so a list is first
// cut to its sound part: reading stops at a varint unterminated at the
// list's end, at a value not above the one before it, and at a value at or
// above the table's entry count. Every operation below then works on a list
// that strictly ascends, which is what lets a walk always move on.
//
// Byte offsets name the start of a value; the list's length names the end.
#pragma once

#include <cstdint>

// The length of the sound part of a list (a prefix of whole values).
uint32_t SoundListLength(const uint8_t* list, uint32_t length, uint32_t entryCount);

// The value starting at offset (the caller keeps offset below length).
uint32_t ListValueAt(const uint8_t* list, uint32_t length, uint32_t offset);
// The offset after the value at offset.
uint32_t ListNextOffset(const uint8_t* list, uint32_t length, uint32_t offset);
// The start of the value before offset (offset above 0).
uint32_t ListPreviousOffset(const uint8_t* list, uint32_t offset);
// The start of the value that holds byte `at` (the byte after the nearest
// earlier byte with its top bit set, or 0).
uint32_t ListValueStart(const uint8_t* list, uint32_t at);

// The offset of the first value not below target, or length when none.
// `hint` is a value start the caller stood on: the search reads up to six
// values from there when the target lies after it, then halves the rest.
uint32_t ListLowerBound(const uint8_t* list, uint32_t length, uint32_t target, uint32_t hint);

// The bytes that the numbers a up to (not including) b take as varints.
uint64_t EncodedRunLength(uint32_t a, uint32_t b);

// From the value start `offset`, the start of the last value of the run of
// consecutive numbers that begins there (found by byte arithmetic, halving
// the span rather than decoding every value).
uint32_t ListRunEndForward(const uint8_t* list, uint32_t length, uint32_t offset);
// The start of the first value of the run of consecutive numbers that ends
// at the value starting at `offset`.
uint32_t ListRunStartBackward(const uint8_t* list, uint32_t length, uint32_t offset);
