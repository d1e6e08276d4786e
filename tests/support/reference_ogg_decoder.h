// The reference the Ogg source is compared with: a plain read loop over the
// decoder library's own file functions (ov_open on a FILE), without the
// project's callbacks or streams.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ReferenceDecode {
  bool opened = false;
  int channels = 0;
  long rate = 0;
  int64_t totalMs = -1;  // all links
  std::vector<uint8_t> pcm;
};

// Decodes the file from `startMs` (0: the start, else after ov_time_seek) in
// reads of `chunk` bytes until the end or the first error.
ReferenceDecode DecodeWithLibrary(const std::string& path, int64_t startMs = 0, int chunk = 1024);
