// The record of an object database's "DUMP" file written byte by byte for
// the tests and the fuzz seeds, independent of the system's own writer: a
// head (magic, header length and version, big-endian), then forward varints
// (0 is 0x80, 300 is 0x02 0xAC) and texts (a length and UTF-8 bytes) in the
// order the test gives them. Broken records are made the same way.
//
// Plain C++ for tests and tools.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testbuild {

class DumpRecord {
 public:
  DumpRecord& Head(const char* magic = "DUMP", uint32_t headerLength = 12, uint32_t version = 1);
  DumpRecord& Number(uint32_t value);
  DumpRecord& Text(const std::string& utf8);
  DumpRecord& Raw(std::initializer_list<uint8_t> bytes);
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

// A Palm database file (type "DUMP", creator "CORV") holding the record.
std::vector<uint8_t> DumpFileBytes(const std::vector<uint8_t>& record);

}  // namespace testbuild
