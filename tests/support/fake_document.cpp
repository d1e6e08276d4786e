// FakeDocument: blocks of in-memory UTF-16 text, each a fresh copy.
#include "tests/support/fake_document.h"

#include <algorithm>
#include <cstring>

namespace {

std::u16string Utf8ToUtf16(const std::string& s) {
  std::u16string out;
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    uint32_t cp = c;
    size_t n = 1;
    if (c >= 0xF0) {
      n = 4;
      cp = c & 0x07;
    } else if (c >= 0xE0) {
      n = 3;
      cp = c & 0x0F;
    } else if (c >= 0xC0) {
      n = 2;
      cp = c & 0x1F;
    }
    if (i + n > s.size()) n = s.size() - i;
    for (size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += n;
  }
  return out;
}

}  // namespace

FakeDocument::FakeDocument(std::u16string text, uint32_t blockSize, uint32_t positionScale)
    : text_(std::move(text)), blockSize_(blockSize == 0 ? 1 : blockSize), scale_(positionScale == 0 ? 1 : positionScale) {}

std::unique_ptr<FakeDocument> FakeDocument::FromUtf8(const std::string& text, uint32_t blockSize,
                                                     uint32_t positionScale) {
  return std::make_unique<FakeDocument>(Utf8ToUtf16(text), blockSize, positionScale);
}

bool FakeDocument::ReadBlock(uint32_t position, TextBlock* block, uint32_t, bool raw) {
  ++readCount;
  if (failReadFrom != 0 && readCount >= failReadFrom) return false;
  uint32_t index = position / scale_;
  if (index >= text_.size()) return false;
  uint32_t first = index - index % blockSize_;
  uint32_t length = std::min<uint32_t>(blockSize_, static_cast<uint32_t>(text_.size()) - first);
  uint16_t id = 1;
  while (blocks_.count(id) != 0) ++id;
  auto copy = std::make_unique<char16_t[]>(length);
  std::memcpy(copy.get(), text_.data() + first, length * sizeof(char16_t));
  block->start = first * scale_;
  block->data = copy.get();
  block->length = length;
  block->scanStart = block->start;
  block->scanOffset = 0;
  block->sourceLength = length * scale_;
  block->raw = raw ? 1 : 0;
  block->blockId = id;
  blocks_[id] = std::move(copy);
  maxOutstanding = std::max(maxOutstanding, blocks_.size());
  return true;
}

void FakeDocument::ReleaseBlock(uint16_t blockId) {
  if (blocks_.erase(blockId) == 0) ++releaseErrors;
}

uint32_t FakeDocument::AdvancePosition(uint32_t position, uint32_t count, uint32_t) {
  return position + count * scale_;
}

uint32_t FakeDocument::PositionDistance(uint32_t from, uint32_t to, uint32_t) {
  return to >= from ? (to - from) / scale_ : 0;
}

uint32_t FakeDocument::GetPropertyCount(int32_t kind) {
  return static_cast<uint32_t>(std::count_if(properties.begin(), properties.end(),
                                             [kind](const Property& p) { return p.kind == kind; }));
}

bool FakeDocument::GetProperty(int32_t kind, uint32_t n, DocumentProperty* out) {
  for (const Property& p : properties) {
    if (p.kind != kind) continue;
    if (n-- != 0) continue;
    out->kind = p.kind;
    out->name.FromChars(p.name.data(), static_cast<uint32_t>(p.name.size()));
    out->value.FromChars(p.value.data(), static_cast<uint32_t>(p.value.size()));
    return true;
  }
  return false;
}

bool FakeDocument::GetShortName(SharedWideString* name) {
  if (!hasShortName) return false;
  return name->FromChars(shortName.data(), static_cast<uint32_t>(shortName.size()));
}
