// AdvanceTable: pages of advance widths allocated on first use.
#include "layout/drawing/advance_table.h"

#include "platform/memory/allocator.h"

namespace {

bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

void MarkUnknown(int16_t* widths) {
  for (uint32_t i = 0; i < 256; ++i) widths[i] = AdvanceTable::kUnknown;
}

}  // namespace

AdvanceTable::AdvanceTable() { MarkUnknown(first_); }

AdvanceTable::~AdvanceTable() { Reset(); }

bool AdvanceTable::Set(char16_t c, int32_t advance) {
  if (IsSurrogate(c) || advance < 0 || advance > INT16_MAX) return false;
  if (c < 256) {
    first_[c] = static_cast<int16_t>(advance);
    return true;
  }
  int16_t*& page = pages_[c >> 8];
  if (page == nullptr) {
    page = static_cast<int16_t*>(DeviceAlloc(sizeof(int16_t) * 256));
    if (page == nullptr) return false;
    MarkUnknown(page);
  }
  page[c & 0xFF] = static_cast<int16_t>(advance);
  return true;
}

void AdvanceTable::Reset() {
  MarkUnknown(first_);
  for (int16_t*& page : pages_) {
    DeviceFree(page);
    page = nullptr;
  }
  height = kUnknown;
}
