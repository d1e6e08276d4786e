// A book's position directory made for the tests: directory records of
// sorted (text position, reference) pairs, directory record 0 with the shift
// and the limit words, the entry lists' parallel words, and an entry-data
// record of 12-byte entries with child blocks and names. Sets the book's
// header words at 200, 204 and 208.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/book_builder.h"

namespace testbuild {

struct PositionEntry {
  uint16_t flags = 0;
  uint16_t second = 0;
  uint32_t value = 0;
  std::string name;                     // empty: no name (0xFFFFFFFF)
  std::vector<PositionEntry> children;  // a child block when not empty (flag 0x1 set)
};

struct PositionRange {
  uint32_t position = 0;              // where the range starts
  std::vector<PositionEntry> entries;  // its entry list
  std::vector<uint32_t> words;         // its parallel words
};

struct PositionDirectoryRecipe {
  uint32_t shift = 16;
  uint32_t rangeValue = 7;
  std::vector<std::vector<PositionRange>> records;  // directory records, each a sorted run of ranges
};

// Appends the directory records and one entry-data record; answers D.
uint32_t AddPositionDirectory(BuiltBook& book, const PositionDirectoryRecipe& recipe);

}  // namespace testbuild
