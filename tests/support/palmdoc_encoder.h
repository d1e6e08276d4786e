// A PalmDOC LZ77 encoder for building test books: each text record is
// compressed on its own (back-references never reach into an earlier
// record). Greedy longest match over a hash chain, the space-pair token for
// " " + 0x40..0x7F, literal runs for the bytes that cannot stand alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace testbuild {

std::vector<uint8_t> EncodePalmDoc(const uint8_t* data, size_t size);
inline std::vector<uint8_t> EncodePalmDoc(const std::vector<uint8_t>& data) {
  return EncodePalmDoc(data.data(), data.size());
}

// A reference decoder, independent of the system's, for checking the
// encoder in tests; empty on malformed input.
bool DecodePalmDocReference(const std::vector<uint8_t>& input, std::vector<uint8_t>* out);

}  // namespace testbuild
