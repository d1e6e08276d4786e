// PalmDOC LZ77: the compression of the text records of Palm Doc files and of
// most corv books. A record is a stream of tokens:
//   0x00, 0x09-0x7F  the byte itself
//   0x01-0x08        that many literal bytes follow
//   0x80-0xBF        with the next byte: a back-reference, distance
//                    ((v >> 3) & 0x7FF), length (v & 7) + 3, v the 16 bits
//   0xC0-0xFF        a space, then the byte XOR 0x80
//
// Records come from files, so the decoder trusts nothing: a back-reference
// of distance 0 or beyond the output produced, a literal run longer than the
// input left, a back-reference cut by the end of the input, and output past
// the limit all refuse the record. Nothing is ever written past the limit.
#pragma once

#include <cstdint>

class RecordBuffer;

// Why a decode stopped.
enum class PalmDocResult : int32_t {
  kOk = 0,
  kCorrupt = 1,     // a token the text cannot hold (see above)
  kOutputFull = 2,  // the text would pass the output limit
};

// Decodes length bytes of input into out (capacity bytes). *produced is the
// number of bytes written, also on failure.
PalmDocResult DecodePalmDoc(const uint8_t* input, uint32_t length, uint8_t* out, uint32_t capacity,
                            uint32_t* produced);

// Decodes into the writable bytes of output, at most min(limit, its size)
// bytes. False on any refusal; *outLength is the length written so far.
bool DecompressPalmDoc(const uint8_t* input, uint32_t length, RecordBuffer* output, uint32_t limit,
                       uint32_t* outLength);

// The length the input decodes to, counted without producing it (a
// back-reference cut by the end counts its full length).
uint32_t PalmDocDecodedLength(const uint8_t* input, uint32_t length);
