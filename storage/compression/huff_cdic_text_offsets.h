// Text-offset tables ("DATP" records) of HUFF/CDIC books: their text records
// decode to different lengths, so these tables map a text position to the
// record that holds it.
//
// First record: 0 "DATP"; 4 header length T; 8 u8 record count R; 9 u8
// shift s; 10 u16 L, the text records it describes. At T: R x u32 end
// position (exclusive) of the text each DATP record covers; then
// ceil(L / 2^s) x u32 checkpoints (the position where relative text record
// j x 2^s starts); then L x u16 decoded lengths. Later records: L at 10, and
// at their own header length their checkpoints and lengths. The text records
// of record r follow those of the records before it (the first is record 1).
//
// Every table is checked against its record when it is added, so locating a
// position never reads outside a held record.
#pragma once

#include <cstdint>

class TextOffsetTables {
 public:
  TextOffsetTables() = default;
  ~TextOffsetTables() { Reset(); }
  TextOffsetTables(const TextOffsetTables&) = delete;
  TextOffsetTables& operator=(const TextOffsetTables&) = delete;

  // The record count R that the first record announces; false when it is
  // not a DATP record of at least 12 bytes or R is 0.
  static bool ReadRecordCount(const uint8_t* first, uint32_t size, uint32_t* count);

  // Takes the R records (pointers kept until Reset). False, nothing kept,
  // when a record is too short for its tables, the shift is 32 or more, or
  // memory runs out.
  bool Init(const uint8_t* const* records, const uint32_t* sizes, uint32_t count);
  void Reset();
  bool IsLoaded() const { return parts_ != nullptr; }

  // The text record (1-based) holding position, with its start and decoded
  // length; false when no table covers the position.
  bool Locate(uint32_t position, uint32_t* record, uint32_t* start, uint32_t* length) const;

  // Text records the tables describe.
  uint32_t TextRecordCount() const { return textRecords_; }

 private:
  struct Part {
    const uint8_t* checkpoints;
    const uint8_t* lengths;
    uint32_t checkpointCount;
    uint32_t lengthCount;  // L
    uint32_t firstTextRecord;
  };

  Part* parts_ = nullptr;
  uint32_t partCount_ = 0;
  const uint8_t* ends_ = nullptr;  // R x u32 in the first record
  uint32_t shift_ = 0;
  uint32_t textRecords_ = 0;
};
