// The parts of a date or time picture (not a device API): runs of specifier
// letters and literal text, the dropping of elements that flags remove with
// the separator that leads to them, and the delivery of the result under the
// device's buffer rules.
#pragma once

#include <string>
#include <vector>

#include "platform/types/device_types.h"

struct PictureToken {
  char16_t letter = 0;    // the specifier letter; 0 for literal text
  int count = 0;          // how many times the letter repeats
  std::u16string literal;  // the text of a literal token, quotes resolved
  bool dropped = false;
};

// Letters listed in `specifiers` form runs; quoted text and everything else
// becomes literal tokens.
std::vector<PictureToken> SplitPicture(const char16_t* picture, const char16_t* specifiers);
// For every dropped specifier, drops the literal text between it and the
// element before it (or, for the first element, the one after it).
void DropSeparators(std::vector<PictureToken>& tokens);
// Copies text and a terminator into out: the size with the terminator, the
// size needed when outSize is 0, or 0 with error 122 when out is too small.
int DeliverFormatted(const std::u16string& text, LPWSTR out, int outSize);
// Decimal digits of value, zero-padded to at least `width` characters.
std::u16string Digits(long long value, int width);
