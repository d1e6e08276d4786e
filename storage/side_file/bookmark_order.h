// The order of a side file's records: the header record first, then every
// record that is not a mark (texts, blobs, catalogue texts, in any order),
// then the marks of class 1 by start and view position, then the marks of
// class 2 (kind bit 6) by view extra and view position. Marks are inserted
// where a binary search over this order puts them, so they can be found
// again by binary search (BookParameterFile::FindMarkPlace); the iterator
// walks them in this order.
#pragma once

#include <cstdint>


// What the order reads of a record.
struct MarkOrderKey {
  uint32_t tag = 0;
  uint32_t start = 0;
  uint32_t viewPosition = 0;
  uint32_t viewExtra = 0;
  uint32_t kind = 0;
};

// The key of a record's bytes (from a file: words outside the record or its
// stored length read as 0, a record under 4 bytes has tag 0).
MarkOrderKey MarkOrderKeyOfRecord(const uint8_t* data, uint32_t size);
// Negative: a before b; 0: equal in the order; positive: a after b. All
// comparisons unsigned 32-bit.
int CompareSideFileRecords(const MarkOrderKey& a, const MarkOrderKey& b);

// Mark classes.
constexpr int32_t kMarkClassFirst = 1;   // kind bit 6 clear
constexpr int32_t kMarkClassSecond = 2;  // kind bit 6 set

// A walk over the marks of one class (a plain record owned by the caller).
struct MarkIterator {
  int32_t markClass = kMarkClassFirst;
  uint32_t mark = 0xFFFFFFFFu;   // current mark's identifier, -1 when exhausted
  uint16_t index = 0xFFFF;       // its record index
  uint32_t from = 0;
  uint32_t to = 0xFFFFFFFFu;     // exclusive limit on the start
};
