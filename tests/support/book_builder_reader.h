// Reading built books back through the system: a book's bytes written into
// the emulated device and opened through the stream factory as a
// BookDocument, and its whole text read block by block the way the
// tokenizer reads it (ReadBlock, PositionDistance into the block,
// AdvancePosition past it, ReleaseBlock).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "storage/books/book_document.h"

class DocumentHost;

namespace testbuild {

// Read-only opens go through the mapping; 11 (read/write) gives a stream
// database whose records are separate heap blocks, so the address
// sanitizer sees any read past a record.
constexpr uint32_t kOpenMapped = 9;
constexpr uint32_t kOpenStream = 11;

struct OpenedBook {
  std::unique_ptr<BookDocument> doc;
  int32_t error = 0;  // of the factory or of BookDocument::Open
};

OpenedBook OpenBookBytes(const std::vector<uint8_t>& bytes, int32_t requestedCodePage = 65002,
                         uint32_t mode = kOpenMapped, DocumentHost* host = nullptr,
                         const std::u16string& devicePath = u"\\book.corv", int32_t defaultCodePage = 1252);
OpenedBook OpenBookFile(const std::u16string& devicePath, int32_t requestedCodePage = 65002,
                        uint32_t mode = kOpenMapped, DocumentHost* host = nullptr, int32_t defaultCodePage = 1252);

// One block as the walk saw it.
struct WalkedBlock {
  uint32_t start;        // the block's start position
  uint32_t skipped;      // characters of it before the position asked for
  uint32_t firstChar;    // index in the whole text of the block's first character
  uint32_t length;
};

// The whole text of a section in the blocks' own units (UTF-16 units for
// target 65002, else bytes widened). False when a read fails or the walk
// makes no progress. `check`, when given, runs while each block is held.
struct TextWalk {
  std::u16string text;
  std::vector<WalkedBlock> blocks;
};
using BlockCheck = void (*)(BookDocument* doc, const TextBlock& block, const WalkedBlock& walked, void* context);
bool ReadWholeText(BookDocument* doc, TextWalk* walk, uint32_t section = 0, bool raw = false,
                   BlockCheck check = nullptr, void* context = nullptr);

}  // namespace testbuild
