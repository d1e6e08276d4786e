// The parts of a stored text record of a book: the (compressed) text, for
// UTF-8 books whose extra-data flags have bit 0 set the multibyte carry (the
// bytes that complete a character cut by the record's end, then a byte whose
// low nibble counts them), then the trailing entries that the higher flag
// bits select. Books without the flags word (versions below 6) have flags 0:
// their records carry nothing.
//
// The sizes come from the file: a trailing entry or a carry that claims
// more than the record holds makes the record corrupt.
#pragma once

#include <cstdint>

struct TextRecordParts {
  uint32_t textLength = 0;      // bytes of (compressed) text at the start
  const uint8_t* carry = nullptr;
  uint32_t carryLength = 0;     // 0 to 15
};

// Splits a record of `size` bytes. False when the trailing entries or the
// carry do not fit the record.
bool SplitTextRecord(const uint8_t* record, uint32_t size, uint32_t extraFlags, int32_t codePage,
                     TextRecordParts* parts);

// Writes the carried bytes at `at` of output (capacity bytes); *count is
// the number written. False when they do not fit.
bool AppendUtf8Overlap(uint8_t* output, uint32_t capacity, uint32_t at, const TextRecordParts& parts,
                       uint32_t* count);

// The smallest block shift, at least `headerShift`, at which a
// character-position map covers `bytes` bytes of text (64 blocks).
uint32_t MapShiftFor(uint32_t bytes, uint32_t headerShift);
