// The code-page vocabulary: the longest character of a page and the lead-byte
// classes that tell how many trail bytes follow each byte value.
#include "foundation/code_pages/code_page.h"

#include <cstring>

uint32_t MaxBytesPerChar(int32_t cp) {
  switch (cp) {
    case 932:
    case 936:
    case 950:
      return 2;
    case 65001:
      return 4;
    default:
      return 1;
  }
}

namespace {
void SetRange(LeadByteSet* set, uint32_t first, uint32_t last, uint32_t trailBytes) {
  for (uint32_t v = first; v <= last; ++v) set->SetClass(static_cast<uint8_t>(v), trailBytes);
}
}  // namespace

void LeadByteSet::Init(int32_t cp) {
  if (cp == -1) return;
  codePage = cp;
  std::memset(classes, 0, sizeof(classes));
  switch (cp) {
    case 932:
      SetRange(this, 0x81, 0x9F, 1);
      SetRange(this, 0xE0, 0xFC, 1);
      break;
    case 936:
      SetRange(this, 0xA1, 0xFE, 1);
      break;
    case 949:
    case 950:
      SetRange(this, 0x81, 0xFE, 1);
      break;
    case 51932:
      SetRange(this, 0x8E, 0x8E, 1);
      SetRange(this, 0xA1, 0xFE, 1);
      SetRange(this, 0x8F, 0x8F, 2);
      break;
    case 65001:
      SetRange(this, 0xC0, 0xDF, 1);
      SetRange(this, 0xE0, 0xEF, 2);
      SetRange(this, 0xF0, 0xFF, 3);
      break;
    default:
      break;
  }
}
