// Host-file and in-memory document streams (see file_document_stream.h).
#include "tests/support/file_document_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

FileDocumentStream* FileDocumentStream::Open(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size >= 0xFFFFFFFFll) {
    ::close(fd);
    return nullptr;
  }
  return new FileDocumentStream(fd, static_cast<uint32_t>(st.st_size));
}

FileDocumentStream::~FileDocumentStream() { ::close(fd_); }

bool FileDocumentStream::ReadRaw(uint32_t offset, void* buffer, uint32_t count) {
  auto* out = static_cast<uint8_t*>(buffer);
  while (count > 0) {
    ssize_t n = ::pread(fd_, out, count, offset);
    if (n <= 0) return false;
    out += n;
    offset += static_cast<uint32_t>(n);
    count -= static_cast<uint32_t>(n);
  }
  return true;
}

bool MemoryDocumentStream::ReadRaw(uint32_t offset, void* buffer, uint32_t count) {
  ++reads;
  if (!valid_ || offset > bytes_.size() || count > bytes_.size() - offset) return false;
  if (count) std::memcpy(buffer, bytes_.data() + offset, count);
  return true;
}
