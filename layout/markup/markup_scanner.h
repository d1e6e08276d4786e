// MarkupScanner: a table-driven automaton that finds the end of one markup
// token in a run of UTF-16 characters. A scanner table has several modes
// (text, tag name, inside a tag, comment, ...), each with its own character
// classes and state table; the tokenizer feeds it block by block, so a token
// may span any number of blocks and the scanner keeps its state between
// calls.
//
// A state-table row holds one signed byte per character class, one reserved
// column, and last the token accepted when the scan stops in that state (-1
// none). An entry of 0 or more moves to that state and consumes the
// character; -1 stops before the character with the current state's token;
// -k (k >= 2) consumes the character, stops and accepts token k - 2.
//
// For text read with a character limit, the scanner also breaks tokens at
// CJK characters and U+200C in the same pass (StopAtBreaks): such a
// character that begins a token is a token of its own, and a token that has
// begun stops before one.
#pragma once

#include <cstdint>

#include "foundation/characters/char_class.h"
#include "platform/types/device_types.h"

// One row of the token table.
struct ScannerToken {
  uint8_t flags;  // low bits: kind (0 token, 1 text token, 6 ignored); 0x20: switch mode
  int8_t code;    // what the parser sees (-1 for ignored tokens)
  uint8_t mode;   // the mode to switch to
};

inline constexpr uint8_t kScannerTokenKindMask = 0x1F;
inline constexpr uint8_t kScannerTokenText = 1;
inline constexpr uint8_t kScannerTokenIgnored = 6;
inline constexpr uint8_t kScannerSwitchesMode = 0x20;

// Characters 0-127 have their own class entry; every character from 128 up
// takes the entry at this index.
inline constexpr uint32_t kScannerClassEntries = 129;

// A complete scanner table: modes, start mode and tokens.
struct ScannerTable {
  uint8_t modeCount;
  uint8_t startMode;
  uint8_t tokenCount;
  const int8_t* const* stateTables;  // per mode, rows of rowWidths[mode] bytes
  const uint8_t* const* classTables; // per mode, kScannerClassEntries classes
  const uint8_t* rowWidths;          // per mode: classes + 2
  const ScannerToken* tokens;
};

class MarkupScanner {
 public:
  MarkupScanner() = default;

  // Loads the tables and selects the start mode.
  void SetTable(const ScannerTable* table);
  const ScannerTable* Table() const { return table_; }
  // Switches the current tables to mode n unless already there.
  void SelectMode(uint32_t mode) {
    if (mode != mode_) SwitchMode(mode);
  }
  uint32_t Mode() const { return mode_; }
  // Begins a new token: state 0, no token.
  void Reset() {
    state_ = 0;
    token_ = -1;
    begun_ = false;
  }
  // Whether the scans of this token break at CJK characters and U+200C.
  void StopAtBreaks(bool on) { stopAtBreaks_ = on; }
  // Runs the automaton over chars[*offset, count). Answers true when the scan
  // finished (it stopped, or the budget ran out) and false when the
  // characters ran out first; either way Token() is the token accepted so
  // far (-1 none) and *offset, *budget have moved past what was consumed.
  bool Scan(const WCHAR* chars, uint32_t* offset, uint32_t count, uint32_t* budget);
  int32_t Token() const { return token_; }

 private:
  int32_t AcceptingToken(int32_t state) const { return states_[state * width_ + width_ - 1]; }
  void SwitchMode(uint32_t mode);

  const ScannerTable* table_ = nullptr;
  const int8_t* states_ = nullptr;
  const uint8_t* classes_ = nullptr;
  uint32_t width_ = 0;
  uint32_t mode_ = 0;
  int8_t state_ = 0;
  int32_t token_ = -1;
  bool begun_ = false;         // a character of this token was consumed
  bool stopAtBreaks_ = false;
};

// Every CJK range starts above U+1100, so most text needs no range tests.
inline constexpr WCHAR kScannerFirstBreakCandidate = 0x1100;
inline constexpr WCHAR kScannerZwnj = 0x200C;

// What a character does in the commonest tokens, read without the general
// walk (see MarkupTokenizer::NextRunToken and NextPlainTag): it begins and
// goes on with a run of text or a run of white space, or begins or goes on
// with a tag's name. Characters from 128 up share the flags at index 128.
inline constexpr uint8_t kRunCharText = 1;
inline constexpr uint8_t kRunCharSpace = 2;
inline constexpr uint8_t kRunCharNameStart = 4;
inline constexpr uint8_t kRunCharName = 8;
// Every character from this one up to 127 goes on a text run (the table's
// builder checks it), so a run passes over such characters without a look
// at their flags.
inline constexpr WCHAR kRunTextSureFirst = 0x3D;

// A character at which text read with a limit breaks (see StopAtBreaks).
inline bool IsScannerBreak(WCHAR c) {
  return c >= kScannerFirstBreakCandidate && (c == kScannerZwnj || IsCjkChar(c));
}

// Inline: the tokenizer calls it once per token, most tokens are a few
// characters long, and the call's own cost would weigh as much as the scan.
inline bool MarkupScanner::Scan(const WCHAR* chars, uint32_t* offset, uint32_t count, uint32_t* budget) {
  int32_t state = state_;
  uint32_t i = *offset;
  uint32_t left = *budget;
  if (left == 0) {
    token_ = AcceptingToken(state);
    return true;
  }
  // The table walk with everything it reads held in locals: the row of the
  // current state, and a stop index that folds the budget into the bound.
  const int8_t* const states = states_;
  const uint8_t* const classes = classes_;
  const uint32_t width = width_;
  const bool breaks = stopAtBreaks_;
  const int8_t* row = states + state * width;
  const uint32_t first = i;
  const bool budgetBinds = count - i >= left;
  uint32_t limit = budgetBinds ? i + left : count;
  bool alone = false;
  bool finished = false;
  int32_t token = -1;
  const uint32_t wide = classes[128];
  while (i < limit) {
    // Most characters keep the state (the letters of a word, the spaces of
    // a run): a tight loop takes those below 128, leaving the row as it is.
    WCHAR c = chars[i];
    while (c < 128 && row[classes[c]] == state) {
      if (++i == limit) break;
      c = chars[i];
    }
    if (i == limit) break;
    uint32_t cls;
    if (c < 128) {
      cls = classes[c];
    } else {
      // Characters from 128 up share one class; the breaks are among them.
      if (breaks && IsScannerBreak(c)) {
        if (begun_ || i != first) {
          token = row[width - 1];  // the token ends before it
          finished = true;
          break;
        }
        alone = true;  // it is the token, alone
        limit = i + 1;
      }
      cls = wide;
    }
    const int32_t entry = row[cls];
    if (entry >= 0) {
      if (entry != state) {
        state = entry;
        row = states + entry * width;
      }
      ++i;
      continue;
    }
    if (entry == -1) {
      token = row[width - 1];
    } else {
      ++i;
      token = -entry - 2;
    }
    finished = true;
    break;
  }
  if (!finished) {
    // Out of characters, or of budget (which finishes the token).
    token = row[width - 1];
    finished = i == limit && (budgetBinds || alone);
  }
  if (i != first) begun_ = true;
  state_ = static_cast<int8_t>(state);
  token_ = token;
  *offset = i;
  *budget = alone ? 0 : left - (i - first);
  return finished;
}
