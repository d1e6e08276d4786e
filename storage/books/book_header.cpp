// Parsing record 0 of a book: the acceptance rules, the Palm Doc head and the
// native header with its EXTH entries.
#include "storage/books/book_header.h"

#include <cstring>

#include "foundation/streams/byte_order.h"
#include "foundation/streams/varint.h"
#include "storage/books/exth.h"

namespace {

constexpr uint32_t kMagicOffset = 16;
constexpr uint32_t kHeaderLengthOffset = 20;

// Reads fields of the native header only where they lie inside both record
// 0 and the header's own length.
class FieldReader {
 public:
  FieldReader(const uint8_t* record, uint32_t size, uint32_t nativeLength) : record_(record) {
    uint64_t end = 16ull + nativeLength;
    end_ = end < size ? static_cast<uint32_t>(end) : size;
  }
  bool Has(uint32_t offset) const { return offset <= end_ && end_ - offset >= 4; }
  uint32_t Get(uint32_t offset, uint32_t absent = kAbsentField) const {
    return Has(offset) ? ReadBigEndianU32(record_ + offset) : absent;
  }
  uint16_t Record(uint32_t offset) const {
    return Has(offset) ? static_cast<uint16_t>(ReadBigEndianU32(record_ + offset) & 0xFFFF) : kNoRecord16;
  }

 private:
  const uint8_t* record_;
  uint32_t end_;
};

// A language word: 0 when absent or its low half is 0xFFFF.
uint32_t Language(uint32_t word) {
  if (word == kAbsentField || (word & 0xFFFF) == 0xFFFF) return 0;
  return word;
}

void ReadNativeFields(const uint8_t* record0, uint32_t size, BookHeader* h) {
  FieldReader f(record0, size, h->nativeLength);
  h->specialRecords[0] = h->specialRecords[1] = f.Record(40);
  h->specialRecords[6] = f.Record(44);
  h->specialRecords[7] = f.Record(48);
  h->specialRecords[2] = f.Record(52);
  for (uint32_t i = 0; i < 6; ++i) h->extraIndexRecords[i] = f.Get(56 + 4 * i);
  h->specialRecords[4] = f.Record(68);
  h->specialRecords[5] = f.Record(72);
  h->specialRecords[9] = f.Record(76);
  h->specialRecords[10] = f.Record(80);
  const uint32_t nameOffset = f.Get(84, 0);
  const uint32_t nameLength = f.Get(88, 0);
  if (nameOffset != 0 && nameOffset <= size && nameLength <= size - nameOffset) {
    h->fullNameOffset = nameOffset;
    h->fullNameLength = nameLength;
  }
  h->language = Language(f.Get(92));
  h->inputLanguage = Language(f.Get(96));
  h->outputLanguage = Language(f.Get(100));
  h->formatVersion = f.Get(104, 0);
  const uint32_t firstResource = f.Get(108, 0);
  h->firstResourceMinusOne = firstResource - 1;
  h->exthFlags = f.Get(128, 0);
  if (h->headerVersion > 3) {
    h->specialRecords[3] = f.Record(164);
    h->sectionTableRecord = f.Record(192);
    h->sectionCount = f.Get(196, 0);
    h->positionDirectoryRecord = f.Record(200);
    h->positionDirectoryCount = f.Get(204, 0);
    h->entryDataRecord = f.Record(208);
  }
  if (h->headerVersion > 4) h->specialRecords[8] = f.Record(232);
}

void ReadExth(const uint8_t* record0, uint32_t size, BookHeader* h) {
  if ((h->exthFlags & 0x40) == 0 || size < 224 || h->headerVersion <= 3) return;
  const uint64_t at = 16ull + h->nativeLength;
  if (h->nativeLength + 28ull > size) return;
  uint32_t length = 0;
  const uint8_t* name = FindExthEntry(kExthShortName, record0, size, static_cast<uint32_t>(at), &length);
  if (name != nullptr) {
    h->hasShortName = true;
    h->shortNameOffset = static_cast<uint32_t>(name - record0);
    h->shortNameLength = length;
  }
  const uint8_t* extra = FindExthEntry(kExthExtraHeaderData, record0, size, static_cast<uint32_t>(at), &length);
  if (extra != nullptr && length >= 32) {
    h->extraDataOffset = static_cast<uint32_t>(extra - record0);
    h->extraDataLength = length;
  }
}

}  // namespace

BookHeader::BookHeader() {
  for (uint16_t& r : specialRecords) r = kNoRecord16;
  for (uint32_t& r : extraIndexRecords) r = kAbsentField;
}

uint32_t TextRecordBlockShift(uint32_t recordSize) {
  uint32_t v = recordSize == 0 ? 0 : (recordSize - 1) / 64;
  uint32_t bits = 0;
  while (v != 0) {
    ++bits;
    v >>= 1;
  }
  return bits;
}

bool CheckBookHeader(const uint8_t type[4], const uint8_t creator[4], const uint8_t* record0, uint32_t size,
                     uint32_t* version, uint32_t* bookType, bool* nativeHeader) {
  *version = 0;
  *bookType = kBookTypePlainText;
  *nativeHeader = false;
  if (record0 == nullptr || size < 16) return false;
  if (std::memcmp(type, "TEXt", 4) == 0 && std::memcmp(creator, "REAd", 4) == 0) {
    if (size > 166 && record0[150] == 14) {
      *bookType = kBookTypeMarkup;
      *version = 1;
    }
    return true;
  }
  if (std::memcmp(type, "BOOK", 4) != 0 || std::memcmp(creator, "CORV", 4) != 0) return false;
  if (size < 40 || std::memcmp(record0 + kMagicOffset, "CORV", 4) != 0) return false;
  const uint32_t length = ReadBigEndianU32(record0 + kHeaderLengthOffset);
  uint32_t v = 2;
  if (length >= 24) {
    v = ReadBigEndianU32(record0 + 36);
    if (v < 2) return false;
  }
  if (v > 2 && length < 116) return false;
  if (v > 3 && length < 208) return false;
  if (v > 5 && length < 228) return false;
  *version = v;
  *nativeHeader = true;
  FieldReader f(record0, size, length);
  *bookType = f.Get(24, kBookTypeMarkup);
  return true;
}

int32_t ParseBookRecord0(const uint8_t type[4], const uint8_t creator[4], const uint8_t* record0, uint32_t size,
                         uint32_t recordCount, BookHeader* h) {
  h->Reset();
  uint32_t version, bookType;
  bool native;
  if (!CheckBookHeader(type, creator, record0, size, &version, &bookType, &native)) return kBookErrorCorrupt;
  h->headerVersion = version;
  h->bookType = bookType;
  h->plainText = bookType == kBookTypePlainText;
  h->hasNativeHeader = native;
  h->formatVersion = 0;
  if (native) {
    h->nativeLength = ReadBigEndianU32(record0 + kHeaderLengthOffset);
    FieldReader f(record0, size, h->nativeLength);
    h->sourceCodePage = static_cast<int32_t>(f.Get(28));
    h->bookId = static_cast<int32_t>(f.Get(32));
    if (version > 2) {
      ReadNativeFields(record0, size, h);
      if (version > 3) ReadExth(record0, size, h);
    }
    if (version > kMaxHeaderVersion) return kBookErrorNewerFormat;
    if (version >= 6) {
      if (!f.Has(240)) return kBookErrorCorrupt;  // the text records cannot be cut without it
      h->extraFlags = f.Get(240);
    }
  }

  const uint16_t compression = LoadU16BE(record0);
  if ((compression & 0xFF) == 1) {
    h->compression = kCompressionNone;
  } else if ((compression & 0xFF) == 2) {
    h->compression = kCompressionPalmDoc;
  } else if (compression == 0x4448 && version >= 3) {
    FieldReader f(record0, size, h->nativeLength);
    if (!f.Has(112) || !f.Has(116)) return kBookErrorCorrupt;
    h->compression = kCompressionHuffCdic;
    h->huffRecord = f.Record(112);
    h->huffCount = f.Get(116);
    h->datpRecord = f.Record(120);
    h->datpCount = f.Get(124, 0);
  } else {
    h->compression = kCompressionUnknown;
  }

  // Before version 3 the length is found by reading the text.
  if (version >= 3) h->textLength = ReadBigEndianU32(record0 + 4);
  h->textRecordCount = LoadU16BE(record0 + 8);
  h->textRecordSize = LoadU16BE(record0 + 10);
  h->blockShift = TextRecordBlockShift(h->textRecordSize);
  if (version < 3) h->firstResourceMinusOne = h->textRecordCount;
  if (h->textRecordCount >= recordCount) return kBookErrorCorrupt;
  if (h->textRecordSize < kMinTextRecordSize || h->textRecordSize > kMaxTextRecordSize) {
    return kBookErrorRecordSize;
  }
  return kBookOk;
}
