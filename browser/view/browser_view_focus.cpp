// The focus inside a browser window's frames: the path from the frame set
// down to the focused frame and its current link (what a history entry's
// view-state record keeps), placing the focus again after a page was shown
// (element command 90), and the reading text's keys that move between
// frames before they turn pages (1035 to 1038).
#include "browser/host/view_application.h"
#include "browser/view/browser_view.h"
#include "browser/view/frame_document_view.h"
#include "layout/drawing/drawing_surface.h"

namespace {

// Appends the child indexes from the set down to the frame whose element
// it is; false when the element is no frame below the set.
bool AppendFrameIndexes(const FramesetElement& set, const UIElement* element, SegmentedTypedArray<int32_t>* path) {
  for (uint32_t i = 0; i < set.FrameCount(); ++i) {
    const FrameRecord* record = set.FrameAt(i);
    if (!record->alive.IsWatching()) continue;
    if (record->nested != nullptr) {
      if (!record->nested->ContainsFrame(element)) continue;
      return path->Append(static_cast<int32_t>(i)) >= 0 && AppendFrameIndexes(*record->nested, element, path);
    }
    if (record->element == element) return path->Append(static_cast<int32_t>(i)) >= 0;
  }
  return false;
}

// The view frame that the first `count` indexes of the path lead to; null
// when they lead nowhere (the indexes come from a saved record).
const FrameRecord* FindFrameAtPath(const FramesetElement& top, const SegmentedTypedArray<int32_t>& path,
                                   uint32_t count) {
  if (count == 0) return nullptr;
  const FramesetElement* set = &top;
  for (uint32_t k = 0; k < count; ++k) {
    const int32_t index = path[k];
    if (index < 0) return nullptr;
    const FrameRecord* record = set->FrameAt(static_cast<uint32_t>(index));
    if (record == nullptr || !record->alive.IsWatching()) return nullptr;
    if (k + 1 == count) return record->view != nullptr ? record : nullptr;
    if (record->nested == nullptr) return nullptr;
    set = record->nested;
  }
  return nullptr;
}

}  // namespace

bool BrowserView::GetFocusPath(SegmentedTypedArray<int32_t>* path) {
  path->Clear();
  FrameView* focused = frameset_.GetFocusedFrameView();
  if (focused == nullptr) return false;
  const FrameRecord* record = nullptr;
  if (!AppendFrameIndexes(frameset_, focused->FrameElement(), path) ||
      (record = FindFrameAtPath(frameset_, *path, path->Count())) == nullptr ||
      path->Append(DocumentViewOfFrame(*record, this)->GetCurrentLinkIndex()) < 0) {
    path->Clear();
    return false;
  }
  return true;
}

bool BrowserView::GetFramePath(SegmentedTypedArray<int32_t>* path) {
  // Without a focused frame the view keeps its own link, as a view without
  // frames does.
  if (GetFocusPath(path)) return true;
  return DocumentView::GetFramePath(path);
}

void BrowserView::SetPendingFocusPath(const SegmentedTypedArray<int32_t>& path) {
  if (pendingFocusPath_.CopyFrom(path)) {
    pendingFocusMode_ = kFocusRestorePath;
  } else {
    pendingFocusPath_.Clear();
    pendingFocusMode_ = kFocusNone;
  }
}

void BrowserView::RestoreFocus() {
  bool placed = false;
  if (pendingFocusMode_ == kFocusRestorePath) {
    const uint32_t count = pendingFocusPath_.Count();
    const FrameRecord* record = count != 0 ? FindFrameAtPath(frameset_, pendingFocusPath_, count - 1) : nullptr;
    if (record != nullptr) {
      DocumentView* view = DocumentViewOfFrame(*record, this);
      const int32_t link = pendingFocusPath_[count - 1];
      record->element->TakeFocus();
      view->SetCurrentLink(-1);
      view->SetCurrentLink(link);
      placed = true;
    }
  } else if (pendingFocusMode_ == kFocusNextFrame || pendingFocusMode_ == kFocusPreviousFrame) {
    placed = frameset_.FocusNextFrame(pendingFocusMode_ == kFocusNextFrame, false);
  } else {
    SegmentedTypedArray<int32_t> path;
    if (GetFocusPath(&path)) {
      placed = path[path.Count() - 1] != -1;
    } else {
      placed = surface_ != nullptr && surface_->FocusedElement() != nullptr;
    }
  }
  if (!placed && focusedElement_ != nullptr) focusedElement_->TakeFocus();
  pendingFocusMode_ = kFocusNone;
  pendingFocusPath_.Clear();
}

void BrowserView::ExecuteCommand(int32_t command, intptr_t arg) {
  if (command == kCommandPositionShown) {
    RestoreFocus();
  } else if (command == kCommandPositionChanged) {
    frameset_.NotifyFrames(2);
  } else {
    DocumentView::ExecuteCommand(command, arg);
  }
}

bool BrowserView::HandleMoveCommand(int32_t command, bool /*noCurrentLink*/) {
  if (command < kCommandNextFrameOrPage || command > kCommandBackFrameOrPage) return false;
  SegmentedTypedArray<int32_t> path;
  if (!GetFocusPath(&path)) return false;
  const bool forward = command == kCommandNextFrameOrPage || command == kCommandForwardFrameOrPage;
  if (frameset_.FocusNextFrame(forward, false)) return true;

  // No frame further on: the focused frame's view turns its page.
  const FrameRecord* record = FindFrameAtPath(frameset_, path, path.Count() - 1);
  DocumentView* mover = record != nullptr ? DocumentViewOfFrame(*record, this) : this;
  const bool breakMark = mover->PageEndsWithBreakMark();
  bool moved = false;
  int32_t mode = kFocusNone;
  switch (command) {
    case kCommandNextFrameOrPage:
      moved = mover->GoToPageRelative(2, 1, 255);
      mode = kFocusNextFrame;
      break;
    case kCommandPreviousFrameOrPage:
      moved = mover->GoToPageRelative(-2, 1, 255);
      mode = kFocusPreviousFrame;
      break;
    case kCommandForwardFrameOrPage:
      moved = mover->GoToPageRelative(breakMark ? 2 : 1, 1, 1);
      mode = breakMark ? kFocusNextFrame : kFocusPreviousFrame;
      break;
    default:
      moved = mover->GoToPageRelative(-1, 1, 255);
      mode = kFocusNextFrame;
      break;
  }
  const bool focusable = frameset_.CountFocusableFrames() != 0;
  if (focusable) {
    if (moved) {
      pendingFocusMode_ = mode;
    } else {
      SetPendingFocusPath(path);
    }
  }
  if (!(moved && !focusable) && controller_ != nullptr) controller_->PostCommand(kCommandPositionShown);
  return moved;
}
