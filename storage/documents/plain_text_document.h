// PlainTextDocument: a file that is not a Palm database (plain text, HTML,
// a picture or a sound behind a page) read as a Document. The byte-order
// mark chooses the file's encoding; the text is handed out in blocks of
// 4096 positions, converted into the document's code page and shared by use
// count among the readers that hold them.
//
// Positions count the file's own units from the text's start (after the
// mark): UTF-16 units for a UTF-16 file, bytes for every other encoding. A
// UTF-8 block takes up to three continuation bytes past its end, so that no
// character is cut; the next block starts after them. Where the conversion
// changes the number of units (UTF-8), each block keeps a character-position
// map and AdvancePosition / PositionDistance translate through it.
#pragma once

#include <cstdint>

#include "foundation/code_pages/char_position_map.h"
#include "foundation/containers/segmented_array_typed.h"
#include "storage/documents/document.h"

class FileStream;

class PlainTextDocument : public Document {
 public:
  static constexpr uint32_t kBlockPositions = 4096;

  PlainTextDocument();
  ~PlainTextDocument() override;

  // Reads the byte-order mark of the text at `offset` (length bytes, or the
  // rest of the stream for -1) and keeps the stream; the title is the
  // path's last component without its extension. Always 1.
  int32_t Open(FileStream* stream, const WCHAR* path, int32_t defaultCodePage, int32_t requestedCodePage,
               bool ownsStream, uint32_t offset, int64_t length);
  void SetGuideState(int32_t value) { guideState_ = value; }
  // Deletes the file and then its side file; false only when the file
  // itself could not be deleted.
  static bool DeleteBookAndSideFile(const WCHAR* path);

  // ---- Document
  void Close() override;
  bool ReadBlock(uint32_t position, TextBlock* block, uint32_t section, bool raw) override;
  void ReleaseBlock(uint16_t blockId) override;
  uint32_t AdvancePosition(uint32_t position, uint32_t count, uint32_t section) override;
  uint32_t PositionDistance(uint32_t from, uint32_t to, uint32_t section) override;
  uint32_t GetTextLength() override;
  int32_t GetCodePage() override { return documentCodePage_; }
  bool GetProperty(int32_t kind, uint32_t n, DocumentProperty* out) override;
  int32_t GetGuideState() override { return guideState_; }
  uint32_t GetLanguage() override { return 0; }

  // ---- Observations
  int32_t FileCodePage() const { return fileCodePage_; }
  bool IsByteSwapped() const { return swapped_; }
  uint32_t TextOffset() const { return textOffset_; }
  // Blocks lent and not yet given back.
  uint32_t BlocksInUse() const;

 private:
  struct Entry {
    TextBlock block;
    uint16_t useCount = 0;
    const CharPositionMap* map = nullptr;  // inside buffer, when the conversion keeps one
    uint8_t* buffer = nullptr;             // owned
    uint32_t span = 0;                     // positions covered from block.start
    uint32_t lead = 0;                     // UTF-8: leading bytes the block before took
  };

  // Bytes a position unit takes in the file.
  uint32_t UnitBytes() const { return fileCodePage_ == 65002 ? 2 : 1; }
  bool Converts() const;
  // The entry in use whose positions hold `position`; null when none.
  Entry* Holding(uint32_t position) const;
  // Reads and converts the block that starts at blockStart into entry.
  bool Fill(Entry* entry, uint32_t blockStart);
  void FreeEntry(Entry* entry);
  void EmptyCache();

  SegmentedTypedArray<Entry> cache_;  // the slot + 1 is the block identifier
  int32_t guideState_ = 0;
  bool ownsStream_ = false;
  FileStream* stream_ = nullptr;
  uint32_t textOffset_ = 0;
  uint32_t textLength_ = 0;  // bytes
  int32_t fileCodePage_ = 1252;
  bool swapped_ = false;     // big-endian UTF-16
  int32_t documentCodePage_ = 1252;
  SharedWideString title_;
  bool conversionOption_ = true;
};
