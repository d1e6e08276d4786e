// TextMatcher: finds a pattern in characters fed one at a time. A ring of
// the last pattern-length + 2 characters (and where each came from) lets a
// failed partial match restart one character after its start without
// reading the text again, so "aab" is found in "aaab". In whole-word mode a
// mismatch fails the matcher until the next word boundary resets it.
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"

class TextMatcher {
 public:
  TextMatcher() = default;
  ~TextMatcher();
  TextMatcher(const TextMatcher&) = delete;
  TextMatcher& operator=(const TextMatcher&) = delete;

  // Copies (and, case-insensitive, folds) the pattern; false for an empty
  // pattern, one too long for the ring or when memory runs out.
  bool Prepare(const WCHAR* pattern, uint32_t length, bool caseInsensitive, bool wholeWord);
  // Forgets any partial match and a failure.
  void Reset();
  // Feeds a character with a caller's tag of where it came from; true when
  // it completes a match, whose first character's tag is then MatchStart().
  bool Feed(WCHAR c, uint32_t tag);
  uint32_t MatchStart() const { return matchStart_; }
  // The tag of the first character of a match in progress; false when no
  // pattern character is matched so far.
  bool PartialStart(uint32_t* tag) const {
    if (matched_ == 0 || failed_) return false;
    *tag = tags_[start_];
    return true;
  }
  uint32_t PatternLength() const { return length_; }

 private:
  uint32_t Next(uint32_t i) const { return i + 1 == capacity_ ? 0 : i + 1; }

  WCHAR* pattern_ = nullptr;
  WCHAR* ring_ = nullptr;
  uint32_t* tags_ = nullptr;
  uint32_t length_ = 0;
  uint32_t capacity_ = 0;
  uint32_t read_ = 0;
  uint32_t write_ = 0;
  uint32_t start_ = 0;
  uint32_t matched_ = 0;
  uint32_t matchStart_ = 0;
  bool caseInsensitive_ = false;
  bool restart_ = true;
  bool failed_ = false;
};
