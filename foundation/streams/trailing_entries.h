// The entries a text record of a book carries behind its text, selected by the
// book header's extra-flags word, and the small entry header read from them.
//
// Bits 1, 2, 3 and up of the flags each stand for one entry: the entry of the
// lowest set bit lies at the very end of the record, the next one before it,
// and so on. Each entry ends with a backward varint giving the size of the
// whole entry, the varint included. Bit 0 is not an entry of this walk: it
// says that the records of a UTF-8 book carry the bytes of a character cut
// by their end just before the entries. Without it (and in books whose
// header has no flags word, which reads as 0) the last text byte is text.
//
// The sizes come from the book, so the walk trusts none of them: a size that
// exceeds what is left of the record (or is smaller than its own varint) stops
// the walk and reports the record corrupt, and no result ever exceeds the
// record's length.
#pragma once

#include <cstdint>

// Bit 0 of the extra-data flags: UTF-8 records end with a multibyte carry.
constexpr uint32_t kExtraFlagMultibyte = 0x1;

// Sum of the sizes of the flagged entries walked back from `end`. On a bad
// size the sum so far is answered and *corrupt (when given) is set; it is
// cleared otherwise.
uint32_t TrailingEntriesSize(const uint8_t* record, const uint8_t* end, uint32_t extraFlags,
                             bool* corrupt = nullptr);

// For code page 65001 with kExtraFlagMultibyte set in `extraFlags`: (the
// byte just before `end` & 0x0F) + 1, the bytes of a character that
// continues into the next record; 0 for every other code page, without the
// flag and for an empty record. More bytes than the record holds sets
// *corrupt and answers what the record holds.
uint32_t TrailingMultibyteCount(const uint8_t* record, const uint8_t* end, uint32_t extraFlags,
                                uint32_t codePage, bool* corrupt = nullptr);

// TrailingEntriesSize plus the multibyte count taken at the end the flagged
// entries leave: the bytes a reader removes from the record's end.
uint32_t TrailingEntriesTotal(const uint8_t* record, const uint8_t* end, uint32_t extraFlags,
                              uint32_t codePage, bool* corrupt = nullptr);

// The start of the entry of `selectorFlag` (a single flag bit such as 0x2),
// with *payloadLength = its size less its size varint; null when the flag is
// not set in `extraFlags`, is 0x1 or is not a single bit, or when the walk
// meets a corrupt size first (*corrupt set).
const uint8_t* FindTrailingEntry(const uint8_t* record, const uint8_t* end, uint32_t extraFlags,
                                 uint32_t selectorFlag, uint32_t* payloadLength,
                                 bool* corrupt = nullptr);

// One entry header: a forward varint F of flags, then (F bit 1) a second
// forward varint, (F bit 2) one byte, (F bit 0) a final forward varint. The
// outputs start as first -1, second 0, third -1, fourth 1, fifth -1; F bit 1
// sets third (the second varint) and first (F >> 3); without it, second is
// F >> 4, negated when F has bit 3. The byte sets fourth, the final varint
// fifth. Answers the bytes consumed (1, setting nothing, when length is 0);
// fields whose bytes are missing keep their start values.
uint32_t ParseEntryHeader(const uint8_t* data, uint32_t length, int32_t* first, int32_t* second,
                          int32_t* third, int32_t* fourth, int32_t* fifth);
