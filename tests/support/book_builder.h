// corv books and Palm Doc files made for the tests and for `bookmake`:
// header versions 2 to 7 (and 8, which readers must refuse), code pages 1252,
// 65001 and 65002, text uncompressed, PalmDOC or HUFF/CDIC compressed (with
// nested phrases and DATP tables), EXTH entries, trailing entries of any
// flags, the multibyte carry of UTF-8 books, FDST section tables, an empty
// last text record; and broken variants of each.
//
// A text record holds, in order: the (compressed) text of its chunk; for
// UTF-8 books with bit 0 of the extra flags (version 6 and above) the carry,
// i.e. the bytes that complete a character cut by the chunk's end followed
// by their count (low nibble); then one trailing entry per extra flag from
// bit 1 up to the highest, written highest first, each ending in a backward
// varint of its own size, so the entry of the lowest bit is last. Other
// UTF-8 books cut a character at a chunk's end as it falls (see
// KeepCharactersInRecords).
//
// Plain C++ for tests and tools, on top of the Palm-database builder.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/huff_cdic_encoder.h"
#include "tests/support/palm_database_builder.h"

namespace testbuild {

enum class TextCompression { kNone, kPalmDoc, kHuffCdic };
const char* TextCompressionName(TextCompression compression);

struct ExthEntry {
  uint32_t type;
  std::vector<uint8_t> data;
};

struct BookRecipe {
  std::vector<uint8_t> text;            // in the book's encoding (65002: big-endian UTF-16)
  int32_t codePage = 1252;              // written at 28
  uint32_t headerVersion = 6;
  uint32_t headerLength = 0;            // L; 0: 24 for version 2, 116, 208, 228, then 232
  TextCompression compression = TextCompression::kPalmDoc;
  uint32_t recordSize = 4096;
  uint32_t extraFlags = 0;              // written from version 6; bit 0: UTF-8 carry, bits 1..: trailing entries
  uint8_t carryHighNibble = 0;          // put into the high nibble of the carry count
  uint32_t bookType = 2;
  uint32_t bookId = 0x00C0FFEE;
  std::string databaseName = "Test book";
  std::vector<uint8_t> fullName;        // in the book's encoding
  std::vector<ExthEntry> exth;      // from version 4; sets EXTH flag 0x40
  uint32_t exthFlags = 0;               // further flag bits
  uint32_t language = 0x0409;
  uint32_t inputLanguage = 0xFFFF;
  uint32_t outputLanguage = 0xFFFF;
  std::vector<std::pair<uint32_t, uint32_t>> sections;  // FDST sections 1.. (from version 4)
  uint32_t sectionsPerRecord = 0;       // FDST entries per record; 0: all in one
  HuffCdicOptions huff;
  bool variableRecordLengths = false;   // HUFF/CDIC: chunks of varying lengths
  uint32_t datpShift = 2;
  uint32_t datpPerRecord = 0;           // text records per DATP record; 0: all in one
  bool emptyLastRecord = false;         // one more text record, empty
  uint32_t resourceRecords = 1;         // small records after everything else
  uint32_t seed = 1;                    // trailing-entry payloads, chunk lengths
  // Payloads of chosen trailing entries, by {text record (1-based), flag
  // bit}; the others are random.
  std::map<std::pair<uint32_t, uint32_t>, std::vector<uint8_t>> trailingPayloads;
};

// Where things went.
struct BookRecordMap {
  std::vector<uint32_t> chunkStart;     // per text record (index 0 = record 1)
  std::vector<uint32_t> chunkLength;
  uint32_t textRecordCount = 0;
  uint32_t huffRecord = 0xFFFF;         // the HUFF record; CDIC records follow it
  uint32_t cdicCount = 0;
  uint32_t datpRecord = 0xFFFF;
  uint32_t datpCount = 0;
  uint32_t fdstRecord = 0xFFFF;
  uint32_t fdstCount = 0;
  uint32_t firstResource = 0;
};

struct BuiltBook {
  PalmDatabaseBuilder db;
  BookRecordMap layout;
  std::vector<uint8_t>& Record(size_t index) { return db.Record(index).data; }
  std::vector<uint8_t> Bytes() const { return db.Build(); }
};

BuiltBook BuildBook(const BookRecipe& spec);

struct PalmDocRecipe {
  std::vector<uint8_t> text;
  bool compressed = true;
  uint32_t recordSize = 4096;
  bool markup = false;  // a record 0 of 168 bytes with byte 150 = 14
  std::string name = "Palm Doc";
};
BuiltBook BuildPalmDoc(const PalmDocRecipe& spec);

// ---- Text for books
// Prose of about `bytes` bytes in UTF-8. Alphabet: 0 ASCII, 1 adds
// characters of code page 1252 (accents, euro, dashes), 2 adds three- and
// four-byte characters (CJK, emoji: surrogate pairs in UTF-16).
std::string SampleText(size_t bytes, uint32_t seed, int alphabet);
// UTF-8 text in a book encoding: 1252 (characters it lacks become '?'),
// 65001 (as is), 65002 (big-endian UTF-16).
std::vector<uint8_t> EncodeBookText(const std::string& utf8, int32_t codePage);
std::u16string Utf8ToUtf16(const std::string& utf8);
// UTF-8 text with spaces put before each character that would cross a
// multiple of `recordSize`, so that a book without the multibyte carry
// holds every character whole in one record.
std::string KeepCharactersInRecords(const std::string& utf8, size_t recordSize);

// ---- Broken books: each must be refused with `error`, at opening or, when
// `atRead`, when its text is read.
enum class BookCorruption {
  kRecord0Short,           // record 0 cut to 30 bytes
  kRecord0CutHeader,       // record 0 cut inside the native header its length claims
  kNoMagic,                // "CORV" missing at 16
  kNewerVersion,           // header version 8
  kRecordSizeTooSmall,     // 255
  kRecordSizeTooLarge,     // 32769
  kTextCountBeyondRecords, // more text records than the database holds
  kTruncatedFile,          // the file ends inside the records
  kPalmDocBackReference,   // a back-reference before the start of the output
  kPalmDocDistanceZero,
  kPalmDocLiteralRun,      // a literal run longer than the input left
  kPalmDocCutToken,        // a back-reference token as the last byte
  kPalmDocOverflow,        // decodes to far more than the record size
  kUncompressedOversize,   // an uncompressed record longer than the record size
  kRecordDecodesShort,     // a record (not the last) decodes to less than the record size
  kTrailingEntryTooLarge,  // a trailing entry's size exceeds the record
  kCarryTooLarge,          // the carry count exceeds the record
  kHuffTag,                // "HUFF" missing
  kCdicTag,
  kCdicCodeBits,           // k = 17
  kHuffCacheZeroLength,    // every cache entry has code length 0
  kHuffPhraseIndex,        // fewer CDIC records than the codes need
  kCdicPhraseOffset,       // phrase offsets past the CDIC record
  kHuffCountZero,          // "DH" with no HUFF/CDIC records
  kDatpShort,              // DATP tables longer than the record
  kDatpShift,              // shift 32
  kDatpMissing,            // no DATP record
};
struct CorruptionCase {
  BookCorruption kind;
  const char* name;
  int32_t error;
  bool atRead;
};
const std::vector<CorruptionCase>& AllBookCorruptions();
// The sound book each corruption starts from: a few records of text with
// the compression, code page and trailing entries the case needs.
BookRecipe CorruptionBaseSpec(BookCorruption kind);
// The broken book's file.
std::vector<uint8_t> CorruptBookBytes(BuiltBook book, BookCorruption kind);

// Backward varint as the trailing entries end with it.
std::vector<uint8_t> BackwardVarint(uint32_t value);

}  // namespace testbuild
