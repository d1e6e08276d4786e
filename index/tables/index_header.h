// IndexHeader: the parsed head of an index record ("INDX"), the index header
// record and every entry record alike: where its IDXT items lie and how
// many, the counts of entries and text records, the code page, language and
// name, the ligature pairs and the collation tables. Every offset and length
// is checked against the record when it is parsed, so the pointers kept here
// always lie inside it.
#pragma once

#include <cstdint>

constexpr uint32_t kIndexCodePageWide = 65002;  // keys as character-table indices, texts as UTF-8
constexpr uint32_t kIndexRecordKindHeader = 0;
constexpr uint32_t kIndexRecordKindEntries = 1;
constexpr uint32_t kIndexTypeWideLabels = 3;  // labels preceded by a 2-byte length
constexpr uint32_t kIndexTypeCompanion = 2;

struct IndexCollation {
  const uint8_t* ordt = nullptr;        // 256 one-byte weights, or null
  uint8_t utf16Keys = 0;                // code page 65002
  uint8_t oneByteEntries = 0;           // weights and indices 1 byte wide, else 2
  uint32_t characterCount = 0;          // K; 0 when the tables were dropped
  const uint8_t* characters = nullptr;  // K big-endian UTF-16 units
  const uint8_t* weights = nullptr;     // K weights of 1 or 2 bytes
};

struct IndexHeader {
  const uint8_t* data = nullptr;
  uint32_t length = 0;
  uint32_t headerLength = 0;          // L
  uint32_t recordKind = 0;            // offset 12
  const uint8_t* idxtItems = nullptr;  // the first 2-byte item, after "IDXT"
  uint32_t count = 0;                 // offset 24
  uint32_t textRecordCount = 0;       // offset 52
  uint32_t followingTable = 0;        // offset 56
  uint32_t totalEntries = 0;          // offset 36
  int32_t indexType = -1;             // offset 8
  const uint8_t* ligatures = nullptr;  // 4-byte pairs, after "LIGT"
  uint32_t ligatureCount = 0;
  uint32_t codePage = 0;              // 1252 for 0xFFFFFFFF
  uint32_t languageWord = 0xFFFF;     // low 16 bits of offset 32
  const uint8_t* name = nullptr;      // index name bytes, or null
  uint32_t nameLength = 0;
  uint8_t tieBreak = 0;               // offset 160
  IndexCollation collation;

  // Bytes of the label length prefix: 2 for index type 3, else 1.
  uint32_t LabelPrefix() const { return indexType == static_cast<int32_t>(kIndexTypeWideLabels) ? 2 : 1; }
  // The offset held by IDXT item i (i < count).
  uint32_t ItemOffset(uint32_t i) const {
    return static_cast<uint32_t>(idxtItems[2 * i] << 8 | idxtItems[2 * i + 1]);
  }
};

// Parses the head of an index record; false (header cleared) when the data
// is missing, too short, not "INDX", L beyond the record, or the IDXT block
// missing or overrunning. Optional blocks that overrun are dropped.
bool ParseIndexHeader(const uint8_t* data, uint32_t length, IndexHeader* header);

// Reads a u32 field of the record when it lies inside it, else `absent`.
uint32_t IndexField(const uint8_t* data, uint32_t length, uint32_t offset, uint32_t absent);
