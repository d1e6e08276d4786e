// Spelling blocks from a rules text (see spelling_rules_builder.h).
#include "tests/support/spelling_rules_builder.h"

#include <cctype>
#include <sstream>

namespace testbuild {

namespace {

uint8_t Fold(uint8_t c) { return static_cast<uint8_t>(std::isupper(c) ? std::tolower(c) : c); }

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

SpellingRecipe LetterSpelling(const std::string& extraRules) {
  SpellingRecipe r;
  r.rules = extraRules;
  for (char c = 'a'; c <= 'z'; ++c) {
    const uint8_t u = static_cast<uint8_t>(c);
    const bool vowel = std::string("aeiou").find(c) != std::string::npos;
    r.rules += std::string("\n|") + c + "||" + c;
    r.firstOutput[u] = vowel ? 'A' : static_cast<uint8_t>(std::toupper(c));
    if (!vowel) r.output[u] = u;
  }
  return r;
}

}  // namespace testbuild
