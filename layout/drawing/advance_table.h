// AdvanceTable: the advance widths of the characters of one platform font,
// learnt one character at a time and kept while the font lives. The
// platform measures a run as the sum of its characters' advances (no
// kerning between them), so a word's width is summed from the table and
// only a character not seen before in the font costs a measuring call:
// line layout measures every word, and every character of the words it
// splits, many times over.
//
// Characters of the Basic Multilingual Plane other than surrogates; a page
// of 256 widths is allocated when a character of it is first stored (the
// first page is always there). Nothing is stored when a page cannot be
// allocated: the caller measures through the platform as before.
#pragma once

#include <cstdint>

class AdvanceTable {
 public:
  static constexpr int32_t kUnknown = -1;

  AdvanceTable();
  ~AdvanceTable();
  AdvanceTable(const AdvanceTable&) = delete;
  AdvanceTable& operator=(const AdvanceTable&) = delete;

  // The advance of a character, or kUnknown (also for every surrogate).
  int32_t Get(char16_t c) const {
    if (c < 256) return first_[c];
    const int16_t* page = pages_[c >> 8];
    return page != nullptr ? page[c & 0xFF] : kUnknown;
  }
  // Keeps an advance; false (nothing kept) for a surrogate, a width the
  // table cannot hold or a page that cannot be allocated.
  bool Set(char16_t c, int32_t advance);
  // The line height the platform answers with every measurement; kUnknown
  // until one was stored.
  int32_t height = kUnknown;
  // Forgets everything (the font was deleted or replaced).
  void Reset();

 private:
  int16_t first_[256];
  int16_t* pages_[256] = {};
};
