// The CRC-32 table and its byte loop; see crc32_table.h.
#include "foundation/streams/crc32_table.h"

#include "platform/memory/allocator.h"

namespace {

constexpr uint32_t kReflectedPolynomial = 0xEDB88320u;
constexpr size_t kEntries = 256;

}  // namespace

uint32_t Crc32Update(const uint32_t* table, uint32_t crc, const void* data, size_t n) {
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  for (size_t i = 0; i < n; ++i) crc = table[(crc ^ bytes[i]) & 0xFFu] ^ (crc >> 8);
  return crc;
}

Crc32Table::Crc32Table() { Create(); }

Crc32Table::~Crc32Table() { DeviceFree(table_); }

bool Crc32Table::Create() {
  if (table_ != nullptr) return true;
  uint32_t* table = static_cast<uint32_t*>(DeviceAlloc(kEntries * sizeof(uint32_t)));
  if (table == nullptr) return false;
  Fill(table);
  table_ = table;
  return true;
}

void Crc32Table::Fill(uint32_t* table) {
  for (uint32_t i = 0; i < kEntries; ++i) {
    uint32_t v = i;
    for (int bit = 0; bit < 8; ++bit) v = (v & 1u) ? (v >> 1) ^ kReflectedPolynomial : v >> 1;
    table[i] = v;
  }
}

bool Crc32Table::Compute(const void* data, size_t n, uint32_t* out) const {
  if (table_ == nullptr) return false;
  *out = Crc32Update(table_, 0, data, n);
  return true;
}
