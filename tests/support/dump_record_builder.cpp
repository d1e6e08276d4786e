// DUMP records for the tests (see dump_record_builder.h).
#include "tests/support/dump_record_builder.h"

#include "tests/support/palm_database_builder.h"

namespace testbuild {

DumpRecord& DumpRecord::Head(const char* magic, uint32_t headerLength, uint32_t version) {
  for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(magic[i]));
  for (uint32_t v : {headerLength, version})
    for (int shift = 24; shift >= 0; shift -= 8) bytes_.push_back(static_cast<uint8_t>(v >> shift));
  return *this;
}

DumpRecord& DumpRecord::Number(uint32_t value) {
  uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = static_cast<uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  for (int i = n - 1; i >= 0; --i) bytes_.push_back(static_cast<uint8_t>(groups[i] | (i == 0 ? 0x80 : 0)));
  return *this;
}

DumpRecord& DumpRecord::Text(const std::string& utf8) {
  Number(static_cast<uint32_t>(utf8.size()));
  bytes_.insert(bytes_.end(), utf8.begin(), utf8.end());
  return *this;
}

DumpRecord& DumpRecord::Raw(std::initializer_list<uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

std::vector<uint8_t> DumpFileBytes(const std::vector<uint8_t>& record) {
  PalmDatabaseBuilder builder;
  builder.Head().name = "database";
  builder.Head().type = FourCC("DUMP");
  builder.Head().creator = FourCC("CORV");
  builder.AddRecord(record);
  return builder.Build();
}

}  // namespace testbuild
