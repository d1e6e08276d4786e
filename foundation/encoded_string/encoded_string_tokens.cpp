// EncodedString token scanners for the system's small parsers (URLs, paths,
// character references, configuration texts, attribute values). A scanner
// starts at the character under the cursor (the first one when the cursor is
// -1), reports what it found as the new selection, and leaves the cursor as
// it found it; only SkipBlanks and CursorToSelectionEnd move the cursor.
// Each returns the string's condition, cleared when the end of the text was
// reached but something was selected.
#include "foundation/encoded_string/encoded_string_walk.h"

namespace {

bool IsAsciiLetter(uint32_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsAsciiDigit(uint32_t c) { return c >= '0' && c <= '9'; }

bool IsNameStart(uint32_t c, bool strict) { return IsAsciiLetter(c) || c == '_' || (!strict && c == ':'); }

bool IsNameChar(uint32_t c, bool strict) {
  return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_' || (!strict && (c == '-' || c == '.' || c == ':'));
}

}  // namespace

namespace {

// A walk that starts at the string's cursor and skips blanks.
struct TokenWalk {
  TokenWalk(const EncodedString& text, uint32_t* lines) : walk(text, lines) {
    walk.StartAt(text.cursor);
    walk.Step();
  }
  void SkipBlanks() {
    while (!walk.AtEnd() && EncodedString::IsBlankChar(walk.Char())) walk.Step();
  }
  // Offset of the current character (the length at the end).
  uint32_t Here() const { return walk.Pos(); }
  CharWalker walk;
};

}  // namespace

// Ends a scanner: the selection [start, end), the condition reported.
static int32_t FinishScan(EncodedString* text, uint32_t start, uint32_t end, bool reachedEnd) {
  text->selStart = start;
  text->selEnd = end;
  if (reachedEnd) {
    if (end > start) {
      text->status.Clear();
    } else {
      text->status.SetCondition(kConditionEndOfText);
    }
  }
  return text->status.GetCondition();
}

int32_t EncodedString::SkipBlanks(uint32_t* lineCounter) {
  status.ClearCondition();
  TokenWalk token(*this, lineCounter);
  token.SkipBlanks();
  if (token.walk.AtEnd()) {
    cursor = static_cast<int32_t>(length);
    cursorWidth = 0;
    status.SetCondition(kConditionEndOfText);
  } else {
    cursor = token.walk.RawPos();
    cursorWidth = token.walk.Width();
  }
  return status.GetCondition();
}

int32_t EncodedString::SelectToken(uint32_t* lineCounter) {
  status.ClearCondition();
  TokenWalk token(*this, lineCounter);
  token.SkipBlanks();
  uint32_t start = token.Here();
  while (!token.walk.AtEnd() && !IsBlankChar(token.walk.Char())) token.walk.Step();
  return FinishScan(this, start, token.Here(), token.walk.AtEnd());
}

int32_t EncodedString::SelectDigits(uint32_t* lineCounter) {
  status.ClearCondition();
  TokenWalk token(*this, lineCounter);
  token.SkipBlanks();
  uint32_t start = token.Here();
  while (!token.walk.AtEnd() && IsAsciiDigit(token.walk.Char())) token.walk.Step();
  return FinishScan(this, start, token.Here(), token.walk.AtEnd());
}

int32_t EncodedString::SelectName(bool strict, uint32_t* lineCounter) {
  status.ClearCondition();
  TokenWalk token(*this, lineCounter);
  token.SkipBlanks();
  uint32_t start = token.Here();
  if (!token.walk.AtEnd() && IsNameStart(token.walk.Char(), strict)) {
    token.walk.Step();
    while (!token.walk.AtEnd() && IsNameChar(token.walk.Char(), strict)) token.walk.Step();
  }
  return FinishScan(this, start, token.Here(), token.walk.AtEnd());
}

bool EncodedString::SelectBalancedPlain(uint32_t open, uint32_t close, bool stopAtOpen) {
  status.ClearCondition();
  TokenWalk token(*this, nullptr);
  token.SkipBlanks();
  uint32_t start = token.Here();
  uint32_t depth = 1;
  while (!token.walk.AtEnd()) {
    uint32_t c = token.walk.Char();
    if (c == open) {
      if (stopAtOpen) break;
      ++depth;
    } else if (c == close) {
      if (--depth == 0) {
        selStart = start;
        selEnd = token.Here();
        return false;
      }
    }
    token.walk.Step();
  }
  selStart = selEnd = token.Here();
  if (token.walk.AtEnd()) status.SetCondition(kConditionEndOfText);
  return true;
}

int32_t EncodedString::SelectQuoted(uint32_t* lineCounter) {
  status.ClearCondition();
  TokenWalk token(*this, lineCounter);
  token.SkipBlanks();
  if (token.walk.AtEnd()) {
    status.SetCondition(kConditionEndOfText);
    return status.GetCondition();
  }
  uint32_t quote = token.walk.Char();
  if (quote != '\'' && quote != '"') return status.GetCondition();
  token.walk.Step();
  uint32_t start = token.Here();
  while (!token.walk.AtEnd()) {
    uint32_t c = token.walk.Char();
    if (c == quote) return FinishScan(this, start, token.Here(), false);
    if (c == '\\') {
      token.walk.Step();  // the escaped character belongs to the text
      if (token.walk.AtEnd()) break;
    }
    token.walk.Step();
  }
  return FinishScan(this, length, length, true);
}

int32_t EncodedString::SelectAttributeValue(uint32_t* lineCounter) {
  status.ClearCondition();
  TokenWalk token(*this, lineCounter);
  token.SkipBlanks();
  if (token.walk.AtEnd()) return FinishScan(this, length, length, true);
  uint32_t quote = token.walk.Char();
  if (quote == '\'' || quote == '"') {
    token.walk.Step();
    uint32_t start = token.Here();
    while (!token.walk.AtEnd()) {
      uint32_t c = token.walk.Char();
      if (c == quote || c == '>') return FinishScan(this, start, token.Here(), false);
      token.walk.Step();
    }
    return FinishScan(this, length, length, true);
  }
  uint32_t start = token.Here();
  while (!token.walk.AtEnd() && !IsBlankChar(token.walk.Char()) && token.walk.Char() != '>') token.walk.Step();
  return FinishScan(this, start, token.Here(), token.walk.AtEnd());
}

void EncodedString::CursorToSelectionEnd() {
  cursor = static_cast<int32_t>(selEnd);
  cursorWidth = 0;
}
