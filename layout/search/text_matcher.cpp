#include "layout/search/text_matcher.h"

#include <new>

#include "foundation/characters/char_class.h"

namespace {

constexpr uint32_t kMaxPattern = 0x10000;

}  // namespace

TextMatcher::~TextMatcher() {
  delete[] pattern_;
  delete[] ring_;
  delete[] tags_;
}

bool TextMatcher::Prepare(const WCHAR* pattern, uint32_t length, bool caseInsensitive, bool wholeWord) {
  delete[] pattern_;
  delete[] ring_;
  delete[] tags_;
  pattern_ = nullptr;
  ring_ = nullptr;
  tags_ = nullptr;
  length_ = 0;
  capacity_ = 0;
  if (pattern == nullptr || length == 0 || length > kMaxPattern) return false;
  pattern_ = new (std::nothrow) WCHAR[length];
  ring_ = new (std::nothrow) WCHAR[length + 2];
  tags_ = new (std::nothrow) uint32_t[length + 2];
  if (pattern_ == nullptr || ring_ == nullptr || tags_ == nullptr) return false;
  for (uint32_t i = 0; i < length; ++i) pattern_[i] = caseInsensitive ? CharToLower(pattern[i]) : pattern[i];
  length_ = length;
  capacity_ = length + 2;
  caseInsensitive_ = caseInsensitive;
  restart_ = !wholeWord;
  Reset();
  return true;
}

void TextMatcher::Reset() {
  read_ = write_ = start_ = 0;
  matched_ = 0;
  failed_ = false;
}

bool TextMatcher::Feed(WCHAR c, uint32_t tag) {
  if (failed_ || length_ == 0) return false;
  ring_[write_] = caseInsensitive_ ? CharToLower(c) : c;
  tags_[write_] = tag;
  write_ = Next(write_);
  while (read_ != write_) {
    if (ring_[read_] == pattern_[matched_]) {
      read_ = Next(read_);
      if (++matched_ == length_) {
        matchStart_ = tags_[start_];
        start_ = read_;
        matched_ = 0;
        return true;
      }
      continue;
    }
    if (!restart_) {
      failed_ = true;
      return false;
    }
    start_ = Next(start_);
    read_ = start_;
    matched_ = 0;
  }
  return false;
}
