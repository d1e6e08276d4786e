// Repainting the view (holds, invalidation, redraw), refreshing its
// elements, the command-availability table, the text size and the style
// record the layout reads.
#include <new>

#include "browser/host/page_services.h"
#include "browser/host/view_application.h"
#include "browser/host/view_environment.h"
#include "browser/host/view_preferences.h"
#include "browser/view/document_view.h"
#include "layout/drawing/drawing_surface.h"
#include "layout/pages/layout_context.h"
#include "layout/objects/inline_object.h"

void DocumentView::HoldRepaint() {
  if (repaintHold_++ == 0) {
    repaintDue_ = 0;
    repaintFull_ = 0;
  }
}

void DocumentView::ReleaseRepaint() {
  if (repaintHold_ <= 0) {
    repaintHold_ = 0;
    return;
  }
  if (--repaintHold_ != 0 || repaintDue_ == 0) return;
  const bool full = repaintFull_ != 0;
  repaintDue_ = 0;
  repaintFull_ = 0;
  Invalidate(full);
}

void DocumentView::Invalidate(bool full) {
  if (repaintHold_ > 0) {
    repaintDue_ = 1;
    if (full) repaintFull_ = 1;
    return;
  }
  if (layout_ != nullptr && (documentElement_ == nullptr || TextHasFocus()) && embedding_ == 0 &&
      controller_ != nullptr)
    controller_->ApplyProgressBarSetting();
  ++invalidations_;
  lastInvalidationFull_ = full ? 1 : 0;
  if (layout_ != nullptr) layout_->Renderer().Invalidate();
  if (surface_ == nullptr) return;
  if (full)
    surface_->InvalidateRect(nullptr);
  else
    surface_->InvalidateRect(&bounds_);
}

void DocumentView::RefreshElements() {
  if (source_.Get() == nullptr) return;
  if (layout_ != nullptr && layoutStarted_ != 0) {
    // The reading text takes the settings again and keeps its place.
    DrawPass pass(surface_);
    const uint32_t position = layout_->GetCurrentPosition();
    ApplyPreferencesToLayout();
    layout_->Relayout();
    layout_->GoToPosition(position);
  }
  if (focusedElement_ != nullptr) {
    Rect rest;
    focusedElement_->Arrange(&rest, bounds_);
    if (PageElement* element = FocusedPageElement()) element->Refresh();
  }
}

void DocumentView::OnLayoutChanged() {
  if (layout_ == nullptr || !TextHasFocus()) return;
  layout_->ForEachPageObject(&DocumentView::NotifyPageObject, this);
}

void DocumentView::NotifyPageObject(LayoutContext*, InlineObject*, void*) {
  // The layout holds a reference during the call. The objects of this
  // build take no notification (code 4, "the layout changed"): the walk
  // is the view's part, what an object does with it is the object's.
}

void DocumentView::Redraw(const Rect* rect) {
  if (!TextHasFocus()) {
    if (focusedElement_ != nullptr) focusedElement_->Redraw(rect);
    return;
  }
  if (layout_ == nullptr) return;
  if (sketchEditor_ != nullptr && sketchEditor_->HasDrawing() && layout_->GetCurrentPage() != nullptr) {
    ViewTextRange range;
    GetPageRange(&range);
    sketchEditor_->SetDrawingKey(range.start, range.end, sideFile_);
  }
  layout_->PaintCurrentPage(0);
}

bool DocumentView::IsCommandEnabled(int32_t command) {
  switch (command) {
    case 15:
    case 16:
    case 41:
    case 42:
    case 43:
    case 44:
    case 50:
    case 51:
    case 52:
    case 53:
    case 54:
      if (sideFile_ == nullptr) return false;
      return focusedElement_ == nullptr || focusedElement_->IsCommandEnabled(command);
    case 22:
      return historyIndex_ != static_cast<int32_t>(history_.Count());
    case 23:
      return historyIndex_ != 0;
    case 45:
    case 46:
    case 47:
      return HasDictionariesForSelection();
    case 108:
      return false;
    case 113:
      return controller_ != nullptr && controller_->HasFindDialog();
    default:
      return focusedElement_ != nullptr && focusedElement_->IsCommandEnabled(command);
  }
}

bool DocumentView::ChangeTextSize(int32_t step) {
  DrawPass pass(surface_);
  if (preferences_ == nullptr) return false;
  const int32_t unit = environment_ != nullptr ? environment_->GetDefaultSetting(kSettingTextSizeStep) : 1;
  const int64_t size = int64_t{preferences_->GetTextSize()} + int64_t{step} * unit;
  if (size < INT32_MIN || size > INT32_MAX || !preferences_->SetFontSize(static_cast<int32_t>(size))) return false;
  RefreshElements();
  Invalidate(true);
  return true;
}

void DocumentView::GetViewState(ViewStateRecord* record) {
  *record = ViewStateRecord();
  if (preferences_ == nullptr) return;
  record->textSize = preferences_->GetTextSize();
  record->layoutFlags = preferences_->GetLayoutFlags();
  record->textColor = preferences_->GetTextColor();
  record->backgroundColor = preferences_->GetBackgroundColor();
  record->page[5] = static_cast<uint32_t>(preferences_->GetWordAfterTextSize());
}
