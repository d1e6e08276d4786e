// Words of a text and its UTF-8 form (see word_units.h).
#include "plugins/text_to_speech/word_units.h"

namespace {

// The code point at `i` (advancing i past it); U+FFFD for an unpaired
// surrogate.
char32_t NextCodePoint(const std::u16string& text, size_t& i) {
  char32_t c = text[i++];
  if (c >= 0xD800 && c <= 0xDBFF) {
    if (i < text.size() && text[i] >= 0xDC00 && text[i] <= 0xDFFF)
      return 0x10000 + ((c - 0xD800) << 10) + (text[i++] - 0xDC00);
    return 0xFFFD;
  }
  if (c >= 0xDC00 && c <= 0xDFFF) return 0xFFFD;
  return c;
}

}  // namespace

std::vector<WordUnit> FindWordUnits(const std::u16string& text) {
  std::vector<WordUnit> words;
  uint32_t position = 0;
  bool inWord = false;
  for (size_t i = 0; i < text.size();) {
    char32_t c = NextCodePoint(text, i);
    ++position;
    if (c == U' ') {
      inWord = false;
      continue;
    }
    if (!inWord) words.push_back({position, position});
    words.back().last = position;
    inWord = true;
  }
  return words;
}

std::string ToUtf8(const std::u16string& text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    char32_t c = NextCodePoint(text, i);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}
