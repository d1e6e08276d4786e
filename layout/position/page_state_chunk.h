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

#include "layout/pages/page_frame.h"

struct DefaultStyle;
struct ElementStyle;

inline constexpr uint32_t kPageChunkVersion = 4;

// Writes the frame's chunk: its link index, its wide tables' offsets and,
// unless plain, its stream state and records. The stream's ok flag.
bool SavePageChunk(const PageFrame& frame, uint32_t stamp, bool plain, ByteStream* stream);
// Reads a chunk into the frame (link index, wide tables' offsets, stream
// state, records, their styles, and the style and format in force).
// noState: the chunk carried no stream state. False for a chunk of
// another document or a malformed one; the frame's loaded fields are then
// not to be used.
bool LoadPageChunk(PageFrame* frame, ByteStream* stream, const DefaultStyle& defaults, const ElementStyle& base,
                   uint32_t stamp, bool* noState);
