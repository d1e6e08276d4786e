// MarkupScanner: the automaton loop and the mode switch.
#include "layout/markup/markup_scanner.h"

#include "foundation/characters/char_class.h"

namespace {

// Every CJK range starts above U+1100, so most text needs no range tests.
constexpr WCHAR kFirstBreakCandidate = 0x1100;
constexpr WCHAR kZwnj = 0x200C;
bool IsTokenBreak(WCHAR c) { return c == kZwnj || IsCjkChar(c); }

}  // namespace

void MarkupScanner::SetTable(const ScannerTable* table) {
  table_ = table;
  SwitchMode(table->startMode);
  Reset();
}

void MarkupScanner::SwitchMode(uint32_t mode) {
  if (table_ == nullptr || mode >= table_->modeCount) return;
  mode_ = mode;
  states_ = table_->stateTables[mode];
  classes_ = table_->classTables[mode];
  width_ = table_->rowWidths[mode];
}

bool MarkupScanner::Scan(const WCHAR* chars, uint32_t* offset, uint32_t count, uint32_t* budget) {
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
      if (c >= kFirstBreakCandidate && breaks && IsTokenBreak(c)) {
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
