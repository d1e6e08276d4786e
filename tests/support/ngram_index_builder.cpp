// N-gram following tables (see ngram_index_builder.h).
#include "tests/support/ngram_index_builder.h"

#include <algorithm>
#include <set>

namespace testbuild {

std::vector<std::vector<uint8_t>> KeyNgrams(const std::vector<uint8_t>& ordt, const std::vector<uint8_t>& label) {
  std::vector<uint8_t> codes;
  for (uint8_t c : label) {
    const uint8_t mapped = ordt.empty() ? c : ordt[c];
    if (!ordt.empty() && mapped == 0) continue;
    codes.push_back(mapped);
  }
  std::set<std::vector<uint8_t>> grams;
  const size_t n = codes.size();
  for (size_t i = 0; i < n; ++i) {
    grams.insert({codes[i]});
    if (i + 1 < n) grams.insert({codes[i], codes[i + 1]});
    if (i >= 1 && i <= 14) grams.insert({codes[i], 'a', 'a', 'a', static_cast<uint8_t>(101 + i)});
    const size_t fromEnd = n - 1 - i;
    if (fromEnd <= 14) grams.insert({codes[i], 'b', 'b', 'b', static_cast<uint8_t>(101 + fromEnd)});
  }
  return {grams.begin(), grams.end()};
}

IndexRecipe NgramIndex(const IndexRecipe& main, const NgramOptions& options) {
  std::map<std::vector<uint8_t>, std::vector<uint32_t>> lists;
  for (uint32_t e = 0; e < main.entries.size(); ++e)
    for (const std::vector<uint8_t>& g : KeyNgrams(main.ordt, main.entries[e].label)) lists[g].push_back(e);
  IndexRecipe recipe;
  recipe.codePage = main.codePage;
  recipe.recordBytes = options.recordBytes;
  std::set<std::vector<uint8_t>> keys;
  for (const auto& [key, list] : lists) keys.insert(key);
  for (const auto& [key, list] : options.phonetic) keys.insert(key);
  for (const std::vector<uint8_t>& key : keys) {
    IndexEntry entry;
    entry.label = key;
    auto list = lists.find(key);
    if (list != lists.end() && list->second.size() <= options.maxListValues) entry.values[37] = list->second;
    auto phonetic = options.phonetic.find(key);
    if (phonetic != options.phonetic.end()) entry.values[38] = phonetic->second;
    if (entry.values.empty()) continue;
    recipe.entries.push_back(entry);
  }
  return recipe;
}

}  // namespace testbuild
