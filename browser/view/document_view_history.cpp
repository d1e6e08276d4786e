// The back/forward history: stepping back and forward through the recorded
// entries, checkpoints, clearing, searching the list, and closing what is
// shown by going back to the page behind it.
#include "browser/host/view_application.h"
#include "browser/view/document_view.h"
#include "layout/reading/page_element.h"

namespace {

bool IsListPageCommand(const Url& url, int32_t kind) {
  return url.state == kUrlCommand && url.commandKind == kind;
}

// Two locations show the same page: both the library page, or both the
// annotations page, with equal fragments; else equal addresses and fragments.
bool SamePage(const Location& a, const Location& b) {
  for (int32_t kind : {static_cast<int32_t>(kCommandLibrary), static_cast<int32_t>(kCommandBookmarks)}) {
    if (IsListPageCommand(a.url, kind) && IsListPageCommand(b.url, kind))
      return a.fragment.CompareTo(b.fragment) == 0;
  }
  return Location::Compare(a, b) == 0;
}

}  // namespace

bool DocumentView::RecordCurrentBeforeStep() {
  if (historyIndex_ != static_cast<int32_t>(history_.Count()) || historyRecording_ != kRecordNormally) return true;
  bool added = false;
  if (!RecordHistory(&added)) return false;
  // The shown state is now the entry at the index.
  if (added) historyIndex_ -= 1;
  return true;
}

bool DocumentView::GoBack(bool fallBackToStart) {
  if (historyIndex_ > 0) {
    if (!RecordCurrentBeforeStep()) return false;
    historyIndex_ -= 1;
    return RestoreHistoryEntry(*history_.At(static_cast<uint32_t>(historyIndex_)), false);
  }
  if (source_.Get() == nullptr || !fallBackToStart) return false;
  PageElement* focused = FocusedPageElement();
  const int32_t kind = focused == nullptr ? 0 : (focused == &text_ ? kElementReadingText : focused->GetKind());
  if (kind == kElementReadingText &&
      (IsListPageCommand(location_.url, kCommandLibrary) || IsListPageCommand(location_.url, kCommandBookmarks))) {
    ReopenLastBook();
  } else if (kind == kElementReadingText || kind == kElementIndexWidget || kind == kElementImageView) {
    if (controller_ != nullptr) controller_->ExecuteCommand(kCommandOpenLibrary, 0);
  }
  return true;
}

bool DocumentView::GoForward() {
  if (historyIndex_ + 1 >= static_cast<int32_t>(history_.Count())) return false;
  historyIndex_ += 1;
  return RestoreHistoryEntry(*history_.At(static_cast<uint32_t>(historyIndex_)), false);
}

void DocumentView::SetCheckpoint() { checkpointFlag_ = 1; }

bool DocumentView::GoToCheckpoint() {
  for (uint32_t i = history_.Count(); i > 0; --i) {
    HistoryEntry* entry = *history_.At(i - 1);
    if (entry->checkpoint != 0) {
      RestoreHistoryEntry(entry, false);
      return true;
    }
  }
  return false;
}

void DocumentView::ClearHistory() {
  historyIndex_ = 0;
  checkpointFlag_ = 0;
  ClearHistoryEntries();
}

int32_t DocumentView::FindInHistory(const Location& location) {
  const uint32_t count = history_.Count();
  for (uint32_t i = 0; i < count; ++i) {
    if (Location::Compare((*history_.At(i))->location, location) == 0) return static_cast<int32_t>(count - 1 - i);
  }
  return -1;
}

bool DocumentView::CloseDocument() {
  bool found = false;
  if (historyIndex_ > 0 && source_.Get() != nullptr) {
    RecordCurrentBeforeStep();
    while (historyIndex_ > 0) {
      historyIndex_ -= 1;
      if (!SamePage((*history_.At(static_cast<uint32_t>(historyIndex_)))->location, location_)) {
        found = true;
        break;
      }
    }
  }
  if (focusedElement_ == nullptr || TextHasFocus() || found) {
    if (found) {
      historyIndex_ += 1;
      while (historyIndex_ > 0) {
        if (GoBack(false)) return true;
      }
    }
    const bool onLibrary = IsListPageCommand(location_.url, kCommandLibrary) ||
                           (controller_ != nullptr && controller_->GetActiveListPage() == kCommandLibrary);
    if ((!onLibrary || !ReopenLastBook()) && controller_ != nullptr)
      controller_->ExecuteCommand(kCommandOpenLibrary, 0);
    return true;
  }
  // A page element with nothing behind it: the reading text comes back.
  bool repaint = false;
  SharedWideString none;
  if (!OpenFragment(none, false, &repaint, false)) return false;
  Invalidate(repaint);
  return true;
}
