// FakeDocument: a Document over UTF-16 text held in memory, for tests of the
// tokenizer, the parser and the Document defaults. The text is handed out in
// blocks of a size the test chooses (aligned like a book's records), each
// block a fresh heap copy freed at ReleaseBlock, so a reader that keeps
// characters past their release is caught by the address sanitizer.
// Positions may count two per character, so readers that confuse positions
// with character offsets are caught too.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "storage/documents/document.h"

class FakeDocument : public Document {
 public:
  struct Property {
    int32_t kind;
    std::u16string name;
    std::u16string value;
  };

  explicit FakeDocument(std::u16string text, uint32_t blockSize = 4096, uint32_t positionScale = 1);
  // Text given as UTF-8, converted to UTF-16.
  static std::unique_ptr<FakeDocument> FromUtf8(const std::string& text, uint32_t blockSize = 4096,
                                                uint32_t positionScale = 1);

  // ---- Test controls and observations
  std::vector<Property> properties;
  std::u16string shortName;
  bool hasShortName = false;
  // ReadBlock fails from the n-th call on (1-based; 0 = never).
  uint32_t failReadFrom = 0;
  uint32_t readCount = 0;
  uint32_t releaseErrors = 0;  // unknown or repeated block ids given back
  size_t Outstanding() const { return blocks_.size(); }
  size_t maxOutstanding = 0;
  uint32_t blockSize() const { return blockSize_; }
  const std::u16string& text() const { return text_; }
  uint32_t scale() const { return scale_; }

  // ---- Document
  void Close() override {}
  bool ReadBlock(uint32_t position, TextBlock* block, uint32_t section, bool raw) override;
  void ReleaseBlock(uint16_t blockId) override;
  uint32_t AdvancePosition(uint32_t position, uint32_t count, uint32_t section) override;
  uint32_t PositionDistance(uint32_t from, uint32_t to, uint32_t section) override;
  uint32_t GetTextLength() override { return static_cast<uint32_t>(text_.size()) * scale_; }
  int32_t GetCodePage() override { return 65002; }
  uint32_t GetPropertyCount(int32_t kind) override;
  bool GetProperty(int32_t kind, uint32_t n, DocumentProperty* out) override;
  bool GetShortName(SharedWideString* name) override;
  int32_t GetGuideState() override { return 0; }
  uint32_t GetLanguage() override { return 0x0409; }

 private:
  std::u16string text_;
  uint32_t blockSize_;
  uint32_t scale_;
  std::map<uint16_t, std::unique_ptr<char16_t[]>> blocks_;
};
