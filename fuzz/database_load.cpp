// Fuzz target: untrusted object-database records loaded from a "DUMP" file.
// A record that loads is saved again and loaded once more, which must give
// the same record; one that fails leaves an empty database. No count from
// the record may lead to a large allocation or a long loop.
//
// Input: the bytes of record 0.
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "index/database/database.h"
#include "platform/files/files.h"
#include "platform/testing/files.h"
#include "tests/support/dump_record_builder.h"
#include "fuzz/temp_in_memory.h"

namespace {

constexpr const char16_t* kPath = u"\\fuzz.ebase";
constexpr const char16_t* kSaved = u"\\saved.ebase";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = [] {
    fuzzsupport::UseTempInMemory();
    devtest::UseFreshDeviceRoot();
    return true;
  }();
  (void)ready;
  if (size > (1u << 16)) return 0;
  const std::vector<uint8_t> file = testbuild::DumpFileBytes(std::vector<uint8_t>(data, data + size));
  {
    std::ofstream out(devtest::HostPath(kPath), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  }
  DatabasePtr d;
  d.Adopt(new Database());
  d->SetPath(kPath);
  const int32_t code = d->LoadFromFile();
  if (code != 0) {
    if (d->FirstTable() >= 0) __builtin_trap();  // nothing half-loaded
  } else {
    d->SetPath(kSaved);
    if (!d->Save()) {
      DatabasePtr again;
      again.Adopt(new Database());
      again->SetPath(kSaved);
      if (again->LoadFromFile() != 0) __builtin_trap();
    }
  }
  DeleteFileW(kPath);
  DeleteFileW(kSaved);
  return 0;
}
