// The spelling blocks "SPL1" to "SPL6" of an index header record: the book's
// own rules and maps for spelling correction, checked and gathered into the
// ApproximateMatcher record that the matcher interprets.
#pragma once

#include <cstdint>

struct ApproximateMatcher {
  const uint8_t* spl1 = nullptr;  // 256 bytes each
  const uint8_t* spl2 = nullptr;
  const uint8_t* spl4 = nullptr;
  const uint8_t* spl5 = nullptr;
  const uint8_t* spl3 = nullptr;  // spl3Size bytes
  const uint8_t* spl6 = nullptr;  // 512 bytes
  uint32_t spl3Size = 0;
  int32_t classLow = 0;           // offset 88
  int32_t classHigh = 0;          // 92
  int32_t boundaryCharacter = 0;  // 96
  int32_t maxKeyLength = 0;       // 144
  int32_t scores[9] = {};         // 100-132
  int32_t percentages[2] = {};    // 136, 140
  uint8_t loaded = 0;
};

// 0 when all six blocks are present and valid (the matcher filled), 1
// otherwise (nothing delivered).
int32_t ReadSpellingBlocks(const uint8_t* record, uint32_t length, ApproximateMatcher* matcher);
