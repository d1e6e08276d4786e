// ReadingTextControl: page-element state and the stylus.
#include "layout/reading/reading_text_control.h"

#include <algorithm>
#include <cstdlib>

int32_t ReadingTextControl::GetSourceIndex() {
  return view_->HasLayout() ? static_cast<int32_t>(view_->CurrentPagePosition()) : -1;
}

bool ReadingTextControl::LoadState(const MediaPoint& /*extra*/, ByteStream* stream) {
  return view_->HasLayout() && view_->LoadReadingState(stream);
}

bool ReadingTextControl::SaveState(const MediaPoint& /*extra*/, ByteStream* stream) {
  if (!view_->HasLayout() || !view_->SaveReadingState(stream)) return false;
  AppendStateBuffer(stream);
  return stream->ok;
}

bool ReadingTextControl::HitTest(Point point) {
  Rect rect;
  return view_->GetViewRect(&rect) && rect.ContainsPoint(point);
}

bool ReadingTextControl::Intersects(const Rect& rect) {
  Rect view;
  return view_->GetViewRect(&view) && Rect::Intersects(view, rect);
}

void ReadingTextControl::Arrange(Rect* remaining, const Rect& rect) {
  *remaining = Rect{};
  if (layout_ == nullptr || rect == layout_->PageRect()) return;
  layout_->SetPageRect(rect);
  layout_->Relayout();
}

bool ReadingTextControl::GetProgress(uint32_t* position, int32_t* pageNumber, uint32_t* length) {
  if (layout_ == nullptr || !view_->GivesProgress()) return false;
  const uint32_t given = *length;
  uint32_t total = layout_->GetDocumentLength();
  uint32_t at = layout_->GetCurrentPosition();
  const uint32_t first = layout_->GetFirstPagePosition();
  // Measured from the first page, whose start may lie past the document's.
  if (first != kNoPosition && first <= given) {
    total = total > first ? total - first : 0;
    at = at != kNoPosition && at > first ? at - first : 0;
  }
  *position = at;
  *length = total;
  const int32_t number = layout_->GetCurrentPageNumber();
  *pageNumber = number > 0 ? number : 300;
  return true;
}

void ReadingTextControl::Refresh() {
  if (layout_ == nullptr) return;
  CancelSelection();
  BaseStyleRecord style;
  if (view_->GetBaseStyle(&style)) layout_->SetBaseStyle(style);
  const int32_t horizontal = view_->HorizontalMargin();
  const int32_t vertical = view_->VerticalMargin();
  if (view_->LocationKind() != 0) {
    layout_->SetColumnCount(view_->PreferredColumns());
    layout_->SetMargins(1, 1, 1, 1, false);
  } else {
    layout_->SetColumnCount(view_->IsActiveView() ? view_->PreferredColumns() : 1);
    if (horizontal > 1 || vertical > 1) {
      layout_->SetMargins(horizontal, vertical, horizontal, vertical, false);
    } else {
      layout_->SetMargins(1, 1, 1, 1, false);
    }
  }
  layout_->Relayout();
}

void ReadingTextControl::Notify(int32_t kind) {
  if (kind == 1 && layout_ != nullptr) layout_->InvalidatePageImage();
  if (kind == 2) view_->OnLayoutChanged();
}

void ReadingTextControl::OnFocusChanged(bool focused) {
  if (layout_ == nullptr) return;
  if (focused) {
    layout_->RestoreRememberedLink();
  } else {
    layout_->SetCurrentLink(-1, true, false);
  }
}

void ReadingTextControl::OnChildFocusChanged(UIElement* element, UIElement* origin, bool focused) {
  if (focused && layout_ != nullptr) {
    UIElement* owner = origin != nullptr ? origin : element;
    const int32_t index = layout_->FindLinkAreaOfElement(owner != nullptr ? owner->AsInlineObject() : nullptr);
    if (index >= 0) view_->SetCurrentLink(index);
  }
  UIContainer::OnChildFocusChanged(element, this, focused);
}

uint32_t ReadingTextControl::AdjustPosition(int32_t /*ignored*/, uint32_t position) {
  if (layout_ == nullptr) return position;
  const uint32_t start = layout_->GetCurrentPosition();
  const uint32_t next = layout_->GetPagePosition(2);
  if (start != kNoPosition && position >= start && next != kNoPosition && position < next) return position;
  return layout_->GoToPosition(position) ? 1u : 0u;
}

bool ReadingTextControl::Select(Point point, bool anchor) {
  if (layout_ != nullptr) return layout_->SelectAt(point, anchor);
  PageSelection* selection = view_->Selection();
  return selection != nullptr && SelectAt(selection, point, anchor);
}

WideTables* ReadingTextControl::Tables() { return layout_ != nullptr ? &layout_->Tables() : view_->Tables(); }

bool ReadingTextControl::ScrollTables(Point delta, bool live) {
  if (layout_ != nullptr) return layout_->ScrollTables(delta, live, nullptr, WideTables::kAllSelected);
  WideTables* tables = view_->Tables();
  return tables != nullptr &&
         tables->ScrollTables(delta, live, nullptr, WideTables::kAllSelected, live ? view_->Surface() : nullptr);
}

UIElement* ReadingTextControl::LinkControl() const {
  if (linkArea_ == nullptr || linkArea_->control.Get() == nullptr) return nullptr;
  return linkArea_->control->AsElement();
}

void ReadingTextControl::CancelSelection() {
  mode_ = kNone;
  if (layout_ != nullptr) {
    layout_->ClearSelectionHighlight();
    return;
  }
  PageSelection* selection = view_->Selection();
  if (selection != nullptr) selection->Clear();
  if (view_->Highlight() != nullptr) view_->Highlight()->Clear(view_->Surface());
}

void ReadingTextControl::RebuildHighlight() {
  if (layout_ != nullptr) {
    layout_->RebuildHighlight(true);
    return;
  }
  if (view_->Selection() != nullptr && view_->Highlight() != nullptr) {
    view_->Highlight()->Rebuild(*view_->Selection(), view_->Surface());
  }
}

void ReadingTextControl::SelectWordUnder(Point point) {
  Select(point, true);
  Select(point, false);
  RebuildHighlight();
}

// A child that holds the stylus (a form control) gets its events.
UIElement* ReadingTextControl::CapturedChild(Point point) {
  UIElement* child = nullptr;
  return CaptureActive() && FindInputChild(point, &child, false) ? child : nullptr;
}

// ---- The stylus

bool ReadingTextControl::OnPointerDown(Point point) {
  if (UIElement* child = CapturedChild(point); child != nullptr) return child->OnPointerDown(point);
  if (!view_->HasLayout()) return false;
  WideTables* tables = Tables();
  uint32_t table = 0;
  if (tables != nullptr && tables->FindTableAt(point, &table)) {
    tableDrag_ = 1;
    tables->ResetTableScroll();
    penDown_ = point;
    CaptureInput(true);
    return true;
  }
  Rect content;
  if (view_->TapAboveTogglesFullScreen() && view_->GetContentRect(&content) && point.y < content.y) {
    view_->ToggleFullScreen();
    return true;
  }
  mode_ = kNone;
  tracking_ = 1;
  anchorSet_ = onLink_ = focusTaken_ = 0;
  penDown_ = last_ = point;
  linkArea_ = nullptr;
  linkIndex_ = -1;
  if (!HasFocus()) {
    TakeFocus();
    focusTaken_ = 1;
  }
  if (view_->GetLinkAreaAt(&linkArea_, &linkIndex_, point, 0)) {
    onLink_ = 1;
    if (UIElement* control = LinkControl(); control != nullptr) {
      tracking_ = 0;
      return control->OnPointerDown(point);
    }
    view_->SetCurrentLink(linkIndex_);
  } else {
    const ShapeArea* near = nullptr;
    int32_t nearIndex = -1;
    if (view_->GetLinkAreaAt(&near, &nearIndex, point, kLinkTolerance) || !view_->AllowsSelection()) {
      tracking_ = 0;
    } else if (view_->GetCurrentLinkIndex() == -1) {
      PageSelection* selection = view_->Selection();
      if (selection != nullptr && !selection->HasNoSelection()) {
        CancelSelection();
        focusTaken_ = 1;
      }
    } else {
      view_->SetCurrentLink(-1);
      focusTaken_ = 1;
    }
  }
  if (tracking_) CaptureInput(true);
  return tracking_ != 0;
}

bool ReadingTextControl::OnPointerMove(bool buttonDown, Point point) {
  if (UIElement* child = CapturedChild(point); child != nullptr) return child->OnPointerMove(buttonDown, point);
  if (!buttonDown) return false;
  if (tableDrag_) {
    ScrollTables(Point{2 * (penDown_.x - point.x), 2 * (penDown_.y - point.y)}, true);
    return true;
  }
  if (!tracking_) return false;
  if (onLink_) {
    if (UIElement* control = LinkControl(); control != nullptr) return control->OnPointerMove(buttonDown, point);
  }
  last_ = point;
  PageSelection* selection = view_->Selection();
  if (mode_ == kNone) {
    const int32_t moved = std::max(std::abs(point.x - penDown_.x), std::abs(point.y - penDown_.y));
    if (moved <= kDragThreshold) return true;
    if (view_->GetCurrentLinkIndex() != -1) view_->SetCurrentLink(-1);
    onLink_ = 0;
    if (!view_->AllowsSelection() || selection == nullptr) {
      tracking_ = 0;
      ReleaseInput(false);
      return true;
    }
    mode_ = kStylus;
    anchorSet_ = Select(penDown_, true) ? 1 : 0;
  }
  if (mode_ == kStylus && selection != nullptr) {
    if (!anchorSet_) anchorSet_ = Select(point, true) ? 1 : 0;
    Select(point, false);
    RebuildHighlight();
  }
  return true;
}

bool ReadingTextControl::TurnPageByTap(Point point, bool* turned) {
  *turned = false;
  Rect view;
  if (!view_->GetViewRect(&view)) return false;
  int32_t step = 0;
  if (view_->TapHalvesTurnPages()) {
    step = point.x > view.x + view.width / 2 ? 2 : -2;
  } else {
    const int32_t margin = view_->HorizontalMargin();
    if (point.x < view.x + margin) step = -2;
    if (point.x >= view.x + view.width - margin) step = 2;
  }
  if (step == 0) return false;
  *turned = true;
  if (!view_->HoldsPageSteps()) view_->StepPage(step, kNoLinkIndex);
  return true;
}

bool ReadingTextControl::OnPointerUp(Point point) {
  if (UIElement* child = CapturedChild(point); child != nullptr) return child->OnPointerUp(point);
  if (tableDrag_) {
    ReleaseInput(false);
    ScrollTables(Point{2 * (penDown_.x - point.x), 2 * (penDown_.y - point.y)}, false);
    // The page's areas and highlight were placed before the scroll.
    if (layout_ != nullptr) layout_->ClearHighlight();
    view_->Repaint();
    tableDrag_ = 0;
    return true;
  }
  if (!tracking_) return false;
  ReleaseInput(false);
  tracking_ = 0;
  if (mode_ == kStylus) {
    view_->SelectionMade(point);
    return true;
  }
  if (mode_ != kNone) return true;
  if (onLink_) {
    if (UIElement* control = LinkControl(); control != nullptr) return control->OnPointerUp(point);
    view_->SetCurrentLink(-1);
    if (linkArea_ != nullptr) view_->ActivateLinkArea(linkArea_, point);
    return true;
  }
  if (!focusTaken_) {
    bool turned = false;
    if (TurnPageByTap(point, &turned) && turned) return true;
  }
  if (focusTaken_) return true;
  SelectWordUnder(point);
  view_->SelectionMade(point);
  return true;
}
