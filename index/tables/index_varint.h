// The forward varints of index entries (7-bit groups, most significant
// first, the last byte with its top bit set, at most 8 bytes to a number),
// read only between a start and an end the caller has checked.
#pragma once

#include <cstdint>

// Bytes up to and including the one with the top bit, at most 8 and never
// past end; 0 when nothing lies before end.
uint32_t VarintLength(const uint8_t* p, const uint8_t* end);
// Reads one number; answers the bytes consumed (0 when none lie before end).
uint32_t ReadVarint(const uint8_t* p, const uint8_t* end, uint32_t* value);
// Bytes of the next n numbers from p; false when they run past end.
bool SpanOfVarints(const uint8_t* p, const uint8_t* end, uint32_t n, uint32_t* span);
// Bytes with the top bit set in [p, p + length): the numbers that end there.
uint32_t CountVarints(const uint8_t* p, uint32_t length);
// Steps n numbers forwards (n > 0) or backwards (n < 0) from p inside
// [start, end); null when p lies outside. Backwards stops at start.
const uint8_t* StepVarints(const uint8_t* start, const uint8_t* end, const uint8_t* p, int32_t n);
