// Fuzz target: an untrusted book file. Its record 0 goes through the header
// rules and the EXTH walk on an exactly sized copy; then the whole file is
// opened as the reader opens it (stream factory, BookDocument) in a private
// device root and every block of its text is read, with the position
// arithmetic the tokenizer uses. Nothing may read or write outside a record
// or a buffer, hang, or fail to give back a block.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/files/temp_files.h"
#include "platform/files/device_root.h"
#include "storage/books/book_document.h"
#include "storage/books/exth.h"
#include "storage/container/palm_database.h"
#include "storage/container/stream_factory.h"
#include "tests/support/palm_database_builder.h"

namespace {

void ParseRecord0(const std::vector<uint8_t>& file) {
  auto parsed = testbuild::ParsePalmDatabase(file);
  if (!parsed || parsed->records.empty()) return;
  const std::vector<uint8_t> record0 = parsed->records[0].data;  // exactly sized
  uint8_t type[4], creator[4];
  for (int i = 0; i < 4; ++i) {
    type[i] = static_cast<uint8_t>(parsed->head.type >> (24 - 8 * i));
    creator[i] = static_cast<uint8_t>(parsed->head.creator >> (24 - 8 * i));
  }
  BookHeader header;
  ParseBookRecord0(type, creator, record0.data(), static_cast<uint32_t>(record0.size()), parsed->recordCount,
                   &header);
  uint32_t length = 0;
  for (uint32_t at : {16u + header.nativeLength, 248u, 0u})
    FindExthEntry(kExthShortName, record0.data(), static_cast<uint32_t>(record0.size()), at, &length);
}

void ReadBook(int32_t target, uint32_t section, bool raw) {
  int32_t code = 0;
  PalmDatabase* store = OpenRecordDatabase(u"\\fuzz.pdb", 9, MakeFourCC("CORV"), MakeFourCC("BOOK"), &code);
  if (store == nullptr) return;
  BookDocument doc;
  if (doc.Open(store, true, nullptr, 1252, target) != 0) return;
  uint32_t start = 0, end = 0;
  if (!doc.GetSectionRange(section, &start, &end) || end < start) return;
  uint32_t position = 0;
  for (int blocks = 0; blocks < 64 && position < end - start; ++blocks) {
    TextBlock block;
    if (!doc.ReadBlock(position, &block, section, raw)) break;
    TextBlock again;
    if (doc.ReadBlock(position, &again, section, raw)) doc.ReleaseBlock(again.blockId);
    doc.PositionDistance(block.start, position, section);
    const uint32_t next = doc.AdvancePosition(block.start, block.length, section);
    doc.ReleaseBlock(block.blockId);
    if (next <= position) break;
    position = next;
  }
  if (doc.BlockSlotCount() != 0) __builtin_trap();
}

// Where the device root goes: in memory when the host has it, since each
// input writes and replaces files (twice as fast as on disk).
std::filesystem::path RootParent() {
  struct stat shm;
  if (!std::getenv("TMPDIR") && ::stat("/dev/shm", &shm) == 0 && S_ISDIR(shm.st_mode)) return "/dev/shm";
  return std::filesystem::temp_directory_path();
}

// A device root of this process's own, removed when it ends.
struct PrivateRoot {
  std::filesystem::path path = RootParent() / ("fuzz_book_header_" + std::to_string(::getpid()));
  PrivateRoot() {
    std::filesystem::create_directories(path);
    devicefs::SetRoot(path, {});
  }
  ~PrivateRoot() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static PrivateRoot root;
  if (size > (1u << 20)) return 0;
  std::vector<uint8_t> file(data, data + size);
  try {
    ParseRecord0(file);
  } catch (...) {
    // The independent parser of the tests may throw on a file it refuses.
  }
  if (!testbuild::WriteDeviceFile(u"\\fuzz.pdb", file)) return 0;
  ReadBook(65002, 0, false);
  ReadBook(1252, 1, false);
  ReadBook(65002, 0, true);
  DeleteTempFiles();
  return 0;
}
