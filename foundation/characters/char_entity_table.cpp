// Look-ups over the character entity table (rows in ascending code point
// order, see char_entity_code_points.cpp).
#include "foundation/characters/char_entity_table.h"

namespace {

// ensp, emsp and thinsp read as a no-break space, the character of nbsp.
constexpr uint32_t kFirstSpaceEntity = 162;
constexpr uint32_t kLastSpaceEntity = 164;
constexpr uint32_t kNoBreakSpaceEntity = 6;

}  // namespace

uint16_t EntityCodePoint(uint32_t id) {
  if (id >= kEntityRowCount) return 0;
  return static_cast<uint16_t>(kEntityCodePoints[id]);
}

bool GetEntityText(uint32_t id, const WCHAR** text, uint32_t* length) {
  if (id == 0 || id >= kEntityRowCount) {
    *text = nullptr;
    *length = 0;
    return false;
  }
  if (id >= kFirstSpaceEntity && id <= kLastSpaceEntity) id = kNoBreakSpaceEntity;
  *text = &kEntityCodePoints[id];
  *length = 1;
  return true;
}

uint32_t FindEntityByCodePoint(uint32_t codePoint) {
  if (codePoint > 0xFFFF) return 0;
  // Signed bounds: `high` may step below `low` (and below 0 in principle).
  int32_t low = 0;
  int32_t high = static_cast<int32_t>(kEntityRowCount) - 1;
  while (low < high) {
    const int32_t middle = (low + high) / 2;
    const uint32_t row = kEntityCodePoints[middle];
    if (row < codePoint) {
      low = middle + 1;
    } else if (row == codePoint) {
      return static_cast<uint32_t>(middle);
    } else {
      high = middle - 1;
    }
  }
  if (low < static_cast<int32_t>(kEntityRowCount) && kEntityCodePoints[low] == codePoint) {
    return static_cast<uint32_t>(low);
  }
  return 0;
}
