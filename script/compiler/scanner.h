// ScriptScanner: reads the tokens of script text with the script scanner
// table. It is attached to UTF-16 text that the caller keeps alive, scans from
// a position up to an end, and reports each token's accept record and extent;
// it allocates nothing.
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"
#include "script/compiler/scanner_table.h"

enum ScriptScanResult : int32_t {
  kScanToken = 0,        // a token (significant or white space)
  kScanTextOnly = 1,     // characters that are no token of the language
  kScanEnd = 2,          // the end position was reached
  kScanOutOfMemory = 3,  // kept for callers' tables; this scanner never reports it
};

// Scans one token of `chars` from *position, stopping at `end`. On a token,
// *accept is its record and *position moves past it. Text that is no token
// moves *position past the characters the automaton took (at least one).
ScriptScanResult ScanScriptToken(const WCHAR* chars, uint32_t end, uint32_t* position,
                                 ScriptScannerAccept* accept);

class ScriptScanner {
 public:
  // The text is read, never copied: the caller keeps it alive.
  void Attach(const WCHAR* chars, uint32_t length) {
    chars_ = chars;
    length_ = length;
    end_ = length;
    position_ = 0;
  }
  void Seek(uint32_t position) { position_ = position < length_ ? position : length_; }
  // Scanning stops here (clamped to the text).
  void SetEnd(uint32_t end) { end_ = end < length_ ? end : length_; }

  ScriptScanResult NextToken();

  uint32_t Position() const { return position_; }
  const WCHAR* Chars() const { return chars_; }
  // The last token (or the rejected text).
  uint32_t TokenStart() const { return tokenStart_; }
  uint32_t TokenLength() const { return position_ - tokenStart_; }
  const ScriptScannerAccept& TokenAccept() const { return accept_; }
  bool IsSignificant() const { return accept_.kind == kScannerKindToken; }

 private:
  const WCHAR* chars_ = nullptr;
  uint32_t length_ = 0;
  uint32_t end_ = 0;
  uint32_t position_ = 0;
  uint32_t tokenStart_ = 0;
  ScriptScannerAccept accept_{};
};
