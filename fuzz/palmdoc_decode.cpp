// Fuzz target: untrusted PalmDOC records. The first two bytes give the
// output capacity; the rest is decoded into an exactly sized block, so any
// write or read past it is seen. A record that decodes must decode to the
// length its token count gives.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "storage/compression/palmdoc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2 || size > (1u << 16)) return 0;
  const uint32_t capacity = (static_cast<uint32_t>(data[0]) << 8 | data[1]) & 0x7FFF;
  std::vector<uint8_t> input(data + 2, data + size);
  std::vector<uint8_t> out(capacity);
  uint32_t produced = 0;
  const PalmDocResult result = DecodePalmDoc(input.data(), static_cast<uint32_t>(input.size()),
                                             capacity == 0 ? nullptr : out.data(), capacity, &produced);
  if (produced > capacity) __builtin_trap();
  const uint32_t counted = PalmDocDecodedLength(input.data(), static_cast<uint32_t>(input.size()));
  if (result == PalmDocResult::kOk && counted != produced) __builtin_trap();
  return 0;
}
