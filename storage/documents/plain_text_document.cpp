// PlainTextDocument: opening (byte-order mark, title), the block cache,
// reading and converting blocks, and the position arithmetic over the
// blocks' character-position maps.
#include "storage/documents/plain_text_document.h"

#include <cstring>

#include "foundation/code_pages/code_page.h"
#include "foundation/encoded_string/encoded_string.h"
#include "foundation/files/file_stream.h"
#include "platform/files/files.h"
#include "platform/memory/allocator.h"
#include "storage/container/record_buffer.h"
#include "storage/side_file/book_parameter_file.h"

namespace {

constexpr uint32_t kMaxUtf8Extension = 3;  // continuation bytes a block may take past its end
constexpr uint32_t kRawBytes = 2 * PlainTextDocument::kBlockPositions;  // a block as read, UTF-16
constexpr uint32_t kTextUnits = PlainTextDocument::kBlockPositions + 4;  // converted text room
constexpr uint32_t kMapOffset = 2 * kTextUnits;                          // a multiple of 4
constexpr uint32_t kMapSourceBytes = PlainTextDocument::kBlockPositions + 16;
constexpr uint32_t kMapShift = 6;  // 64 bytes a map block: 4099 bytes fit its 64 + 1 entries
constexpr uint16_t kMaxEntries = 0xFFFF;

bool IsContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

// Bytes of the block's source -> characters of the block, and back.
uint32_t BytesToChars(const TextBlock& block, const CharPositionMap* map, uint32_t bytes) {
  if (map == nullptr) return bytes;
  if (bytes > block.sourceLength) bytes = block.sourceLength;
  uint32_t chars = 0;
  CharPositionMap::Translate(bytes, &chars, false, map);
  return chars < block.length ? chars : block.length;
}

uint32_t CharsToBytes(const TextBlock& block, const CharPositionMap* map, uint32_t chars) {
  if (map == nullptr) return chars;
  uint32_t beyond = 0;
  if (chars >= block.length) {
    beyond = chars - block.length;
    uint32_t bytes = block.sourceLength;  // the end of the block's last character
    return bytes + beyond;
  }
  uint32_t bytes = 0;
  CharPositionMap::Translate(chars, &bytes, true, map);
  return bytes;
}

}  // namespace

PlainTextDocument::PlainTextDocument() { cache_.Init(); }

PlainTextDocument::~PlainTextDocument() {
  EmptyCache();
  Close();
}

int32_t PlainTextDocument::Open(FileStream* stream, const WCHAR* path, int32_t defaultCodePage,
                                int32_t requestedCodePage, bool ownsStream, uint32_t offset, int64_t length) {
  stream_ = stream;
  ownsStream_ = ownsStream;
  const uint32_t size = stream != nullptr ? stream->Size() : 0;
  const uint32_t available = size > offset ? size - offset : 0;
  // A length beyond the file is cut to what the file holds.
  textLength_ = (length < 0 || length > available) ? available : static_cast<uint32_t>(length);
  textOffset_ = offset;
  fileCodePage_ = defaultCodePage;
  swapped_ = false;
  uint8_t mark[3] = {0, 0, 0};
  if (textLength_ >= 2 && stream->Seek(static_cast<int32_t>(offset), FILE_BEGIN) == offset) {
    const uint32_t want = textLength_ >= 3 ? 3 : 2;
    if (stream->Read(mark, want) == want) {
      if (mark[0] == 0xEF && mark[1] == 0xBB && want == 3 && mark[2] == 0xBF) {
        fileCodePage_ = kCodePageUtf8;
        textOffset_ += 3;
        textLength_ -= 3;
      } else if (mark[0] == 0xFF && mark[1] == 0xFE) {
        fileCodePage_ = kCodePageUtf16;
        textOffset_ += 2;
        textLength_ -= 2;
      } else if (mark[0] == 0xFE && mark[1] == 0xFF) {
        fileCodePage_ = kCodePageUtf16;
        swapped_ = true;
        textOffset_ += 2;
        textLength_ -= 2;
      }
    }
  }
  documentCodePage_ = ResolveTargetCodePage(fileCodePage_, requestedCodePage);

  // The title: the last component of the path without its extension.
  title_.Clear();
  if (path != nullptr) {
    uint32_t n = 0;
    while (path[n] != 0) ++n;
    uint32_t begin = n;
    while (begin > 0 && path[begin - 1] != '\\' && path[begin - 1] != '/') --begin;
    uint32_t end = n;
    for (uint32_t i = n; i > begin; --i) {
      if (path[i - 1] == '.') {
        end = i - 1;
        break;
      }
    }
    title_.AppendChars(path + begin, end - begin);
  }
  return 1;
}

bool PlainTextDocument::DeleteBookAndSideFile(const WCHAR* path) {
  if (path == nullptr || !DeleteFileW(path)) return false;
  EncodedString book;
  EncodedString side;
  if (book.FromWide(path) && BookParameterFile::MakeSideFilePath(book, &side)) DeleteFileW(side.CStrOrEmpty());
  return true;
}

void PlainTextDocument::Close() {
  if (ownsStream_ && stream_ != nullptr) delete stream_;
  stream_ = nullptr;
  ownsStream_ = false;
}

bool PlainTextDocument::Converts() const {
  return fileCodePage_ != documentCodePage_ || swapped_;
}

uint32_t PlainTextDocument::GetTextLength() { return textLength_ / UnitBytes(); }

uint32_t PlainTextDocument::BlocksInUse() const {
  uint32_t n = 0;
  for (uint32_t i = 0; i < cache_.Count(); ++i)
    if (cache_.At(i)->useCount != 0) ++n;
  return n;
}

PlainTextDocument::Entry* PlainTextDocument::Holding(uint32_t position) const {
  for (uint32_t i = 0; i < cache_.Count(); ++i) {
    Entry* e = cache_.At(i);
    if (e->useCount == 0 || position < e->block.start) continue;
    // The leading continuation bytes of a UTF-8 block belong to the
    // character the block before ended with.
    const uint32_t relative = position - e->block.start;
    if (relative >= e->lead && relative < e->span) return e;
  }
  return nullptr;
}

bool PlainTextDocument::ReadBlock(uint32_t position, TextBlock* block, uint32_t section, bool raw) {
  if (raw || section != 0 || block == nullptr || stream_ == nullptr) return false;
  if (position >= GetTextLength()) return false;
  if (Entry* hit = Holding(position)) {
    ++hit->useCount;
    *block = hit->block;
    return true;
  }
  uint32_t blockStart = position & ~(kBlockPositions - 1);
  for (int attempt = 0; attempt < 2; ++attempt) {
    // Reuse a free entry, else append one.
    Entry* entry = nullptr;
    uint32_t slot = 0;
    for (uint32_t i = 0; i < cache_.Count(); ++i) {
      if (cache_.At(i)->buffer == nullptr && cache_.At(i)->useCount == 0) {
        entry = cache_.At(i);
        slot = i;
        break;
      }
    }
    if (entry == nullptr) {
      if (cache_.Count() >= kMaxEntries) return false;
      slot = cache_.Count();
      entry = cache_.AppendSlot();
      if (entry == nullptr) return false;
    }
    *entry = Entry();
    if (!Fill(entry, blockStart)) {
      FreeEntry(entry);
      return false;
    }
    if (position - blockStart < entry->lead && blockStart > 0) {
      // The position is one of the bytes the block before took with its
      // last character: that block answers.
      FreeEntry(entry);
      blockStart -= kBlockPositions;
      if (Entry* hit = Holding(position)) {
        ++hit->useCount;
        *block = hit->block;
        return true;
      }
      continue;
    }
    entry->block.blockId = static_cast<uint16_t>(slot + 1);
    entry->useCount = 1;
    *block = entry->block;
    return true;
  }
  return false;
}

bool PlainTextDocument::Fill(Entry* entry, uint32_t blockStart) {
  const uint32_t unit = UnitBytes();
  const uint64_t byteStart = static_cast<uint64_t>(blockStart) * unit;
  if (byteStart >= textLength_) return false;
  const uint32_t remaining = textLength_ - static_cast<uint32_t>(byteStart);
  uint32_t size = kBlockPositions * unit;
  if (size > remaining) size = remaining;
  const bool utf8 = fileCodePage_ == kCodePageUtf8;
  uint32_t toRead = size;
  if (utf8) toRead = size + kMaxUtf8Extension <= remaining ? size + kMaxUtf8Extension : remaining;

  uint8_t bytes[kRawBytes + kMaxUtf8Extension + 1];
  const uint64_t fileOffset = textOffset_ + byteStart;
  if (fileOffset > 0x7FFFFFFFu) return false;
  if (stream_->Seek(static_cast<int32_t>(fileOffset), FILE_BEGIN) != fileOffset) return false;
  if (stream_->Read(bytes, toRead) != toRead) return false;

  uint32_t covered = size;
  if (utf8) {
    while (covered < toRead && IsContinuation(bytes[covered])) ++covered;
    if (blockStart > 0) {
      while (entry->lead < kMaxUtf8Extension && entry->lead < covered && IsContinuation(bytes[entry->lead]))
        ++entry->lead;
    }
  } else if (unit == 2) {
    covered &= ~1u;  // an odd last byte is no unit
  }
  if (covered == 0) return false;

  uint32_t length = 0;
  if (!Converts()) {
    entry->buffer = static_cast<uint8_t*>(DeviceAlloc(kRawBytes + kMaxUtf8Extension));
    if (entry->buffer == nullptr) return false;
    std::memcpy(entry->buffer, bytes, covered);
    length = covered / unit;
  } else {
    const bool useMap = utf8 && NeedsCodePageConversion(fileCodePage_, documentCodePage_, conversionOption_);
    const uint32_t bufferSize = kMapOffset + (useMap ? CharPositionMapSize(kMapSourceBytes) : 0);
    entry->buffer = static_cast<uint8_t*>(DeviceAlloc(bufferSize));
    if (entry->buffer == nullptr) return false;
    if (unit == 2 && !swapped_) {
      // The conversion takes UTF-16 high byte first.
      for (uint32_t i = 0; i + 1 < covered; i += 2) {
        const uint8_t low = bytes[i];
        bytes[i] = bytes[i + 1];
        bytes[i + 1] = low;
      }
    }
    MemoryRecordBuffer output(entry->buffer, bufferSize);
    CharMapCarry carry;
    carry.mapOffset = kMapOffset;
    carry.shift = kMapShift;
    length = Document::ConvertText(&output, bytes, covered, fileCodePage_, documentCodePage_,
                                   useMap ? &carry : nullptr, useMap);
    if (length == 0) return false;
    if (useMap) entry->map = reinterpret_cast<const CharPositionMap*>(entry->buffer + kMapOffset);
  }
  entry->block.start = blockStart;
  entry->block.scanStart = blockStart;
  entry->block.scanOffset = 0;
  entry->block.data = entry->buffer;
  entry->block.length = length;
  // The source length counts the positions the block covers (UTF-16 units
  // for a UTF-16 file): readers step from block to block by it.
  entry->block.sourceLength = covered / unit;
  entry->block.raw = 0;
  entry->span = covered / unit;
  return true;
}

void PlainTextDocument::FreeEntry(Entry* entry) {
  DeviceFree(entry->buffer);
  *entry = Entry();
}

void PlainTextDocument::EmptyCache() {
  for (uint32_t i = 0; i < cache_.Count(); ++i) FreeEntry(cache_.At(i));
  cache_.Clear();
}

void PlainTextDocument::ReleaseBlock(uint16_t blockId) {
  // Identifiers that name no block in use (0, unknown, given back already)
  // are ignored: no count goes below 0.
  if (blockId == 0 || blockId > cache_.Count()) return;
  Entry* entry = cache_.At(blockId - 1u);
  if (entry->useCount == 0) return;
  if (--entry->useCount != 0) return;
  FreeEntry(entry);
  if (BlocksInUse() == 0) EmptyCache();
}

uint32_t PlainTextDocument::AdvancePosition(uint32_t position, uint32_t count, uint32_t) {
  // The position is a block's start as a rule: that block translates.
  const Entry* entry = nullptr;
  for (uint32_t i = 0; i < cache_.Count() && entry == nullptr; ++i) {
    const Entry* e = cache_.At(i);
    if (e->useCount != 0 && e->block.start == position) entry = e;
  }
  if (entry == nullptr) entry = Holding(position);
  if (entry == nullptr || entry->map == nullptr) return position + count;
  const uint32_t chars = BytesToChars(entry->block, entry->map, position - entry->block.start);
  return entry->block.start + CharsToBytes(entry->block, entry->map, chars + count);
}

uint32_t PlainTextDocument::PositionDistance(uint32_t from, uint32_t to, uint32_t) {
  if (to <= from) return 0;
  const Entry* entry = nullptr;
  for (uint32_t i = 0; i < cache_.Count() && entry == nullptr; ++i) {
    const Entry* e = cache_.At(i);
    if (e->useCount != 0 && e->block.start == from) entry = e;
  }
  if (entry == nullptr) entry = Holding(from);
  if (entry == nullptr || entry->map == nullptr) return to - from;
  const uint32_t a = BytesToChars(entry->block, entry->map, from - entry->block.start);
  const uint64_t relative = static_cast<uint64_t>(to) - entry->block.start;
  const uint32_t b = BytesToChars(entry->block, entry->map, static_cast<uint32_t>(relative));
  return b > a ? b - a : 0;
}

bool PlainTextDocument::GetProperty(int32_t kind, uint32_t n, DocumentProperty* out) {
  if (out == nullptr || kind != 3 || n != 0) return false;
  *out = DocumentProperty();
  out->kind = 3;
  static const WCHAR kTitle[] = u"Title";
  out->name.FromChars(kTitle, 5);
  out->value = title_;
  return true;
}
