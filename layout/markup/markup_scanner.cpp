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
  mode_ = table->modeCount;  // forces the switch below
  SelectMode(table->startMode);
  Reset();
}

void MarkupScanner::SelectMode(uint32_t mode) {
  if (table_ == nullptr || mode == mode_ || mode >= table_->modeCount) return;
  mode_ = mode;
  states_ = table_->stateTables[mode];
  classes_ = table_->classTables[mode];
  width_ = table_->rowWidths[mode];
}

bool MarkupScanner::Scan(const WCHAR* chars, uint32_t* offset, uint32_t count, uint32_t* budget) {
  int32_t state = state_;
  uint32_t i = *offset;
  uint32_t left = *budget;
  bool finished = false;
  int32_t token = -1;
  if (left == 0) {
    token = AcceptingToken(state);
    finished = true;
  }
  const uint32_t first = i;
  while (!finished && i < count) {
    WCHAR c = chars[i];
    if (c >= kFirstBreakCandidate && stopAtBreaks_ && IsTokenBreak(c)) {
      if (begun_ || i != first) {
        token = AcceptingToken(state);  // the token ends before it
        finished = true;
        break;
      }
      left = 1;  // it is the token, alone
    }
    uint32_t cls = classes_[c < 128 ? c : 128];
    int32_t entry = states_[state * width_ + cls];
    if (entry >= 0) {
      state = entry;
      ++i;
      if (--left == 0) {
        token = AcceptingToken(state);
        finished = true;
      }
      continue;
    }
    if (entry == -1) {
      token = AcceptingToken(state);
    } else {
      ++i;
      --left;
      token = -entry - 2;
    }
    finished = true;
  }
  if (!finished) token = AcceptingToken(state);
  if (i != first) begun_ = true;
  state_ = static_cast<int8_t>(state);
  token_ = token;
  *offset = i;
  *budget = left;
  return finished;
}
