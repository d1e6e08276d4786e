// What the reading text control needs of the document view that owns it:
// the view's rectangle and preferences, its link areas, page steps, the
// selection of its shown page, its wide tables and its reading state. The
// browser's document view implements it; tests use a small fake.
#pragma once

#include <cstdint>

#include "foundation/geometry/rect.h"
#include "foundation/streams/byte_stream.h"
#include "layout/selection/page_selection.h"
#include "layout/selection/selection_view.h"
#include "layout/shapes/shape_area.h"
#include "layout/pages/layout_context.h"
#include "layout/widetables/wide_tables.h"

class DrawingSurface;

class ReadingView {
 public:
  // ---- The shown document.
  virtual bool HasLayout() = 0;  // a document is laid out in the view
  virtual bool GetViewRect(Rect* out) = 0;
  virtual bool GetContentRect(Rect* out) = 0;
  // The kind of the shown location (0 an ordinary document).
  virtual int32_t LocationKind() = 0;
  virtual uint32_t CurrentPagePosition() = 0;
  virtual bool SaveReadingState(ByteStream* stream) = 0;
  virtual bool LoadReadingState(ByteStream* stream) = 0;

  // ---- Preferences.
  virtual bool AllowsSelection() = 0;      // the view's flag and the user's option
  virtual bool TapHalvesTurnPages() = 0;   // the user's option
  virtual bool TapAboveTogglesFullScreen() = 0;
  virtual int32_t HorizontalMargin() = 0;  // the preferred one
  virtual int32_t PreferredColumns() = 0;
  virtual bool HoldsPageSteps() = 0;

  // ---- Links (areas of the shown page, in list order).
  // The first area whose shape, grown by the tolerance, holds the point.
  virtual bool GetLinkAreaAt(const ShapeArea** area, int32_t* index, Point point, int32_t tolerance) = 0;
  virtual int32_t LinkAreaCount() = 0;
  virtual int32_t GetCurrentLinkIndex() = 0;
  virtual void SetCurrentLink(int32_t index) = 0;  // -1 clears
  virtual void ActivateLinkArea(const ShapeArea* area, Point point) = 0;
  virtual void ActivateCurrentLink() = 0;
  virtual void MoveToTarget(bool next) = 0;
  // Commands 1035-1038 when no further link answers them.
  virtual bool HandleMoveCommand(int32_t command, bool noCurrentLink) = 0;

  // ---- Steps.
  virtual bool StepPage(int32_t step, int32_t linkIndex) = 0;
  virtual bool CanStep(int32_t step) = 0;
  virtual bool PageEndsWithBreakMark() = 0;

  // ---- Selection and drawing.
  virtual PageSelection* Selection() = 0;  // of the shown page; null without one
  virtual SelectionHighlight* Highlight() = 0;
  virtual DrawingSurface* Surface() = 0;
  virtual void SelectionMade(Point point) = 0;  // runs the default selection action
  virtual void Repaint() = 0;
  virtual void ToggleFullScreen() = 0;
  virtual void ExecuteControllerCommand(int32_t command) = 0;

  // ---- Wide tables of the shown page (null: none).
  virtual WideTables* Tables() = 0;

  // ---- What the control asks beside (defaults for a view without them).
  // The layout of the shown page changed (the view visits its objects).
  virtual void OnLayoutChanged() {}
  // Reads the shown page aloud, from the current position or its start.
  virtual void ReadAloud(bool /*fromStart*/) {}
  // Command 23 with its argument.
  virtual void ExecuteActionCommand(intptr_t /*arg*/) {}
  // What Refresh applies: the reader's base style (false: leave it), the
  // preferred vertical margin, and whether this is the active view.
  virtual bool GetBaseStyle(BaseStyleRecord* /*out*/) { return false; }
  virtual int32_t VerticalMargin() { return 1; }
  virtual bool IsActiveView() { return true; }
  // Whether the document gives its reading progress (false refuses).
  virtual bool GivesProgress() { return true; }

 protected:
  ~ReadingView() = default;
};
