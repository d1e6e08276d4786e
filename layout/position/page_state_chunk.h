// The "EBVS" chunk: a page frame's reading state written into a byte
// stream with the document's view state and read back when the document is
// shown again: the current link, the scroll offsets of the page's wide
// tables, the element stream's state at the page start and the elements
// open there. All numbers big-endian.
//
//   "EBVS", version (4; 1 to 4 are read), document stamp,
//   [v4] 1 when the stream state and records follow, else 0,
//   [v2+] block length, then the block: link index, [v3+] table count n and
//   n records {table position, offset x, offset y},
//   [when they follow] the stream state as a blob, the open-element records.
//
// A chunk is untrusted input (side files are): every count is checked
// against the bytes that remain before anything is allocated or read.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array.h"
#include "layout/pages/page_frame.h"

struct DefaultStyle;
struct ElementStyle;

inline constexpr uint32_t kPageChunkVersion = 4;

// One wide table's horizontal and vertical offsets, by its text position.
struct TableScrollState {
  uint32_t position = 0;
  int32_t offsetX = 0;
  int32_t offsetY = 0;
};

class TableScrollList {
 public:
  TableScrollList() { items_.SetGeometry(sizeof(TableScrollState), 4); }
  uint32_t Count() const { return items_.count; }
  const TableScrollState& At(uint32_t i) const { return *static_cast<const TableScrollState*>(items_.At(i)); }
  bool Append(const TableScrollState& state) { return items_.Append(&state) >= 0; }
  bool Reserve(uint32_t n) { return items_.Reserve(n); }
  void Clear() { items_.Clear(); }

 private:
  SegmentedArray items_;
};

// Writes the frame's chunk: its link index, the scroll list (may be null),
// and, unless plain, its stream state and records. The stream's ok flag.
bool SavePageChunk(const PageFrame& frame, const TableScrollList* scrolls, uint32_t stamp, bool plain,
                   ByteStream* stream);
// Reads a chunk into the frame (link index, stream state, records, their
// styles, and the style and format in force). noState: the chunk carried
// no stream state. False for a chunk of another document or a malformed
// one; the frame's loaded fields are then not to be used.
bool LoadPageChunk(PageFrame* frame, TableScrollList* scrolls, ByteStream* stream, const DefaultStyle& defaults,
                   const ElementStyle& base, uint32_t stamp, bool* noState);
