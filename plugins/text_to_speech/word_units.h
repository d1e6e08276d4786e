// The speech units of a text: its words, runs of characters between spaces,
// with their first and last character positions counted in code points from
// 1 (as the synthesiser counts them in its word events).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WordUnit {
  uint32_t first;  // code point position of its first character, from 1
  uint32_t last;   // of its last character
};

std::vector<WordUnit> FindWordUnits(const std::u16string& text);
// The text as UTF-8 (unpaired surrogates become U+FFFD).
std::string ToUtf8(const std::u16string& text);
