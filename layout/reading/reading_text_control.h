// ReadingTextControl: the element that shows a document's pages inside a
// document view. It turns stylus gestures into page turns, link activation,
// word selection and wide-table drags, runs the keyboard selection mode,
// answers which reading commands are possible by the kind of location
// shown, and saves and restores the reading position as the view's page
// element state. It is a page element and the container of the page's
// form controls. UI thread only.
//
// Files: reading_text_control.cpp (state, the stylus),
// reading_text_control_commands.cpp (commands and their states).
#pragma once

#include <cstdint>

#include "layout/elements/ui_container.h"
#include "layout/reading/page_element.h"
#include "layout/reading/reading_view.h"

class ReadingTextControl : public PageElement, public UIContainer {
 public:
  // Pixels the stylus may move before a drag selects; half of it is the
  // tolerance around a link within which a tap neither selects nor turns.
  static constexpr int32_t kDragThreshold = 10;
  static constexpr int32_t kLinkTolerance = kDragThreshold / 2;
  static constexpr int32_t kTableCommandStep = 40;
  static constexpr int32_t kNoLinkIndex = 255;

  enum SelectionMode : int32_t { kNone = 0, kStylus = 1, kKeyboardCaret = 2, kKeyboardExtend = 3 };

  explicit ReadingTextControl(ReadingView* view) : view_(view) {}
  ~ReadingTextControl() override = default;

  // ---- Page element.
  int32_t GetKind() override { return 1; }
  int32_t GetSourceIndex() override;
  bool LoadState(const MediaPoint& extra, ByteStream* stream) override;
  bool SaveState(const MediaPoint& extra, ByteStream* stream) override;

  // ---- Element.
  bool HitTest(Point point) override;
  bool OnPointerDown(Point point) override;
  bool OnPointerMove(bool buttonDown, Point point) override;
  bool OnPointerUp(Point point) override;
  bool Activate(bool, intptr_t) override { return false; }
  bool HandleCommand(const CommandEvent& event) override;
  void ExecuteCommand(int32_t command, intptr_t arg) override;
  bool IsCommandEnabled(int32_t command) override;
  bool IsCommandChecked(int32_t command) override { return command == 40 && mode_ != kNone; }
  void Arrange(Rect* remaining, const Rect& rect) override;
  bool Intersects(const Rect& rect) override;
  int32_t GetLayer() override { return 0; }

  // ---- The page element's state and progress.
  bool GetProgress(uint32_t* position, int32_t* pageNumber, uint32_t* length) override;
  // Applies the view's preferences to the layout context and lays it out
  // again.
  void Refresh() override;

  // ---- Element notifications.
  // 1: the page image is stale; 2: the layout changed.
  void Notify(int32_t kind) override;
  void OnFocusChanged(bool focused) override;
  void OnChildFocusChanged(UIElement* element, UIElement* origin, bool focused) override;
  // The position when it lies on the shown page, else the page holding it
  // is shown.
  uint32_t AdjustPosition(int32_t ignored, uint32_t position) override;

  // The layout context of the shown document (not owned; null: none). With
  // one the selection, the link focus and the wide tables go through it.
  void SetLayout(LayoutContext* layout) { layout_ = layout; }
  LayoutContext* Layout() const { return layout_; }

  void CancelSelection();
  int32_t Mode() const { return mode_; }

 private:
  bool SingleColumn() { return view_->PreferredColumns() < 2; }
  bool Select(Point point, bool anchor);
  WideTables* Tables();
  bool ScrollTables(Point delta, bool live);
  // The form control that owns the link area under the pen-down point.
  UIElement* LinkControl() const;
  UIElement* CapturedChild(Point point);
  bool TurnPageByTap(Point point, bool* turned);
  void SelectWordUnder(Point point);
  void RebuildHighlight();
  bool HandleSelectionCommand(int32_t code);
  bool StepLines(int32_t code);
  void ToggleKeyboardSelection(int32_t command);

  ReadingView* view_;
  LayoutContext* layout_ = nullptr;
  Point penDown_;
  Point last_;
  uint8_t tableDrag_ = 0;
  int32_t mode_ = kNone;
  uint8_t anchorSet_ = 0;
  uint8_t tracking_ = 0;
  uint8_t onLink_ = 0;
  uint8_t focusTaken_ = 0;
  int32_t linkIndex_ = -1;
  const ShapeArea* linkArea_ = nullptr;
};
