// CharWalker: steps through the characters of an EncodedString from a given
// byte offset with DecodeCharAt, on its own position, width and status, so
// that comparisons, searches and scanners never disturb the string's cursor.
#pragma once

#include "foundation/encoded_string/encoded_string.h"

class CharWalker {
 public:
  explicit CharWalker(const EncodedString& text, uint32_t* lineCounter = nullptr)
      : text_(text), lines_(lineCounter) {}

  // The next Step() lands on the character at byte offset `offset` (or on the
  // first character for -1).
  void StartAt(int32_t offset) {
    if (offset < 0) {
      pos_ = -1;
      width_ = 1;
    } else {
      text_.PositionBefore(static_cast<uint32_t>(offset), &pos_, &width_);
    }
    scan_.Clear();
  }
  // Moves to the next character and returns it; 0 at the end of the text.
  uint32_t Step() {
    ch_ = text_.DecodeCharAt(lines_, &pos_, &width_, &scan_);
    return ch_;
  }
  bool AtEnd() const { return scan_.GetCondition() == kConditionEndOfText; }
  uint32_t Char() const { return ch_; }
  // Byte offset of the current character (the text length at the end).
  uint32_t Pos() const { return pos_ < 0 ? 0 : static_cast<uint32_t>(pos_); }
  int32_t RawPos() const { return pos_; }
  uint8_t Width() const { return width_; }
  // Byte offset behind the current character.
  uint32_t End() const {
    if (AtEnd()) return text_.length;
    uint32_t w = text_.unitKind == EncodedString::kUnitUtf16 ? 2 : (width_ == 0 ? 1 : width_);
    uint32_t end = Pos() + w;
    return end > text_.length ? text_.length : end;
  }

 private:
  const EncodedString& text_;
  uint32_t* lines_;
  int32_t pos_ = -1;
  uint8_t width_ = 1;
  uint32_t ch_ = 0;
  ErrorStatus scan_;
};

// Case folding of the comparisons: 'A'-'Z' only, everything compared as a
// 16-bit value.
inline uint32_t FoldChar(uint32_t c, bool caseSensitive) {
  c &= 0xFFFF;
  if (!caseSensitive && c >= 'A' && c <= 'Z') c += 32;
  return c;
}
