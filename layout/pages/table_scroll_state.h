// TableScrollState: how far a wide table of a page is scrolled inside the
// viewport the page gives it. The page frame keeps one per wide table of
// its page, keyed by the table item's text position, so that a table
// scrolled and left keeps its offsets when the page is shown again; the
// page-state chunk saves the key and the offsets in use.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_typed.h"
#include "foundation/geometry/rect.h"
#include "layout/drawing/color.h"

struct TableScrollState {
  uint8_t selected = 0;  // takes part in drags and scroll commands
  uint32_t position = 0;  // text position of the table item: the key
  int32_t dragBaseX = 0;  // the offsets when the current drag began
  int32_t dragBaseY = 0;
  int32_t offsetX = 0;  // the offsets in use
  int32_t offsetY = 0;
  int32_t maxX = 0;  // content size less the viewport, from layout
  int32_t maxY = 0;
  // Where the page placed the table when it was painted last, and the
  // colour under it (painting's; not saved).
  Rect box;
  Color background{Color::kNoColor};

  // A new drag starts from the offsets in use.
  void ResetScroll() {
    dragBaseX = offsetX;
    dragBaseY = offsetY;
  }
};

using TableScrollStates = SegmentedTypedArray<TableScrollState>;
