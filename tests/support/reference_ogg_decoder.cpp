// A plain ov_read loop over ov_open (see reference_ogg_decoder.h).
#include "tests/support/reference_ogg_decoder.h"

#include <tremor/ivorbisfile.h>

#include <cstdio>

ReferenceDecode DecodeWithLibrary(const std::string& path, int64_t startMs, int chunk) {
  ReferenceDecode out;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return out;
  OggVorbis_File vf;
  if (ov_open(file, &vf, nullptr, 0) != 0) {
    std::fclose(file);
    return out;
  }
  out.opened = true;
  vorbis_info* info = ov_info(&vf, -1);
  out.channels = info->channels;
  out.rate = info->rate;
  out.totalMs = ov_time_total(&vf, -1);
  if (startMs > 0 && ov_time_seek(&vf, startMs) != 0) {
    ov_clear(&vf);  // closes the file
    out.opened = false;
    return out;
  }
  std::vector<char> buffer(static_cast<size_t>(chunk));
  for (;;) {
    int link = 0;
    long n = ov_read(&vf, buffer.data(), chunk, &link);
    if (n <= 0) break;
    out.pcm.insert(out.pcm.end(), buffer.begin(), buffer.begin() + n);
  }
  ov_clear(&vf);
  return out;
}
