// Spelling blocks ("SPL1" to "SPL6" and the matcher numbers) made from a
// small rules text, for the tests, the benchmark and `bookmake`.
//
// One rule a line: left context, match, right context and replacement,
// separated by "|" (an empty field is empty); blank lines are skipped. Rules
// are grouped by the folded first character of their match, in the order the
// groups first appear; each group ends with whatever catch-all the text
// gives. Adjacent rules with the same contexts and match are alternatives.
//
// Maps: letters fold to lower case, every other byte to itself; the class
// of a vowel is "V", of a consonant "C", with the class range "A" to "Z", so
// that upper-case rule characters stand for classes. The boundary character
// is "#". The first-output and output maps are given by the recipe.
//
// Plain C++ for tests and tools.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "index/spelling/approximate_matcher.h"
#include "tests/support/index_builder.h"
#include "tests/support/ngram_index_builder.h"

namespace testbuild {

struct SpellingRecipe {
  std::string rules;
  std::map<uint8_t, uint8_t> firstOutput;  // SPL4 entries (others 0)
  std::map<uint8_t, uint8_t> output;       // SPL5 entries (others 0)
  // identical letters, folded letters, identical output, similar output,
  // related output, unmatched unit, marked output, small overlap, large
  // overlap, relative cut-off %, absolute cut-off %
  std::array<int32_t, 11> numbers{100, 80, 60, 40, 20, -50, 0, 10, 20, 30, 100};
  uint32_t maxKeyLength = 0;
  uint8_t boundary = '#';
};

// The rule table alone (SPL3) and the rule index (SPL6) over it.
std::vector<uint8_t> EncodeRule(const std::string& left, const std::string& match, const std::string& right,
                                const std::string& replacement);
IndexSpelling BuildSpelling(const SpellingRecipe& recipe);

// Rules in which every letter is emitted as itself (after the given rules,
// as each letter's catch-all); a consonant starts a unit and a vowel joins
// the unit before it, so "cat" is the units "", "ca", "t". The first-output
// map sends consonants to upper case and every vowel to "A"; the output map
// keeps consonants and drops vowels, so the phonetic key of "cat" is "Ct".
// With everyByte every other character from "!" on (but "|") is read as no
// sound, so that any 1252 word can be cut.
SpellingRecipe LetterSpelling(const std::string& extraRules = "", bool everyByte = false);

// The matcher record over built blocks (which must outlive it).
ApproximateMatcher MatcherOfBlocks(const IndexSpelling& s);

// A dictionary whose main table carries the spelling blocks and whose
// following table holds its n-grams and, under tag 38, the phonetic key of
// every reading of every word, computed by the system's own matcher (keys
// only when the recipe's maximum phonetic key length is not 0).
struct SpellingDictionaryTables {
  IndexRecipe main;
  IndexRecipe following;
  size_t phoneticKeys = 0;
};
SpellingDictionaryTables SpellingDictionary(std::vector<DictionaryWord> words, const SpellingRecipe& spelling,
                                            const NgramOptions& options = NgramOptions());

}  // namespace testbuild
