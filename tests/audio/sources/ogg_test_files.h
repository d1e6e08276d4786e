// Helpers of the Ogg source tests: reading a whole source, the pages of an
// Ogg file (to cut or damage one), opening a source over a file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audio/sources/audio_source.h"

namespace oggtest {

struct Page {
  size_t offset = 0;
  size_t size = 0;
  int64_t granule = 0;
};

// The pages of an Ogg file, in order, as far as they parse.
std::vector<Page> Pages(const std::vector<uint8_t>& file);

// A source over a host file (one reference, the caller's), or null when the
// file cannot be opened.
AudioSource* OpenOgg(const std::string& path);
AudioSource* OpenOggBytes(const std::vector<uint8_t>& bytes);

// Everything the reader gives in reads of `chunk` bytes, until it answers
// false or 0 bytes; `reads` (optional) counts the calls.
std::vector<uint8_t> ReadAll(AudioSource* source, uint32_t chunk = 1024, int* reads = nullptr);

}  // namespace oggtest
