// The header of a book: record 0 of a corv book (type "BOOK", creator "CORV")
// or of a Palm Doc file (type "TEXt", creator "REAd").
//
// Record 0 (big-endian): 0 u16 compression (low byte 1 none, low byte 2
// PalmDOC, 0x4448 "DH" HUFF/CDIC from header version 3); 4 u32 text length;
// 8 u16 text record count; 10 u16 text record size; then, for corv books,
// the native header at 16 ("CORV", u32 length L counted from 16, and the
// fields listed in BookHeaderField) and, when bit 0x40 of the EXTH flags is
// set, an EXTH block at 16 + L.
//
// A field is read only when it lies inside both record 0 and the native
// header (offset + 4 <= min(record size, 16 + L)); otherwise it is absent.
// ParseBookRecord0 does the acceptance rules and reads every field that needs
// nothing but record 0; the book document finishes what needs other records.
#pragma once

#include <cstdint>

// Error codes shared by the stream factory, the documents and the loader.
constexpr int32_t kBookOk = 0;
constexpr int32_t kBookErrorVersion = 1;
constexpr int32_t kBookErrorRecordSize = 2;
constexpr int32_t kBookErrorCorrupt = 8;
constexpr int32_t kBookErrorNotFound = 9;
constexpr int32_t kBookErrorMemory = 10;
constexpr int32_t kBookErrorNewerFormat = 11;
constexpr int32_t kBookErrorCannotOpen = 12;

enum BookCompression : int32_t {
  kCompressionUnknown = -1,  // not one of the three: decided from record 1
  kCompressionNone = 0,
  kCompressionPalmDoc = 1,
  kCompressionHuffCdic = 2,
};

// Book types (other values pass through).
constexpr uint32_t kBookTypeMarkup = 2;
constexpr uint32_t kBookTypePlainText = 3;
constexpr uint32_t kBookTypeText = 517;

constexpr uint16_t kNoRecord16 = 0xFFFF;
constexpr uint32_t kAbsentField = 0xFFFFFFFFu;

// Special index records by kind (GetSpecialRecord).
constexpr uint32_t kSpecialRecordKinds = 11;

constexpr uint32_t kMinTextRecordSize = 256;
constexpr uint32_t kMaxTextRecordSize = 32768;
constexpr uint32_t kMaxHeaderVersion = 7;

struct BookHeader {
  uint32_t bookType = kBookTypePlainText;
  int32_t sourceCodePage = -1;
  int32_t bookId = -1;
  uint32_t headerVersion = 0;
  uint32_t formatVersion = 0;
  uint32_t exthFlags = 0;
  uint32_t extraFlags = 0;
  int32_t compression = kCompressionNone;
  uint32_t textLength = kAbsentField;  // kAbsentField: not yet known
  uint16_t textRecordCount = 0;
  uint16_t textRecordSize = 0;
  uint32_t blockShift = 0;             // bit length of (size - 1) / 64
  uint32_t firstResourceMinusOne = 0;
  uint16_t specialRecords[kSpecialRecordKinds];
  uint32_t extraIndexRecords[6];
  uint32_t language = 0;
  uint32_t inputLanguage = 0;
  uint32_t outputLanguage = 0;
  uint32_t sectionTableRecord = kNoRecord16;
  uint32_t sectionCount = 0;
  uint32_t positionDirectoryRecord = kNoRecord16;
  uint32_t positionDirectoryCount = 0;
  uint32_t entryDataRecord = kNoRecord16;
  uint32_t huffRecord = kNoRecord16;
  uint32_t huffCount = 0;
  uint32_t datpRecord = kNoRecord16;
  uint32_t datpCount = 0;
  bool hasNativeHeader = false;
  bool plainText = true;
  uint32_t nativeLength = 0;  // L
  // Byte ranges inside record 0 (length 0: none).
  uint32_t fullNameOffset = 0;
  uint32_t fullNameLength = 0;
  uint32_t shortNameOffset = 0;
  uint32_t shortNameLength = 0;
  bool hasShortName = false;
  uint32_t extraDataOffset = 0;
  uint32_t extraDataLength = 0;

  BookHeader();
  void Reset() { *this = BookHeader(); }
};

// The acceptance rules: type and creator, the magic, the header length
// against the version. Sets *version, *bookType and *nativeHeader; false
// when the database is not a book this system reads (error 8).
bool CheckBookHeader(const uint8_t type[4], const uint8_t creator[4], const uint8_t* record0, uint32_t size,
                     uint32_t* version, uint32_t* bookType, bool* nativeHeader);

// Fills *header from record 0 of a database with `recordCount` records.
// Answers 0, 2 (record size), 8 (not a book, a required field missing, too
// many text records) or 11 (a newer format). A compression word that names
// none of the three leaves kCompressionUnknown for the caller to decide.
int32_t ParseBookRecord0(const uint8_t type[4], const uint8_t creator[4], const uint8_t* record0, uint32_t size,
                         uint32_t recordCount, BookHeader* header);

// The bit length of (size - 1) / 64.
uint32_t TextRecordBlockShift(uint32_t recordSize);
