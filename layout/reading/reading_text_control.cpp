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

void ReadingTextControl::Arrange(Rect* remaining, const Rect& /*rect*/) { *remaining = Rect{}; }

void ReadingTextControl::CancelSelection() {
  mode_ = kNone;
  PageSelection* selection = view_->Selection();
  if (selection != nullptr) selection->Clear();
  if (view_->Highlight() != nullptr) view_->Highlight()->Clear(view_->Surface());
}

void ReadingTextControl::RebuildHighlight() {
  if (view_->Selection() != nullptr && view_->Highlight() != nullptr) {
    view_->Highlight()->Rebuild(*view_->Selection(), view_->Surface());
  }
}

void ReadingTextControl::SelectWordUnder(Point point) {
  PageSelection* selection = view_->Selection();
  if (selection == nullptr) return;
  SelectAt(selection, point, true);
  SelectAt(selection, point, false);
  RebuildHighlight();
}

// ---- The stylus

bool ReadingTextControl::OnPointerDown(Point point) {
  if (!view_->HasLayout()) return false;
  WideTables* tables = view_->Tables();
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
  if (!buttonDown) return false;
  if (tableDrag_) {
    WideTables* tables = view_->Tables();
    if (tables != nullptr) {
      tables->ScrollTables(Point{2 * (penDown_.x - point.x), 2 * (penDown_.y - point.y)}, true, nullptr,
                           WideTables::kAllSelected, view_->Surface());
    }
    return true;
  }
  if (!tracking_) return false;
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
    anchorSet_ = SelectAt(selection, penDown_, true) ? 1 : 0;
  }
  if (mode_ == kStylus && selection != nullptr) {
    if (!anchorSet_) anchorSet_ = SelectAt(selection, point, true) ? 1 : 0;
    SelectAt(selection, point, false);
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
  if (tableDrag_) {
    ReleaseInput(false);
    WideTables* tables = view_->Tables();
    if (tables != nullptr) {
      tables->ScrollTables(Point{2 * (penDown_.x - point.x), 2 * (penDown_.y - point.y)}, false, nullptr,
                           WideTables::kAllSelected, nullptr);
    }
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
