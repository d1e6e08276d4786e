// Sample prose for test books, and its encodings: code page 1252, UTF-8 and
// big-endian UTF-16.
#include <random>

#include "tests/support/book_builder.h"

namespace testbuild {

namespace {

const char* const kWords[] = {
    "the", "a", "reader", "page", "book", "light", "river", "stone", "window", "garden", "evening", "morning",
    "quiet", "letter", "house", "road", "winter", "summer", "city", "harbour", "lamp", "story", "chapter",
    "and", "of", "to", "in", "was", "that", "with", "for", "on", "her", "his", "they", "we", "under", "over",
    "through", "between", "remembered", "whispered", "travelled", "afterwards", "nevertheless", "north",
};
const char* const kLatin[] = {"café", "naïve", "Zürich", "señor", "façade", "€12", "—", "“quoted”", "déjà", "Ærø"};
const char* const kWide[] = {"東京", "語", "😀", "𝄞", "한국어", "ĉapelo", "Ελλάδα"};

std::u32string DecodeUtf8(const std::string& s) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) {
    uint8_t c = static_cast<uint8_t>(s[i]);
    size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    uint32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
    for (size_t k = 1; k < n && i + k < s.size(); ++k) cp = (cp << 6) | (static_cast<uint8_t>(s[i + k]) & 0x3F);
    out.push_back(cp);
    i += n;
  }
  return out;
}

// 1252 bytes 0x80-0x9F.
const uint16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::string SampleText(size_t bytes, uint32_t seed, int alphabet) {
  std::mt19937 rng(seed);
  std::string out;
  size_t sentence = 0;
  while (out.size() < bytes) {
    uint32_t pick = rng() % 100;
    std::string word;
    if (alphabet >= 2 && pick < 6) {
      word = kWide[rng() % (sizeof(kWide) / sizeof(kWide[0]))];
    } else if (alphabet >= 1 && pick < 14) {
      word = kLatin[rng() % (sizeof(kLatin) / sizeof(kLatin[0]))];
    } else {
      word = kWords[rng() % (sizeof(kWords) / sizeof(kWords[0]))];
    }
    if (sentence == 0 && word[0] >= 'a' && word[0] <= 'z') word[0] = static_cast<char>(word[0] - 32);
    out += word;
    ++sentence;
    uint32_t end = rng() % 16;
    if (sentence > 4 && end == 0) {
      out += ".\n";
      sentence = 0;
      if (rng() % 6 == 0) out += "\n";
    } else if (end == 1) {
      out += ", ";
    } else {
      out += " ";
    }
  }
  // Never end inside a character.
  while (!out.empty() && (static_cast<uint8_t>(out.back()) & 0xC0) == 0x80) out.pop_back();
  while (!out.empty() && static_cast<uint8_t>(out.back()) >= 0xC0) out.pop_back();
  return out;
}

std::u16string Utf8ToUtf16(const std::string& utf8) {
  std::u16string out;
  for (uint32_t cp : DecodeUtf8(utf8)) {
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::vector<uint8_t> EncodeBookText(const std::string& utf8, int32_t codePage) {
  std::vector<uint8_t> out;
  if (codePage == 65001) return std::vector<uint8_t>(utf8.begin(), utf8.end());
  if (codePage == 65002) {
    for (char16_t u : Utf8ToUtf16(utf8)) {
      out.push_back(static_cast<uint8_t>(u >> 8));
      out.push_back(static_cast<uint8_t>(u));
    }
    return out;
  }
  for (uint32_t cp : DecodeUtf8(utf8)) {
    uint8_t b = '?';
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
      b = static_cast<uint8_t>(cp);
    } else {
      for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == cp && cp != 0) b = static_cast<uint8_t>(0x80 + i);
    }
    out.push_back(b);
  }
  return out;
}

std::string KeepCharactersInRecords(const std::string& utf8, size_t recordSize) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const uint8_t lead = static_cast<uint8_t>(utf8[i]);
    const size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    while (out.size() / recordSize != (out.size() + n - 1) / recordSize) out.push_back(' ');
    out.append(utf8, i, n);
    i += n;
  }
  return out;
}

}  // namespace testbuild
