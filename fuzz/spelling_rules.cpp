// Fuzz target: a book's spelling rules. The input is a rule index (its
// first 512 bytes, "SPL6") and a rule table (the rest, "SPL3"), used with
// the letter maps of the builder's letter rules; a few words are cut into
// units and readings, scored against each other and given phonetic keys.
// Every block is an exactly sized heap copy, so the sanitizer sees any read
// outside the table; a table that does not hold together must answer 1.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "index/spelling/approximate_matcher.h"
#include "tests/support/spelling_rules_builder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const testbuild::IndexSpelling base = testbuild::BuildSpelling(testbuild::LetterSpelling("", true));
  testbuild::IndexSpelling s = base;
  std::vector<uint8_t>& index = s.blocks[5];
  std::vector<uint8_t>& table = s.blocks[2];
  const size_t indexBytes = size < 512 ? size : 512;
  std::memset(index.data(), 0, index.size());
  if (indexBytes != 0) std::memcpy(index.data(), data, indexBytes);
  table.assign(data + indexBytes, data + size);
  ApproximateMatcher m = testbuild::MatcherOfBlocks(s);
  m.maxKeyLength = 6;
  static const char* const kWords[] = {"cat", "abab", "Queue", "x", "", "strength's", "aaaaaaa"};
  SpellingReadings a;
  SpellingReadings b;
  for (const char* word : kWords) {
    if (FindWords(m, reinterpret_cast<const uint8_t*>(word), static_cast<uint32_t>(std::strlen(word)), &a,
                  kMaxReadings) != 0)
      continue;
    if (FindWords(m, reinterpret_cast<const uint8_t*>("cat"), 3, &b, kMaxReadings) == 0) BestReadingScore(m, a, b);
    uint32_t first = 0;
    for (uint32_t r = 0; r < a.readingCount; ++r) {
      uint8_t key[kPhoneticKeyBytes];
      bool overflow = false;
      PhoneticKey(m, a, first, a.counts[r], key, &overflow);
      first += a.counts[r];
    }
  }
  return 0;
}
