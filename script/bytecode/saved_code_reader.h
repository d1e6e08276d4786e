// Reading saved compiled code: a CompiledScript from its byte stream,
// without compiling. The bytes may arrive in pieces of any size (a script
// page's document hands them out block by block), so the reader is a state
// machine that keeps a partly read number between calls.
//
// The stream, in order (varint: 7-bit groups, least significant first, the
// last byte marked by bit 7; groups beyond 32 bits are dropped):
//   version            u32 big-endian, 1
//   D, R, W, S         varints: declarations, code ranges, words, strings
//   code page          varint: of the stored string bytes (65002 UTF-16LE)
//   string bytes total varint
//   declarations       D x 4 varints: scope, kind, name, range (-1 as 0xFFFFFFFF)
//   ranges             R x 2 varints: start word, length
//   code               W x u32 big-endian
//   strings            S x (varint n, n bytes)
//
// The file is untrusted: no count is believed before its bytes arrive.
// Nothing is reserved in advance beyond a small amount, and when the
// stream's length is known every count the remaining bytes cannot hold is
// refused at once. Declarations, ranges and, once everything is read, the
// instruction words themselves are checked, so loaded code never makes the
// run loop read outside it.
#pragma once

#include <cstdint>

#include "foundation/encoded_string/encoded_string.h"

class CompiledScript;

struct CompiledCodeReader {
  static constexpr int32_t kComplete = 11;
  static constexpr uint64_t kUnknownLength = ~0ull;

  int32_t state = 0;
  int32_t field = 0;        // field index within the current record
  uint32_t accumulator = 0; // the value being read
  int32_t taken = 0;        // bytes of it taken so far
  uint32_t version = 0;
  uint32_t codePage = 0;
  uint32_t declarationCount = 0;
  uint32_t rangeCount = 0;
  uint32_t wordCount = 0;
  uint32_t stringCount = 0;
  uint32_t stringBytesTotal = 0;
  uint32_t recordsDone = 0;     // declarations, ranges, words or strings read
  uint32_t record[4] = {};      // the fields of the current record
  uint32_t stringBytesDue = 0;  // bytes still to come of the current string
  EncodedString text;           // the current string's bytes
  int32_t failure = 0;          // the status given, kept for later calls

  // The whole stream's length, when the caller knows it (a page's section):
  // then counts that cannot fit in what is left are refused at once.
  uint64_t streamLength = kUnknownLength;
  uint64_t consumed = 0;

  bool IsComplete() const { return state == kComplete; }
};

// Feeds one chunk: *status becomes 0 when the whole chunk was taken, or the
// status that stopped the reading (the script then has its error flag):
// 1 memory, 17 a newer version, 18 corrupted data (also bytes after the
// end), 28 a script that is not empty. `readerCodePage` is the code page the
// caller reads in. The stream is complete when reader->IsComplete() after
// its last chunk; a caller whose stream ends earlier reports status 18.
int32_t* LoadCompiledScript(CompiledScript* script, int32_t* status, const uint8_t* chunk,
                            uint32_t length, int32_t readerCodePage, CompiledCodeReader* reader);
