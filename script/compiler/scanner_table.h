// The scanner table of the script language: a deterministic automaton over
// character classes that the script scanner runs from a start state until no
// transition applies, then accepts the token of the state it stopped in, or
// reports text that is no token when that state does not accept. There is no
// backtracking: "1e", "0x" and "09" are no tokens rather than shorter ones.
//
// Every character below 128 has a class of its own kind; every character of
// 128 or more shares one class, which only the inside of a string accepts.
// The table is built at compile time from the lexical rules in
// scanner_table.cpp; its accept records also serve the look-up query
// translator, which scans the same language.
#pragma once

#include <cstdint>

// One accept record per state: kind 0 (the state accepts nothing), kind 1 (a
// token of the language, `token` its code, kTokenRightBrace to
// kTokenHexadecimal), or kind 6 (white space,
// skipped: `token` is kScannerBlankToken or kScannerLineBreakToken).
struct ScriptScannerAccept {
  uint16_t kind;
  uint16_t token;
  uint32_t reserved;
};

inline constexpr uint16_t kScannerKindNone = 0;
inline constexpr uint16_t kScannerKindToken = 1;
inline constexpr uint16_t kScannerKindWhiteSpace = 6;
inline constexpr uint16_t kScannerBlankToken = 0;
inline constexpr uint16_t kScannerLineBreakToken = 1;

inline constexpr uint32_t kScriptScannerClasses = 40;
inline constexpr uint32_t kScriptScannerMaxStates = 80;
inline constexpr uint8_t kScannerNoTransition = 0xFF;

struct ScriptScannerTable {
  uint8_t classOf[128];  // class of each character below 128
  uint8_t highClass;     // class of every character of 128 or more
  uint8_t startState;
  uint8_t stateCount;
  uint8_t next[kScriptScannerMaxStates][kScriptScannerClasses];  // kScannerNoTransition: stop
  ScriptScannerAccept accept[kScriptScannerMaxStates];
};

const ScriptScannerTable& GetScriptScannerTable();
