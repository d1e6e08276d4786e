// Table-driven CRC-32 (the reflected polynomial 0xEDB88320). The system starts
// its checksums from 0 and leaves out the final inversion, so its values differ
// from the common CRC-32; the encoded string uses them to make a shortened file
// name unique again. The table is built on the heap at run time; an object
// whose allocation failed holds no table and refuses to compute.
#pragma once

#include <cstddef>
#include <cstdint>

// Advances crc over n bytes with the given 256-entry table; n = 0 answers crc.
uint32_t Crc32Update(const uint32_t* table, uint32_t crc, const void* data, size_t n);

class Crc32Table {
 public:
  // Allocates and fills the table; it stays null when the allocation fails.
  Crc32Table();
  ~Crc32Table();
  Crc32Table(const Crc32Table&) = delete;
  Crc32Table& operator=(const Crc32Table&) = delete;

  // Allocates and fills the table when it is missing; false without memory.
  bool Create();
  bool IsValid() const { return table_ != nullptr; }
  const uint32_t* Entries() const { return table_; }

  // out = the checksum of n bytes from 0, not inverted. False, with out left
  // untouched, when the table is missing.
  bool Compute(const void* data, size_t n, uint32_t* out) const;

  // Fills a 256-entry table for the reflected polynomial.
  static void Fill(uint32_t* table);

 private:
  uint32_t* table_ = nullptr;
};
