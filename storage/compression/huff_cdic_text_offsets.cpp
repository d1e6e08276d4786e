// Loading and searching the DATP text-offset tables.
#include "storage/compression/huff_cdic_text_offsets.h"

#include <cstring>

#include "foundation/streams/byte_order.h"
#include "platform/memory/allocator.h"

namespace {

constexpr uint32_t kHeadSize = 12;

}  // namespace

bool TextOffsetTables::ReadRecordCount(const uint8_t* first, uint32_t size, uint32_t* count) {
  if (first == nullptr || size < kHeadSize || std::memcmp(first, "DATP", 4) != 0) return false;
  *count = first[8];
  return *count != 0;
}

bool TextOffsetTables::Init(const uint8_t* const* records, const uint32_t* sizes, uint32_t count) {
  Reset();
  uint32_t announced = 0;
  if (count == 0 || !ReadRecordCount(records[0], sizes[0], &announced) || announced != count) return false;
  const uint32_t shift = records[0][9];
  if (shift >= 32) return false;
  Part* parts = static_cast<Part*>(DeviceAlloc(sizeof(Part) * count));
  if (parts == nullptr) return false;
  uint64_t firstText = 1;
  for (uint32_t r = 0; r < count; ++r) {
    const uint8_t* rec = records[r];
    const uint64_t size = sizes[r];
    if (rec == nullptr || size < kHeadSize) {
      DeviceFree(parts);
      return false;
    }
    const uint64_t header = LoadU32BE(rec + 4);
    const uint64_t lengths = LoadU16BE(rec + 10);
    const uint64_t checkpoints = (lengths + (1ull << shift) - 1) >> shift;
    const uint64_t ends = r == 0 ? 4ull * count : 0;
    const uint64_t need = header + ends + 4 * checkpoints + 2 * lengths;
    if (header < kHeadSize || need > size) {
      DeviceFree(parts);
      return false;
    }
    parts[r].checkpoints = rec + header + ends;
    parts[r].lengths = rec + header + ends + 4 * checkpoints;
    parts[r].checkpointCount = static_cast<uint32_t>(checkpoints);
    parts[r].lengthCount = static_cast<uint32_t>(lengths);
    parts[r].firstTextRecord = static_cast<uint32_t>(firstText);
    firstText += lengths;
  }
  parts_ = parts;
  partCount_ = count;
  ends_ = records[0] + LoadU32BE(records[0] + 4);
  shift_ = shift;
  textRecords_ = static_cast<uint32_t>(firstText - 1);
  return true;
}

void TextOffsetTables::Reset() {
  DeviceFree(parts_);
  parts_ = nullptr;
  partCount_ = 0;
  ends_ = nullptr;
  shift_ = 0;
  textRecords_ = 0;
}

bool TextOffsetTables::Locate(uint32_t position, uint32_t* record, uint32_t* start, uint32_t* length) const {
  if (!IsLoaded()) return false;
  uint32_t r = 0;
  while (r < partCount_ && LoadU32BE(ends_ + 4 * r) <= position) ++r;
  if (r == partCount_) return false;
  const Part& part = parts_[r];
  if (part.checkpointCount == 0 || LoadU32BE(part.checkpoints) > position) return false;
  // The last checkpoint not above the position.
  uint32_t low = 0, high = part.checkpointCount;
  while (high - low > 1) {
    uint32_t mid = low + (high - low) / 2;
    if (LoadU32BE(part.checkpoints + 4 * mid) <= position) {
      low = mid;
    } else {
      high = mid;
    }
  }
  uint64_t at = LoadU32BE(part.checkpoints + 4 * low);
  for (uint32_t j = low << shift_; j < part.lengthCount; ++j) {
    const uint32_t len = LoadU16BE(part.lengths + 2 * j);
    if (position < at + len) {
      *record = part.firstTextRecord + j;
      *start = static_cast<uint32_t>(at);
      *length = len;
      return true;
    }
    at += len;
  }
  return false;
}
