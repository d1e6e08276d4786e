// The following table of an index (its n-gram index) made from the main
// table's keys, for the query tests, the fuzz target, the benchmark and
// `bookmake`: for every n-gram of a key, the ascending numbers of the main
// entries whose key contains it, under tag 37.
//
// The n-grams of a key are taken over its characters that weigh something,
// each mapped through the main table's key map: every single character,
// every adjacent pair, and the positional keys {c, "aaa", 101 + i} for the
// character at position i = 1..14 from the start and {c, "bbb", 101 + j}
// for the one at position j = 0..14 from the end. The following table has
// no key map: its keys are in plain byte order. Chosen n-grams may list
// their entries under tag 39 instead, and carry tag 1 (or 2, beside tag
// 39), which makes a like node prefer their list whatever its length.
//
// Plain C++ for tests and tools.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "tests/support/index_builder.h"

namespace testbuild {

struct NgramOptions {
  // Lists longer than this are left out (the n-gram gets no entry), so that
  // every entry fits its record.
  uint32_t maxListValues = 20000;
  uint32_t recordBytes = 60000;
  // Phonetic keys: extra keys with their own lists under tag 38.
  std::vector<std::pair<std::vector<uint8_t>, std::vector<uint32_t>>> phonetic;
  // N-grams (keys as KeyNgrams makes them) whose list stands under tag 39
  // instead of 37.
  std::vector<std::vector<uint8_t>> secondLists;
  // N-grams that also carry the preferring tag of their list's form: tag 1
  // beside a tag-37 list, tag 2 beside a tag-39 one (the tag table then
  // puts each after its list's tag, where it decides).
  std::vector<std::vector<uint8_t>> preferred;
};

// The n-gram keys of one key (mapped, plain bytes), unique and sorted.
std::vector<std::vector<uint8_t>> KeyNgrams(const std::vector<uint8_t>& ordt, const std::vector<uint8_t>& label);

IndexRecipe NgramIndex(const IndexRecipe& main, const NgramOptions& options = NgramOptions());

}  // namespace testbuild
