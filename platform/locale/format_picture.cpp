// Picture tokenising shared by GetDateFormatW and GetTimeFormatW.
#include "platform/locale/format_picture.h"

#include "platform/core/last_error.h"

std::vector<PictureToken> SplitPicture(const char16_t* picture, const char16_t* specifiers) {
  std::vector<PictureToken> tokens;
  auto isSpecifier = [specifiers](char16_t c) {
    for (const char16_t* s = specifiers; *s; ++s)
      if (*s == c) return true;
    return false;
  };
  auto literal = [&tokens]() -> std::u16string& {
    if (tokens.empty() || tokens.back().letter != 0) tokens.push_back(PictureToken{});
    return tokens.back().literal;
  };
  for (const char16_t* p = picture; *p;) {
    if (isSpecifier(*p)) {
      PictureToken token;
      token.letter = *p;
      while (*p == token.letter) {
        ++token.count;
        ++p;
      }
      tokens.push_back(token);
    } else if (*p == u'\'') {
      ++p;
      if (*p == u'\'') {  // '' outside quotes: one quote
        literal() += u'\'';
        ++p;
        continue;
      }
      std::u16string& text = literal();
      while (*p) {
        if (*p == u'\'') {
          if (p[1] != u'\'') {
            ++p;
            break;
          }
          ++p;  // '' inside quotes
        }
        text += *p++;
      }
    } else {
      literal() += *p++;
    }
  }
  return tokens;
}

void DropSeparators(std::vector<PictureToken>& tokens) {
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].letter == 0 || !tokens[i].dropped) continue;
    bool precededByElement = false;
    for (size_t j = i; j-- > 0;) {
      if (tokens[j].letter != 0) {
        precededByElement = true;
        break;
      }
    }
    if (precededByElement) {
      for (size_t j = i; j-- > 0 && tokens[j].letter == 0;) tokens[j].dropped = true;
    } else {
      for (size_t j = i + 1; j < tokens.size() && tokens[j].letter == 0; ++j) tokens[j].dropped = true;
    }
  }
}

int DeliverFormatted(const std::u16string& text, LPWSTR out, int outSize) {
  int needed = static_cast<int>(text.size()) + 1;
  if (outSize == 0) return needed;
  if (outSize < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  for (size_t i = 0; i < text.size(); ++i) out[i] = text[i];
  out[text.size()] = 0;
  return needed;
}

std::u16string Digits(long long value, int width) {
  std::u16string digits;
  bool negative = value < 0;
  unsigned long long magnitude = negative ? 0ull - static_cast<unsigned long long>(value) : value;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude);
  while (static_cast<int>(digits.size()) < width) digits.insert(digits.begin(), u'0');
  if (negative) digits.insert(digits.begin(), u'-');
  return digits;
}
