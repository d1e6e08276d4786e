// Fuzz target: the attribute store's file, which lies in the device root
// where anything may be planted. Any bytes parse without fault into entries
// holding only the emulated attributes, and what is written back from them
// parses to the same entries and is written the same again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/files/attribute_store.h"
#include "platform/files/attribute_store_format.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 16) return 0;
  std::string text(reinterpret_cast<const char*>(data), size);
  devicefs::StoredEntries entries = devicefs::ParseAttributeStore(text);
  for (const auto& [key, entry] : entries) {
    Check(!key.empty());
    Check((entry.attributes & ~devicefs::kEmulatedAttributeMask) == 0);
    Check(entry.attributes != 0 || entry.creation != 0);
  }
  std::string written = devicefs::FormatAttributeStore(entries);
  devicefs::StoredEntries again = devicefs::ParseAttributeStore(written);
  Check(again == entries);
  Check(devicefs::FormatAttributeStore(again) == written);
  return 0;
}
