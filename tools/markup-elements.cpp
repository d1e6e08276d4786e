// markup-elements FILE: prints the element stream that the markup parser
// makes of a UTF-8 (or plain ASCII) markup file, one element a line, for
// debugging and for side-by-side timing with other HTML parsers.
//   --positions   prefix every element with its source position
//   --count       print only the number of elements of each kind
//   --block N     hand the text to the parser in blocks of N characters
// markup-elements --generate SEED BYTES: writes a generated book-like
// document of about BYTES bytes (the benchmark's input) to standard output.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "foundation/code_pages/code_page.h"
#include "layout/markup/markup_parser.h"
#include "tests/support/fake_document.h"
#include "tests/support/fake_document_markup.h"

#include "tools/command_line.h"

namespace {

constexpr char kUsage[] =
    "usage: markup-elements [--positions] [--count] [--block N] FILE\n"
    "       markup-elements --generate SEED BYTES\n";

// A region of memory mapped whole and populated in one call (a file's
// bytes, or fresh zeroed pages), unmapped at the end: the pages are not
// faulted in one by one.
class MappedRegion {
 public:
  MappedRegion() = default;
  MappedRegion(const MappedRegion&) = delete;
  MappedRegion& operator=(const MappedRegion&) = delete;
  ~MappedRegion() {
    if (data_ != nullptr) ::munmap(data_, size_);
  }
  bool MapFile(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size < 0x7FFFFFFF;
    if (ok && st.st_size > 0) ok = Map(static_cast<size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd);
    ::close(fd);
    return ok;
  }
  bool MapFresh(size_t size) {
    return size == 0 || Map(size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1);
  }
  void* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  bool Map(size_t size, int protection, int flags, int fd) {
    void* data = ::mmap(nullptr, size, protection, flags | MAP_POPULATE, fd, 0);
    if (data == MAP_FAILED) return false;
    data_ = data;
    size_ = size;
    return true;
  }
  void* data_ = nullptr;
  size_t size_ = 0;
};

// The file's text in UTF-16, handed to the parser in blocks of a fixed
// size that point straight into it, as a book's decoded records are handed
// out in place: no block is copied.
class InPlaceDocument : public FakeDocument {
 public:
  InPlaceDocument(const char16_t* text, uint32_t length, uint32_t blockSize)
      : FakeDocument(std::u16string(), blockSize), text_(text), length_(length) {}
  uint32_t GetTextLength() override { return length_; }
  bool ReadBlock(uint32_t position, TextBlock* block, uint32_t, bool raw) override {
    if (position >= length_) return false;
    const uint32_t first = position - position % blockSize();
    const uint32_t length = std::min<uint32_t>(blockSize(), length_ - first);
    block->start = first;
    block->data = text_ + first;
    block->length = length;
    block->scanStart = first;
    block->scanOffset = 0;
    block->sourceLength = length;
    block->raw = raw ? 1 : 0;
    block->blockId = 1;
    return true;
  }
  void ReleaseBlock(uint16_t) override {}

 private:
  const char16_t* text_;
  uint32_t length_;
};

}  // namespace

int main(int argc, char** argv) {
  bool positions = false;
  bool countOnly = false;
  uint32_t block = 4096;
  const char* path = nullptr;
  if (argc >= 2 && std::strcmp(argv[1], "--generate") == 0) {
    unsigned long long seed = 0, bytes = 0;
    if (argc != 4 || !toolcli::ParseNumber(argv[2], UINT32_MAX, &seed) ||
        !toolcli::ParseNumber(argv[3], SIZE_MAX, &bytes)) {
      return toolcli::UsageError(kUsage);
    }
    std::string book = GenerateMarkupBook(static_cast<uint32_t>(seed), static_cast<size_t>(bytes));
    std::fwrite(book.data(), 1, book.size(), stdout);
    return 0;
  }
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    unsigned long long value = 0;
    if (toolcli::IsHelp(arg)) {
      return toolcli::ShowUsage(kUsage);
    } else if (std::strcmp(arg, "--positions") == 0) {
      positions = true;
    } else if (std::strcmp(arg, "--count") == 0) {
      countOnly = true;
    } else if (std::strcmp(arg, "--block") == 0) {
      if (i + 1 >= argc || !toolcli::ParseNumber(argv[++i], UINT32_MAX, &value) || value == 0)
        return toolcli::UsageError(kUsage, "markup-elements", "--block needs a number of characters above 0");
      block = static_cast<uint32_t>(value);
    } else if (toolcli::IsOption(arg) || path != nullptr) {
      return toolcli::UsageError(kUsage);
    } else {
      path = arg;
    }
  }
  if (path == nullptr) return toolcli::UsageError(kUsage);
  // The file's bytes and their UTF-16 form (at most a unit per byte),
  // converted by the system's own UTF-8 converter.
  MappedRegion bytes, units;
  if (!bytes.MapFile(path) || !units.MapFresh(bytes.size() * 2)) {
    std::fprintf(stderr, "markup-elements: cannot read %s\n", path);
    return 1;
  }
  uint32_t unitBytes = static_cast<uint32_t>(units.size());
  ConvertFromUtf8(static_cast<const uint8_t*>(bytes.data()), static_cast<uint32_t>(bytes.size()), kCodePageUtf16,
                  units.data(), &unitBytes, nullptr);
  auto document = std::make_unique<InPlaceDocument>(static_cast<const char16_t*>(units.data()), unitBytes / 2, block);

  MarkupParser parser;
  parser.AttachSource(document.get(), 0);
  if (!parser.Restart(0, false)) {
    std::fprintf(stderr, "markup-elements: out of memory\n");
    return 1;
  }
  unsigned long counts[6] = {};
  for (;;) {
    int32_t kind = parser.Next();
    if (kind >= 0 && kind < 6) ++counts[kind];
    if (kind == kElementEnd) break;
    if (kind == kElementAgain) continue;
    if (!countOnly) std::printf("%s\n", DescribeElement(parser, kind, positions).c_str());
    parser.ReleaseChunks();
  }
  if (countOnly) {
    std::printf("text %lu\ntag %lu\nspace %lu\nzwnj %lu\n", counts[kElementText], counts[kElementTag],
                counts[kElementSpace], counts[kElementBreak]);
  }
  return 0;
}
