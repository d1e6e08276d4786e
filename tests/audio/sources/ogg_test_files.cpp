// Helpers of the Ogg source tests (see ogg_test_files.h).
#include "tests/audio/sources/ogg_test_files.h"

#include "audio/sources/ogg_vorbis_source.h"
#include "tests/support/file_document_stream.h"

namespace oggtest {

std::vector<Page> Pages(const std::vector<uint8_t>& file) {
  std::vector<Page> pages;
  size_t at = 0;
  while (at + 27 <= file.size() && std::equal(file.begin() + at, file.begin() + at + 4, "OggS")) {
    size_t segments = file[at + 26];
    if (at + 27 + segments > file.size()) break;
    size_t body = 0;
    for (size_t i = 0; i < segments; ++i) body += file[at + 27 + i];
    Page page;
    page.offset = at;
    page.size = 27 + segments + body;
    for (int i = 7; i >= 0; --i) page.granule = (page.granule << 8) | file[at + 6 + i];
    if (at + page.size > file.size()) break;
    pages.push_back(page);
    at += page.size;
  }
  return pages;
}

AudioSource* OpenOgg(const std::string& path) {
  FileDocumentStream* stream = FileDocumentStream::Open(path);
  if (!stream) return nullptr;
  return new OggVorbisSource(stream);
}

AudioSource* OpenOggBytes(const std::vector<uint8_t>& bytes) {
  return new OggVorbisSource(new MemoryDocumentStream(bytes));
}

std::vector<uint8_t> ReadAll(AudioSource* source, uint32_t chunk, int* reads) {
  std::vector<uint8_t> out;
  std::vector<uint8_t> buffer(chunk);
  for (int guard = 0; guard < 10000000; ++guard) {
    uint32_t got = 0;
    bool ok = source->GetPcmReader()->Read(buffer.data(), chunk, &got);
    if (reads) ++*reads;
    if (!ok || got == 0) break;
    out.insert(out.end(), buffer.begin(), buffer.begin() + got);
  }
  return out;
}

}  // namespace oggtest
