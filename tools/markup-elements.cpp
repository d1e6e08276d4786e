// markup-elements FILE: prints the element stream that the markup parser
// makes of a UTF-8 (or plain ASCII) markup file, one element a line, for
// debugging and for side-by-side timing with other HTML parsers.
//   --positions   prefix every element with its source position
//   --count       print only the number of elements of each kind
//   --block N     hand the text to the parser in blocks of N characters
// markup-elements --generate SEED BYTES: writes a generated book-like
// document of about BYTES bytes (the benchmark's input) to standard output.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>
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

// The file's text in UTF-16, converted block by block as the parser asks
// for it, as a book's records are decoded one at a time: the file is read
// in pieces into small buffers, and only the blocks the parser holds are
// kept, so that the text costs a few blocks of memory whatever its size. One
// pass at opening finds where each block starts. The blocks are cut only
// between characters and never before a stray continuation byte, so each
// converts to exactly the units the whole file would give there.
class ConvertingDocument : public FakeDocument {
 public:
  explicit ConvertingDocument(uint32_t blockSize) : FakeDocument(std::u16string(), blockSize) {}
  ~ConvertingDocument() override {
    if (fd_ >= 0) ::close(fd_);
  }
  bool Open(const char* path);
  uint32_t GetTextLength() override { return unitStarts_.back(); }
  bool ReadBlock(uint32_t position, TextBlock* block, uint32_t, bool raw) override;
  void ReleaseBlock(uint16_t blockId) override {
    if (blockId >= 1 && blockId <= slots_.size() && slots_[blockId - 1].holds > 0) --slots_[blockId - 1].holds;
  }

 private:
  struct Slot {
    uint32_t block = UINT32_MAX;
    uint32_t holds = 0;
    std::vector<char16_t> units;
  };
  static bool IsContinuation(uint8_t b) { return b >= 0x80 && b <= 0xBF; }
  bool ReadAt(uint32_t offset, uint8_t* out, uint32_t length);

  int fd_ = -1;
  std::vector<uint32_t> byteStarts_;  // each block's first byte, then the file size
  std::vector<uint32_t> unitStarts_;  // each block's first unit, then the text length
  std::vector<Slot> slots_;
  std::vector<uint8_t> bytes_;
};

bool ConvertingDocument::ReadAt(uint32_t offset, uint8_t* out, uint32_t length) {
  while (length > 0) {
    const ssize_t got = ::pread(fd_, out, length, offset);
    if (got <= 0) return false;
    out += got;
    offset += static_cast<uint32_t>(got);
    length -= static_cast<uint32_t>(got);
  }
  return true;
}

bool ConvertingDocument::Open(const char* path) {
  fd_ = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return false;
  struct stat st;
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size >= 0x7FFFFFFF) return false;
  const uint32_t size = static_cast<uint32_t>(st.st_size);
  // The units each step of the UTF-8 decoder makes: a byte below 0xC0 is a
  // unit of its own (leading continuation bytes of the file make none); a
  // lead byte takes its whole sequence, one unit or a surrogate pair, or one
  // U+FFFD and the end of the text when the file ends inside it.
  constexpr uint32_t kChunk = 1 << 16;
  std::vector<uint8_t> chunk(kChunk + 8);
  uint32_t held = 0, at = 0, done = 0;  // bytes in chunk, next one there, bytes before chunk
  uint32_t units = 0, blockUnits = 0;
  bool started = false, ended = false;
  byteStarts_.assign(1, 0);
  unitStarts_.assign(1, 0);
  const uint32_t blockSize = this->blockSize();
  while (!ended) {
    if (held - at < 9 && done + held < size) {
      // Keep the unread tail and read on behind it.
      std::memmove(chunk.data(), chunk.data() + at, held - at);
      done += at;
      held -= at;
      at = 0;
      const uint32_t want = std::min<uint32_t>(kChunk, size - done - held);
      if (!ReadAt(done + held, chunk.data() + held, want)) return false;
      held += want;
    }
    if (at == held) break;
    if (started && held - at >= 8 && blockUnits + 8 < blockSize) {
      // A run of ASCII, eight bytes a step while the block has room: one
      // unit a byte, and no block ends inside it.
      const uint32_t before = at;
      // A step may start while the block holds at most blockSize - 9 units.
      const uint32_t room = blockSize - 9 - blockUnits;
      uint32_t stop = held - 8;  // the last byte a step may start at
      if (stop - at > room) stop = at + room;
      for (; at <= stop; at += 8) {
        uint64_t eight;
        std::memcpy(&eight, chunk.data() + at, 8);
        if ((eight & 0x8080808080808080ull) != 0) break;
      }
      if (at != before) {
        units += at - before;
        blockUnits += at - before;
        if (units > 0x7FFFFFFF) return false;
        continue;  // the refill above keeps the bytes a sequence needs
      }
    }
    const uint8_t* p = chunk.data() + at;
    const uint32_t left = held - at;
    const bool fileEnd = done + held == size;
    uint32_t step = 1, made = 1;
    if (!started && IsContinuation(p[0])) {
      made = 0;
    } else if (left >= 8 && blockUnits + 8 < blockSize) {
      uint64_t eight;
      std::memcpy(&eight, p, 8);
      if ((eight & 0x8080808080808080ull) == 0) step = made = 8;
    }
    if (made != 0) started = true;
    if (step == 1 && p[0] >= 0xC0) {
      step = p[0] < 0xE0 ? 2 : (p[0] < 0xF0 ? 3 : 4);
      if (left < step) {
        // Only at the end of the file (the chunk keeps 9 bytes otherwise).
        step = left;
        ended = true;
      } else if (step == 4) {
        const uint32_t cp = ((p[0] & 0x07u) << 18) | ((p[1] & 0x3Fu) << 12) | ((p[2] & 0x3Fu) << 6) | (p[3] & 0x3Fu);
        made = cp >= 0x10000 && cp <= 0x10FFFF ? 2 : 1;
      }
    }
    at += step;
    units += made;
    blockUnits += made;
    if (units > 0x7FFFFFFF) return false;
    const bool more = at < held || !fileEnd;
    if (blockUnits >= blockSize && more && !ended && !(at < held && IsContinuation(chunk[at]))) {
      byteStarts_.push_back(done + at);
      unitStarts_.push_back(units);
      blockUnits = 0;
    }
  }
  byteStarts_.push_back(size);
  unitStarts_.push_back(units);
  return true;
}

bool ConvertingDocument::ReadBlock(uint32_t position, TextBlock* block, uint32_t, bool raw) {
  if (position >= GetTextLength()) return false;
  const uint32_t k = static_cast<uint32_t>(std::upper_bound(unitStarts_.begin(), unitStarts_.end(), position) -
                                           unitStarts_.begin() - 1);
  // The block's slot when it is converted already, else a slot nothing
  // holds, else a new one.
  size_t index = slots_.size();
  for (size_t i = 0; i < slots_.size() && index == slots_.size(); ++i)
    if (slots_[i].block == k) index = i;
  for (size_t i = 0; i < slots_.size() && index == slots_.size(); ++i)
    if (slots_[i].holds == 0) index = i;
  if (index == slots_.size() || slots_[index].block != k) {
    if (index == slots_.size()) {
      if (slots_.size() >= 0xFFFF) return false;
      slots_.emplace_back();
    }
    Slot& slot = slots_[index];
    const uint32_t length = byteStarts_[k + 1] - byteStarts_[k];
    bytes_.resize(length);
    slot.units.resize(length);
    uint32_t unitBytes = length * 2;
    if (!ReadAt(byteStarts_[k], bytes_.data(), length) ||
        ConvertFromUtf8(bytes_.data(), length, kCodePageUtf16, slot.units.data(), &unitBytes, nullptr) != 0 ||
        unitBytes / 2 != unitStarts_[k + 1] - unitStarts_[k]) {
      slot.block = UINT32_MAX;  // the file changed under us
      return false;
    }
    slot.block = k;
  }
  Slot& slot = slots_[index];
  ++slot.holds;
  block->start = unitStarts_[k];
  block->data = slot.units.data();
  block->length = unitStarts_[k + 1] - unitStarts_[k];
  block->scanStart = block->start;
  block->scanOffset = 0;
  block->sourceLength = block->length;
  block->raw = raw ? 1 : 0;
  block->blockId = static_cast<uint16_t>(index + 1);
  return true;
}

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
  auto document = std::make_unique<ConvertingDocument>(block);
  if (!document->Open(path)) {
    std::fprintf(stderr, "markup-elements: cannot read %s\n", path);
    return 1;
  }

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
