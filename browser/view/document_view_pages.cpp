// Page moves (by number, by step, to a text position, to a range) through
// the shared navigation preparation, and recording the shown state in the
// back/forward history.
#include <new>

#include "browser/host/view_application.h"
#include "browser/view/document_view.h"
#include "layout/pages/layout_context.h"

namespace {

const WCHAR kLibraryAddress[] = {'o', 'e', 'b', ':', 'l', 'i', 'b', 'r', 'a', 'r', 'y'};
const WCHAR kBookmarksAddress[] = {'o', 'e', 'b', ':', 'b', 'o', 'o', 'k', 'm', 'a', 'r', 'k', 's'};

// The key code a list element takes for a page step.
int32_t KeyForStep(int32_t step) {
  switch (step) {
    case 1:
      return 68;
    case 3:
      return 70;
    case -3:
      return 71;
    case -2:
      return 67;
    case -1:
      return 69;
    default:
      return 66;
  }
}

}  // namespace

bool DocumentView::PrepareNavigation(bool record, bool* repaint, bool* elementClosed) {
  *repaint = false;
  *elementClosed = false;
  if (focusedElement_ == nullptr) return false;
  if (TextHasFocus()) {
    if (record) RecordHistory(nullptr);
    return true;
  }
  // A page element finishes, and the reading text comes back at the
  // current location.
  if (record) RecordHistory(nullptr);
  SharedWideString none;
  if (!OpenFragment(none, false, repaint, false)) return false;
  *elementClosed = true;
  return true;
}

void DocumentView::FinishPageMove(bool moved, bool repaint, bool elementClosed) {
  if (moved)
    Invalidate(repaint);
  else if (elementClosed)
    OnDocumentShown();
}

bool DocumentView::GoToPage(int32_t n) {
  DrawPass pass(surface_);
  if (n == 0) return false;
  bool repaint = false;
  bool closed = false;
  if (!PrepareNavigation(true, &repaint, &closed)) return true;
  const bool moved = layout_ != nullptr && layout_->GoToPage(static_cast<uint32_t>(n));
  FinishPageMove(moved, repaint, closed);
  return true;
}

bool DocumentView::GoToFirstPage() { return GoToPage(1); }

bool DocumentView::GoToLastPage() { return GoToPage(-1); }

bool DocumentView::GoToPageRelative(int32_t step, int32_t, int32_t) {
  DrawPass pass(surface_);
  PageElement* focused = FocusedPageElement();
  if (focused != nullptr && focused != &text_ &&
      (focused->GetKind() == kElementIndexWidget || focused->GetKind() == kElementWordList)) {
    PassKeyToPageElement(KeyForStep(step));
    return true;
  }
  bool repaint = false;
  bool closed = false;
  if (!PrepareNavigation(false, &repaint, &closed)) return true;
  if (layout_ != nullptr && layout_->StepPage(layout_->GetCurrentPosition(), step)) {
    Invalidate(repaint);
    return true;
  }
  if (closed) OnDocumentShown();
  return false;
}

bool DocumentView::GoToPosition(uint32_t position) {
  DrawPass pass(surface_);
  if (layout_ != nullptr && (documentElement_ == nullptr || TextHasFocus()) &&
      position == layout_->GetCurrentPosition())
    return true;
  bool repaint = false;
  bool closed = false;
  if (!PrepareNavigation(true, &repaint, &closed)) return true;
  const bool moved = layout_ != nullptr && layout_->StartPageAt(position);
  FinishPageMove(moved, repaint, closed);
  return true;
}

bool DocumentView::GoToTextPosition(uint32_t position) {
  DrawPass pass(surface_);
  bool repaint = false;
  bool closed = false;
  if (!PrepareNavigation(true, &repaint, &closed)) return true;
  const bool moved = layout_ != nullptr && layout_->GoToPosition(position);
  FinishPageMove(moved, repaint, closed);
  return true;
}

void DocumentView::ShowRange(const ViewTextRange& range) {
  DrawPass pass(surface_);
  HoldRepaint();
  bool repaint = false;
  bool closed = false;
  if (focusedElement_ != nullptr && PrepareNavigation(false, &repaint, &closed)) {
    const bool moved = layout_ != nullptr && layout_->AdvanceToPosition(range.start, range.end);
    FinishPageMove(moved, repaint, closed);
  }
  ReleaseRepaint();
}

bool DocumentView::RecordHistory(bool* added) {
  if (added != nullptr) *added = false;
  if (historyRecording_ == kRecordSuppressed) return false;
  if (historyRecording_ == kRecordOnce) historyRecording_ = kRecordSuppressed;
  HistoryEntry* entry = new (std::nothrow) HistoryEntry();
  if (entry == nullptr) return false;
  const int32_t listPage = controller_ != nullptr ? controller_->GetActiveListPage() : 0;
  if (listPage == kCommandLibrary || listPage == kCommandBookmarks) {
    SharedWideString address;
    const bool library = listPage == kCommandLibrary;
    if (!address.FromChars(library ? kLibraryAddress : kBookmarksAddress,
                           library ? sizeof kLibraryAddress / sizeof(WCHAR) : sizeof kBookmarksAddress / sizeof(WCHAR)) ||
        !Location::Parse(&entry->location, address, nullptr)) {
      delete entry;
      return false;
    }
  } else if (source_.Get() == nullptr) {
    delete entry;
    return true;
  } else if (!CaptureState(entry, false)) {
    delete entry;
    return false;
  }
  // Entries ahead of the shown one are dropped.
  const uint32_t keep = historyIndex_ < 0 ? 0 : static_cast<uint32_t>(historyIndex_);
  while (history_.Count() > keep) {
    delete *history_.At(history_.Count() - 1);
    history_.count -= 1;
  }
  if (history_.Count() > 0) {
    const HistoryEntry* last = *history_.At(history_.Count() - 1);
    if (Location::Compare(last->location, entry->location) == 0 && last->value == entry->value) {
      delete entry;
      return true;
    }
  }
  if (history_.Count() < kMaxHistory) {
    if (history_.Append(entry) < 0) {
      delete entry;
      return false;
    }
    historyIndex_ = static_cast<int32_t>(history_.Count());
  } else {
    // The oldest entry without a checkpoint makes room (the oldest of all
    // when every entry is one).
    uint32_t drop = 0;
    for (uint32_t i = 0; i < history_.Count(); ++i) {
      if ((*history_.At(i))->checkpoint == 0) {
        drop = i;
        break;
      }
    }
    delete *history_.At(drop);
    for (uint32_t i = drop; i + 1 < history_.Count(); ++i) *history_.At(i) = *history_.At(i + 1);
    *history_.At(history_.Count() - 1) = entry;
    historyIndex_ = static_cast<int32_t>(kMaxHistory);
  }
  if (added != nullptr) *added = true;
  return true;
}
