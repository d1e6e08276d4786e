// Marks made from the view: adding bookmarks, notes, highlights and
// drawings to the book's side file, finding them over a text range and
// deleting them. A mark is written whole or not at all: when any of its
// linked records cannot be written, the mark is deleted again.
#include <new>

#include "browser/host/page_services.h"
#include "browser/host/view_application.h"
#include "browser/view/document_view.h"
#include "layout/pages/layout_context.h"
#include "storage/side_file/book_parameter_file.h"

namespace {

constexpr uint32_t kNoMark = 0xFFFFFFFFu;
// Notes, highlights and links: one of these replaces the others over a range.
constexpr uint32_t kReplacingFamily = 0x36;
constexpr uint32_t kKindBookmark = 1;
constexpr uint32_t kKindAudioBookmark = 65;

bool WriteText(BookParameterFile* file, uint32_t mark, const SharedWideString* text,
               RecordResult (BookParameterFile::*setter)(uint32_t, const WCHAR*, uint32_t)) {
  if (text == nullptr || text->length == 0) return true;
  return (file->*setter)(mark, text->Chars(), text->length) == RecordResult::kOk;
}

}  // namespace

bool DocumentView::AddMarkRecord(const ViewTextRange& range, const SharedWideString* note,
                                 const SharedWideString* text, uint32_t extra, uint32_t kind, int32_t target,
                                 const SharedWideString* title, uint32_t* mark) {
  if (!IsTextShown() || sideFile_ == nullptr) return false;
  HistoryEntry entry;
  if (!CaptureState(&entry, false)) return false;
  uint32_t start = range.start;
  uint32_t end = range.end;
  if (start == end) start = end = CurrentPagePosition();
  const uint32_t added = sideFile_->AddBookmark(start, end, static_cast<uint32_t>(entry.elementPosition),
                                                static_cast<uint32_t>(entry.value), extra, kind);
  if (added == kNoMark) return false;
  bool written = sideFile_->SetBookmarkViewState(added, entry.state) == RecordResult::kOk;
  if (written && target >= 0) {
    written = sideFile_->SetBookmarkTarget(added, static_cast<uint32_t>(target)) == RecordResult::kOk;
  }
  written = written && WriteText(sideFile_, added, title, &BookParameterFile::SetBookmarkTitle);
  written = written && WriteText(sideFile_, added, note, &BookParameterFile::SetBookmarkNote);
  written = written && WriteText(sideFile_, added, text, &BookParameterFile::SetBookmarkText);
  if (!written) {
    sideFile_->DeleteBookmark(added);
    return false;
  }
  if (mark != nullptr) *mark = added;
  OnMarkChanged(added, true);
  return true;
}

bool DocumentView::AddMark(Rect* out, const ViewTextRange& range, uint32_t kind, uint32_t extra,
                           const SharedWideString* text, const SharedWideString* note, int32_t target,
                           const SharedWideString* title) {
  if (out != nullptr) *out = Rect{0, 0, 0, 0};
  if (!ReadingTextFocused()) return false;
  uint32_t mark = kNoMark;
  if (!AddMarkRecord(range, note, text, extra, kind, target, title, &mark)) return false;
  const uint32_t mask = (kind & kReplacingFamily) != 0 ? kReplacingFamily : kind;
  DeleteMarksOfKinds(sideFile_, mask, range, static_cast<int32_t>(mark));
  CancelSelection();
  // The layout keeps no rectangle per mark: the whole view is drawn again.
  RefreshMarks();
  return true;
}

bool DocumentView::AddBookmark(const SharedWideString& text) {
  if (focusedElement_ == nullptr) return false;
  SharedWideString note(text);
  if (note.length == 0 && ReadingTextFocused()) {
    ViewTextRange range;
    uint32_t first = 0, second = 0;
    Rect rect;
    if (!GetSelection(&range, &note, &first, &second, &rect) || note.length == 0) GetLookupWord(&note);
  }
  const uint32_t kind = IsAudioFragment(location_.fragment) ? kKindAudioBookmark : kKindBookmark;
  if (!AddMarkRecord(ViewTextRange{}, &note, nullptr, 0, kind, -1, nullptr, nullptr)) return false;
  RefreshMarks();
  return true;
}

int32_t DocumentView::AddMarkWithText(const ViewTextRange& range, uint32_t kind, uint32_t extra,
                                      const SharedWideString& text) {
  uint32_t mark = kNoMark;
  if (!AddMarkRecord(range, nullptr, &text, extra, kind, -1, nullptr, &mark)) return -1;
  return static_cast<int32_t>(mark);
}

void DocumentView::DeleteMarksOfKinds(BookParameterFile* sideFile, uint32_t kindMask, const ViewTextRange& range,
                                      int32_t exceptMark) {
  if (sideFile == nullptr) return;
  MarkIterator marks;
  uint32_t mark = sideFile->FirstBookmark(range.start, range.end, &marks);
  while (mark != kNoMark) {
    // The walk moves on before the mark goes, so that it never reads a
    // deleted record.
    const uint32_t next = sideFile->NextBookmark(&marks);
    if (static_cast<int32_t>(mark) != exceptMark && (sideFile->GetBookmarkKind(mark) & kindMask) != 0 &&
        sideFile->DeleteBookmark(mark) == RecordResult::kOk) {
      OnMarkChanged(mark, false);
    }
    mark = next;
  }
}

void DocumentView::DeleteMarksInRange(uint32_t kindMask, const ViewTextRange& range, int32_t exceptMark) {
  if (sideFile_ == nullptr) return;
  DeleteMarksOfKinds(sideFile_, kindMask, range, exceptMark);
  RefreshMarks();
}

void DocumentView::DeleteMarkRecord(uint32_t mark) {
  if (sideFile_ == nullptr || sideFile_->DeleteBookmark(mark) != RecordResult::kOk) return;
  OnMarkChanged(mark, false);
  RefreshMarks();
}

int32_t DocumentView::FindMarkOfKind(const ViewTextRange& range, uint32_t kind) {
  if (sideFile_ == nullptr) return -1;
  MarkIterator marks;
  for (uint32_t mark = sideFile_->FirstBookmark(range.start, range.end, &marks); mark != kNoMark;
       mark = sideFile_->NextBookmark(&marks)) {
    if (sideFile_->GetBookmarkKind(mark) == kind) return static_cast<int32_t>(mark);
  }
  return -1;
}

uint32_t DocumentView::CollectMarkKinds(const ViewTextRange& range) {
  if (sideFile_ == nullptr) return 0;
  uint32_t kinds = 0;
  MarkIterator marks;
  for (uint32_t mark = sideFile_->FirstBookmark(range.start, range.end, &marks); mark != kNoMark;
       mark = sideFile_->NextBookmark(&marks)) {
    kinds |= sideFile_->GetBookmarkKind(mark);
  }
  return kinds;
}

bool DocumentView::GetMarkText(uint32_t kind, const ViewTextRange& range, SharedWideString* text, int32_t* target,
                               SharedWideString* title) {
  if (text == nullptr) return false;
  if (sideFile_ == nullptr) return text->length != 0;
  static const WCHAR kLineEnd[2] = {u'\r', u'\n'};
  MarkIterator marks;
  for (uint32_t mark = sideFile_->FirstBookmark(range.start, range.end, &marks); mark != kNoMark;
       mark = sideFile_->NextBookmark(&marks)) {
    if (sideFile_->GetBookmarkKind(mark) != kind) continue;
    uint32_t count = 0;
    const WCHAR* note = sideFile_->GetBookmarkNote(mark, &count);
    if (note != nullptr) text->AppendChars(note, count);
    text->AppendChars(kLineEnd, 2);
    if (title != nullptr && title->length == 0) {
      if (target != nullptr) *target = static_cast<int32_t>(sideFile_->GetBookmarkTarget(mark));
      EncodedString stored;
      if (sideFile_->GetBookmarkTitle(mark, &stored) == RecordResult::kOk) title->AssignEncodedString(stored);
    }
  }
  return text->length != 0;
}

bool DocumentView::EditDrawingAtSelection(int32_t selectionWord) {
  if (sketchEditor_ == nullptr || sideFile_ == nullptr || layout_ == nullptr) return false;
  CancelSelection();
  const int32_t mark = sketchEditor_->FindMarkForSelection(selectionWord);
  if (mark < 0) return false;
  sketchEditor_->LoadDrawing();
  if (controller_ != nullptr) controller_->ApplyProgressBarSetting();
  return OpenMark(static_cast<uint32_t>(mark), nullptr);
}

void DocumentView::RefreshMarks() {
  if (layout_ != nullptr) layout_->ClearLinkAreas();
  Invalidate(true);
}
