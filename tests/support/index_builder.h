// Index tables made for the tests, the fuzz target, the benchmark and
// `bookmake`: the index header record ("INDX" with TAGX, ORDT, LIGT, the
// 65002 character and weight tables, the name, the spelling blocks and the
// label items of its IDXT), the entry records, the text records that values
// point to; the naming, inflection and following tables are indexes like any
// other. Beside the sound records it makes the broken variants a reader must
// survive, and puts indexes into a corv book (records appended, the book's
// header word for each special kind set).
//
// Plain C++ for tests and tools.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/support/book_builder.h"

namespace testbuild {

// One TAGX entry of the tag table.
struct IndexTagDef {
  uint8_t tag = 0;
  uint8_t valuesPerItem = 1;
  uint8_t mask = 0;
  uint8_t controlByte = 0;  // which control byte the mask applies to
};

struct IndexEntry {
  std::vector<uint8_t> label;                         // stored form
  std::map<uint8_t, std::vector<uint32_t>> values;  // tag -> its values (items × values per item)
};

// The spelling blocks and matcher numbers of a header record.
struct IndexSpelling {
  std::array<std::vector<uint8_t>, 6> blocks;  // data of SPL1..SPL6 (256, 256, size, 256, 256, 512 bytes)
  std::array<uint32_t, 15> numbers{};          // offsets 88, 92, 96, 100..132, 136, 140, 144
  uint32_t cutLastBlock = 0;                   // bytes taken off the end of SPL6's data
};

struct IndexRecipe {
  uint32_t codePage = 1252;    // 0xFFFFFFFF reads as 1252
  uint32_t language = 0x0409;  // 0xFFFF: not set
  uint32_t indexType = 0;      // 3: 2-byte label lengths; 2: a companion table
  uint32_t headerLength = 192; // L
  uint32_t word16 = 0;         // the word at offset 16
  // Empty: one 2-bit mask per tag (four to a control byte), in tag order.
  std::vector<IndexTagDef> tags;
  std::map<uint8_t, uint8_t> valuesPerItem;  // for the automatic tag table
  std::vector<IndexEntry> entries;           // in key order
  uint32_t entriesPerRecord = 0;             // 0: as many as fit recordBytes
  uint32_t recordBytes = 4096;
  uint32_t totalEntries = 0xFFFFFFFFu;       // offset 36; default: the entry count
  std::vector<uint8_t> ordt;                 // 256 weights, or empty
  std::vector<std::array<uint8_t, 4>> ligatures;
  std::vector<uint16_t> characters;          // the 65002 character table
  std::vector<uint16_t> weights;             // parallel to characters
  bool oneByteEntries = false;
  std::vector<std::vector<uint8_t>> textRecords;
  std::vector<uint8_t> name;
  bool tieBreak = false;
  bool followingTable = false;
  bool spellingPresent = false;
  IndexSpelling spelling;
};

// Stored texts: each text is a forward varint length and its bytes, packed
// into text records of at most recordBytes; Add answers its text position
// (record number << 16 | offset).
uint32_t AddIndexText(IndexRecipe& recipe, const std::vector<uint8_t>& bytes, uint32_t recordBytes = 4096);
uint32_t AddIndexText(IndexRecipe& recipe, const std::string& bytes, uint32_t recordBytes = 4096);

// Forward varint of the index format (the last byte has its top bit set).
std::vector<uint8_t> IndexVarint(uint32_t value);

// A 65002 label: each UTF-16 unit as its index in the character table
// (1 or 2 bytes); units the table lacks keep their code (2-byte tables).
std::vector<uint8_t> EncodeWideLabel(const IndexRecipe& recipe, const std::u16string& text);
// Bytes of a text in code page 1252 (ASCII and Latin-1 characters).
std::vector<uint8_t> Latin1(const std::u16string& text);

// The header record, the entry records, then the text records.
struct BuiltIndex {
  std::vector<std::vector<uint8_t>> records;
  uint32_t entryRecordCount = 0;
  std::vector<uint32_t> entriesPerRecord;
  std::vector<IndexTagDef> tags;  // as written
};
BuiltIndex BuildIndexRecords(const IndexRecipe& recipe);

// ---- Broken indexes: each must open or fail without reading outside a record.
enum class IndexCorruption {
  kNoMagic,               // "INDX" missing in the header record
  kHeaderLengthBeyond,    // L past the record
  kIdxtCountBeyond,       // more IDXT items than the record holds
  kIdxtMagicMissing,
  kHeaderItemBeyond,      // a label item of the header record points past it
  kHeaderItemLabelBeyond, // a label item's length runs past the record
  kHeaderKindWrong,       // record kind 5 in the header record
  kEntryKindWrong,        // an entry record of kind 0
  kEntryOffsetBeyond,     // an entry's IDXT offset past its record
  kEntryLabelBeyond,      // an entry's label length past its record
  kEntryCountSmaller,     // an entry record counts fewer entries than the header
  kTagxEndCount,          // TAGX end flags do not match C
  kTagxBeyond,            // TAGX block length past the record
  kSpanBeyond,            // a count-area span past the record
  kEntryCut,              // an entry record cut inside its last entry's values
  kTextOffsetBeyond,      // a value's text offset past its text record
  kTextLengthBeyond,      // a stored text longer than its record
  kTextLengthFourBytes,   // a text length written in four varint bytes
  kNameBeyond,            // the index name past the record
  kLigtBeyond,            // LIGT count past the record
  kOrdtBeyond,            // ORDT offset with fewer than 260 bytes after it
  kCharTableBeyond,       // K past the record
  kEntryRecordMissing,    // the last entry record is not in the book
};
struct IndexCorruptionCase {
  IndexCorruption kind;
  const char* name;
};
const std::vector<IndexCorruptionCase>& AllIndexCorruptions();
// A small sound index with texts, tags of every mask form, ligatures and an
// ORDT: the base of every corruption.
IndexRecipe CorruptionBaseIndex();
BuiltIndex CorruptIndex(BuiltIndex index, IndexCorruption kind);

// ---- Books with indexes
// Appends the index records to the book and answers the header record's
// number. A special kind (0 main, 6 inflection, 7 naming, 4, 5, 8, 9) sets
// the book's header word for it; -1 sets none.
uint32_t AddIndexToBook(BuiltBook& book, const BuiltIndex& index, int32_t specialKind);
// The record base of a book: its first non-text record.
uint32_t BookRecordBase(const BuiltBook& book);

// A word list turned into a dictionary: words (UTF-8) with definitions,
// sorted by the 1252 ORDT of CaseFoldingOrdt; each entry carries its
// definition's text position in tag 6 and, for a homograph, tag 4.
struct DictionaryWord {
  std::string word;
  std::string definition;
};
IndexRecipe DictionaryIndex(std::vector<DictionaryWord> words);
// An ORDT that sorts letters without regard to case and makes "-" and "'"
// ignorable.
std::vector<uint8_t> CaseFoldingOrdt();

}  // namespace testbuild
