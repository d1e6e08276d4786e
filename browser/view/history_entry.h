// HistoryEntry: one saved place of a document view: the location with its
// fragment, the position words of the element that was shown, and the
// element's saved state, optionally preceded by the "EBAR" frame-path
// record. Entries of the back/forward history, the two halves of a link
// being made, and the side file's reading positions all take this form.
#pragma once

#include <cstdint>

#include "browser/addresses/location.h"
#include "foundation/streams/byte_stream.h"

// The view-state record at the start of an entry's stream (big-endian
// words): tag, version, count n, then n frame-path items.
inline constexpr uint8_t kViewStateTag[4] = {'E', 'B', 'A', 'R'};
inline constexpr uint32_t kViewStateTagWord = 0x45424152u;  // "EBAR" read big-endian
inline constexpr uint32_t kViewStateVersion = 1;
inline constexpr uint32_t kViewStateHeaderBytes = 12;

struct HistoryEntry {
  uint32_t checkpoint = 0;  // 0 or 1
  Location location;
  int32_t elementPosition = -1;
  int32_t value = 0;
  ByteStream state;

  HistoryEntry() = default;
  HistoryEntry(const HistoryEntry&) = delete;
  HistoryEntry& operator=(const HistoryEntry&) = delete;

  // Copies the location, the flag and the two words, and moves the stream
  // out of other.
  void TakeFrom(HistoryEntry& other);
  // Scheme state 9 (none), no texts, no state.
  void Reset();
};
