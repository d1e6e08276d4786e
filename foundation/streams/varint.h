// The variable-length integers of the book format, read straight from record
// bytes, and the plain big-endian 32-bit read of the container code.
//
// Forward varint: 7-bit groups, most significant first, bit 7 set on the last
// byte (0 is 0x80; 300 is 0x02 0xAC). Backward varint: read from the end of a
// buffer towards its start; the byte just before the end holds the lowest
// seven bits and the byte with bit 7 set (the first in memory) ends it.
//
// The readers never touch a byte outside the bounds they are given.
#pragma once

#include <cstdint>

#include "foundation/streams/byte_order.h"

// The book format's name for the big-endian word read.
inline uint32_t ReadBigEndianU32(const uint8_t* bytes) { return LoadU32BE(bytes); }

// Reads at most min(available, 8) bytes, stopping after the byte with bit 7;
// answers the bytes consumed (also when the limit came first; 0 when nothing
// is available). Groups beyond 32 bits fall off the top.
uint32_t ReadForwardVarint(const uint8_t* data, uint32_t* value, uint32_t available);

// Writes `value` (1 to 5 bytes); 0, with nothing written, when it needs more
// than `capacity` bytes.
uint32_t WriteForwardVarint(uint8_t* destination, uint32_t value, uint32_t capacity);

// Reads the varint that ends at `end`, at most 4 bytes and never before
// `start`; answers the value and sets *length to the bytes read.
uint32_t ReadBackwardVarint(const uint8_t* start, const uint8_t* end, uint32_t* length);
