// Spelling blocks from a rules text (see spelling_rules_builder.h).
#include "tests/support/spelling_rules_builder.h"

#include <cctype>
#include <sstream>

namespace testbuild {

namespace {

uint8_t Fold(uint8_t c) { return static_cast<uint8_t>(std::isupper(c) ? std::tolower(c) : c); }

// Byte strings in order, compared a byte at a time (the library's
// three-way compare of vectors trips a false warning in g++ 12).
struct KeyLess {
  bool operator()(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) const {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i)
      if (a[i] != b[i]) return a[i] < b[i];
    return a.size() < b.size();
  }
};

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    if (c == '|') fields.emplace_back();
    else fields.back().push_back(c);
  }
  return fields;
}

}  // namespace

std::vector<uint8_t> EncodeRule(const std::string& left, const std::string& match, const std::string& right,
                                const std::string& replacement) {
  std::vector<uint8_t> out;
  out.push_back(static_cast<uint8_t>('0' + left.size() + match.size() + right.size() + replacement.size()));
  for (const std::string* f : {&left, &match, &right, &replacement}) {
    out.push_back(static_cast<uint8_t>('0' + f->size()));
    out.insert(out.end(), f->begin(), f->end());
  }
  return out;
}

IndexSpelling BuildSpelling(const SpellingRecipe& recipe) {
  IndexSpelling s;
  std::vector<uint8_t> fold(256), cls(256), first(256, 0), output(256, 0);
  for (int c = 0; c < 256; ++c) {
    fold[c] = Fold(static_cast<uint8_t>(c));
    const uint8_t f = fold[c];
    cls[c] = std::islower(f) ? (std::string("aeiou").find(static_cast<char>(f)) != std::string::npos ? 'V' : 'C') : f;
  }
  for (auto [k, v] : recipe.firstOutput) first[k] = v;
  for (auto [k, v] : recipe.output) output[k] = v;
  // Rules grouped by the folded first character of their match.
  std::vector<uint8_t> order;
  std::map<uint8_t, std::vector<std::vector<uint8_t>>> groups;
  std::istringstream in(recipe.rules);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    std::vector<std::string> f = SplitFields(line);
    f.resize(4);
    const uint8_t key = f[1].empty() ? 0 : fold[static_cast<uint8_t>(f[1][0])];
    if (!groups.count(key)) order.push_back(key);
    groups[key].push_back(EncodeRule(f[0], f[1], f[2], f[3]));
  }
  std::vector<uint8_t> table;
  std::vector<uint8_t> index(512, 0xFF);  // characters without a group point past the table
  for (uint8_t key : order) {
    const uint32_t at = static_cast<uint32_t>(table.size());
    for (int c = 0; c < 256; ++c) {
      if (fold[c] != key) continue;
      index[2 * c] = static_cast<uint8_t>(at >> 8);
      index[2 * c + 1] = static_cast<uint8_t>(at);
    }
    for (const auto& rule : groups[key]) table.insert(table.end(), rule.begin(), rule.end());
  }
  s.blocks = {fold, cls, table, first, output, index};
  s.numbers[0] = 'A';
  s.numbers[1] = 'Z';
  s.numbers[2] = recipe.boundary;
  for (int i = 0; i < 11; ++i) s.numbers[3 + i] = static_cast<uint32_t>(recipe.numbers[i]);
  s.numbers[14] = recipe.maxKeyLength;
  return s;
}

SpellingRecipe LetterSpelling(const std::string& extraRules, bool everyByte) {
  SpellingRecipe r;
  r.rules = extraRules;
  for (char c = 'a'; c <= 'z'; ++c) {
    const uint8_t u = static_cast<uint8_t>(c);
    const bool vowel = std::string("aeiou").find(c) != std::string::npos;
    r.rules += std::string("\n|") + c + "||" + c;
    r.firstOutput[u] = vowel ? 'A' : static_cast<uint8_t>(std::toupper(c));
    if (!vowel) r.output[u] = u;
  }
  if (everyByte) {
    // Every other character a word may hold is read as no sound.
    for (int c = 0x21; c < 0x100; ++c) {
      if (std::isalpha(c) || c == '|') continue;
      r.rules += std::string("\n|") + static_cast<char>(c) + "||";
    }
  }
  return r;
}

ApproximateMatcher MatcherOfBlocks(const IndexSpelling& s) {
  ApproximateMatcher m;
  m.spl1 = s.blocks[0].data();
  m.spl2 = s.blocks[1].data();
  m.spl3 = s.blocks[2].data();
  m.spl4 = s.blocks[3].data();
  m.spl5 = s.blocks[4].data();
  m.spl6 = s.blocks[5].data();
  m.spl3Size = static_cast<uint32_t>(s.blocks[2].size());
  m.classLow = static_cast<int32_t>(s.numbers[0]);
  m.classHigh = static_cast<int32_t>(s.numbers[1]);
  m.boundaryCharacter = static_cast<int32_t>(s.numbers[2]);
  for (int i = 0; i < 9; ++i) m.scores[i] = static_cast<int32_t>(s.numbers[3 + i]);
  m.percentages[0] = static_cast<int32_t>(s.numbers[12]);
  m.percentages[1] = static_cast<int32_t>(s.numbers[13]);
  m.maxKeyLength = static_cast<int32_t>(s.numbers[14]);
  m.loaded = 1;
  return m;
}

SpellingDictionaryTables SpellingDictionary(std::vector<DictionaryWord> words, const SpellingRecipe& spelling,
                                            const NgramOptions& options) {
  SpellingDictionaryTables t;
  t.main = DictionaryIndex(std::move(words));
  t.main.spellingPresent = true;
  t.main.word16 = 1;
  t.main.spelling = BuildSpelling(spelling);
  t.main.followingTable = true;
  NgramOptions withKeys = options;
  if (spelling.maxKeyLength != 0) {
    const ApproximateMatcher m = MatcherOfBlocks(t.main.spelling);
    std::map<std::vector<uint8_t>, std::vector<uint32_t>, KeyLess> lists;
    SpellingReadings readings;
    for (uint32_t n = 0; n < t.main.entries.size(); ++n) {
      const std::vector<uint8_t>& label = t.main.entries[n].label;
      if (FindWords(m, label.data(), static_cast<uint32_t>(label.size()), &readings, kMaxReadings) != 0) continue;
      uint32_t first = 0;
      for (uint32_t r = 0; r < readings.readingCount; ++r) {
        uint8_t key[kPhoneticKeyBytes];
        bool overflow = false;
        const uint32_t length = PhoneticKey(m, readings, first, readings.counts[r], key, &overflow);
        first += readings.counts[r];
        std::vector<uint32_t>& list = lists[std::vector<uint8_t>(key, key + length)];
        if (list.empty() || list.back() != n) list.push_back(n);
      }
    }
    for (auto& [key, list] : lists) {
      // Lists too long for one entry are left out (the words keep their
      // other candidates).
      if (key.empty() || list.size() > options.maxListValues) continue;
      withKeys.phonetic.push_back({key, list});
    }
    t.phoneticKeys = withKeys.phonetic.size();
  }
  t.following = NgramIndex(t.main, withKeys);
  return t;
}

}  // namespace testbuild
