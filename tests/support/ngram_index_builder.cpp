// N-gram following tables (see ngram_index_builder.h).
#include "tests/support/ngram_index_builder.h"

#include <algorithm>
#include <map>
#include <set>

namespace testbuild {

namespace {

// Plain byte order, compared byte by byte (the library's memcmp form draws a
// false bound warning from the optimiser).
struct BytesLess {
  bool operator()(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) const {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i)
      if (a[i] != b[i]) return a[i] < b[i];
    return a.size() < b.size();
  }
};

}  // namespace

std::vector<std::vector<uint8_t>> KeyNgrams(const std::vector<uint8_t>& ordt, const std::vector<uint8_t>& label) {
  std::vector<uint8_t> codes;
  for (uint8_t c : label) {
    const uint8_t mapped = ordt.empty() ? c : ordt[c];
    if (!ordt.empty() && mapped == 0) continue;
    codes.push_back(mapped);
  }
  std::set<std::vector<uint8_t>, BytesLess> grams;
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
  std::map<std::vector<uint8_t>, std::vector<uint32_t>, BytesLess> lists;
  for (uint32_t e = 0; e < main.entries.size(); ++e)
    for (const std::vector<uint8_t>& g : KeyNgrams(main.ordt, main.entries[e].label)) lists[g].push_back(e);
  IndexRecipe recipe;
  recipe.codePage = main.codePage;
  recipe.recordBytes = options.recordBytes;
  std::set<std::vector<uint8_t>, BytesLess> keys;
  std::map<std::vector<uint8_t>, std::vector<uint32_t>, BytesLess> phonetic(options.phonetic.begin(), options.phonetic.end());
  for (const auto& [key, list] : lists) keys.insert(key);
  for (const auto& [key, list] : phonetic) keys.insert(key);
  for (const std::vector<uint8_t>& key : keys) {
    IndexEntry entry;
    entry.label = key;
    auto list = lists.find(key);
    if (list != lists.end() && list->second.size() <= options.maxListValues) {
      const bool second =
          std::find(options.secondLists.begin(), options.secondLists.end(), key) != options.secondLists.end();
      entry.values[second ? 39 : 37] = list->second;
      if (std::find(options.preferred.begin(), options.preferred.end(), key) != options.preferred.end())
        entry.values[second ? 2 : 1] = {1};
    }
    auto extra = phonetic.find(key);
    if (extra != phonetic.end()) entry.values[38] = extra->second;
    if (entry.values.empty()) continue;
    recipe.entries.push_back(entry);
  }
  // A preferring tag counts when it follows its list's tag in the walk of
  // an entry's tags: the tag table puts each one after its list's tag.
  if (!options.preferred.empty()) {
    std::set<uint8_t> used;
    for (const IndexEntry& e : recipe.entries)
      for (const auto& [tag, values] : e.values) used.insert(tag);
    for (uint8_t tag : {37, 1, 38, 39, 2}) {
      if (used.count(tag) == 0) continue;
      IndexTagDef d;
      d.tag = tag;
      const size_t i = recipe.tags.size();
      d.mask = static_cast<uint8_t>(3u << (2 * (i % 4)));
      d.controlByte = static_cast<uint8_t>(i / 4);
      recipe.tags.push_back(d);
    }
  }
  return recipe;
}

}  // namespace testbuild
