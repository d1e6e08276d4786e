// PageFrame: what the pager knows about one page start: its number, where
// it starts and ends, how it was reached (the link that lets a step be
// answered without laying anything out), the element stream's state and
// the open elements there, the style and paragraph format in force, and
// the items already read beyond it, and the scroll state of the page's
// wide tables. LaidOutPage: a page laid out for showing, with its link
// areas and selection. LayoutPosition: a page number with its start.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_typed.h"
#include "foundation/streams/byte_stream.h"
#include "layout/items/layout_item_store.h"
#include "layout/lines/line_records.h"
#include "layout/markup/element_record_stack.h"
#include "layout/pages/table_scroll_state.h"
#include "layout/selection/page_selection.h"
#include "layout/selection/selection_view.h"
#include "layout/shapes/shape_area.h"
#include "layout/styles/element_style_records.h"
#include "layout/styles/text_style.h"

inline constexpr uint32_t kNoPosition = 0xFFFFFFFFu;

struct LayoutPosition {
  int32_t number = -1;
  uint32_t start = 0;
};

struct PageFrame {
  static constexpr uint32_t kSectionWords = 24;
  static constexpr uint32_t kSectionColorWord = 6;

  int32_t number = -1;
  uint32_t start = 0;
  uint32_t linkPosition = 0;
  int32_t linkStep = 0;
  uint32_t end = kNoPosition;
  uint32_t useStamp = 0;
  ByteStream parserState;
  ElementRecordStack records;
  ElementStyleRecords styles;  // one per open element
  TextStyle style;
  ParagraphFormat format;
  LayoutItemStore* store = nullptr;  // owned; made on demand
  uint32_t section[kSectionWords] = {};
  int32_t linkIndex = -1;
  TableScrollStates tableScrolls;  // one per wide table

  PageFrame() {
    section[kSectionColorWord] = Color::kNoColor;
    tableScrolls.SetGeometry(kTableScrollShift);
  }
  ~PageFrame() { Reset(); }
  PageFrame(const PageFrame&) = delete;
  PageFrame& operator=(const PageFrame&) = delete;

  void Reset();
  // A deep copy (the item store too); false on lack of memory, leaving a
  // frame the caller resets.
  bool CopyFrom(const PageFrame& other);
  // Takes the other's fields and item store; the other is reset.
  void MoveFrom(PageFrame& other);
  bool EnsureStore();
  uint32_t* SectionColor() { return &section[kSectionColorWord]; }

  // The scroll state of the table at a text position; null when the page
  // keeps none for it.
  TableScrollState* FindTableScroll(uint32_t tablePosition) const;
  // That state, added unscrolled when missing; null on lack of memory.
  TableScrollState* EnsureTableScroll(uint32_t tablePosition);
  // Every table's next drag starts from its offsets in use.
  void ResetTableScrolls();

 private:
  static constexpr uint8_t kTableScrollShift = 5;  // 32 records per block
};

// False on lack of memory (the copy then empty).
bool CopyStyles(const ElementStyleRecords& from, ElementStyleRecords* to);

struct LaidOutPage {
  PageFrame* frame = nullptr;  // not owned; null when empty
  LayoutItemStore store;
  LayoutCursor start;
  int32_t contentHeight = 0;
  uint8_t state = 0;  // 0 never shown, 1 shown, 2 hidden
  // Painted at least once: the renderer wrote where its text and objects
  // stand, which the link areas and the selection read.
  bool painted = false;
  // The page's clickable areas in page order, built once after its first
  // paint (linkAreasBuilt), and the user's selection with its drawn
  // highlight. All go with the page.
  ShapeAreaArray linkAreas;
  bool linkAreasBuilt = false;
  PageSelection selection;
  SelectionHighlight highlight;

  bool HoldsContent() const { return store.Count() != 0; }
  void Reset() {
    frame = nullptr;
    store.Clear();
    start = LayoutCursor{};
    contentHeight = 0;
    state = 0;
    painted = false;
    linkAreas.Clear();
    linkAreasBuilt = false;
    selection.Reset(&store);
    highlight.Clear(nullptr);
  }
};
