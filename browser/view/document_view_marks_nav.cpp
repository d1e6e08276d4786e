// Moving to the marks of the book's side file: the next and previous mark
// from the page shown, one mark by number, what a mark opens, and deleting
// one.
#include <new>

#include "browser/host/page_services.h"
#include "browser/host/view_application.h"
#include "browser/loader/document_loader.h"
#include "browser/view/document_view.h"
#include "layout/pages/layout_context.h"
#include "storage/side_file/book_parameter_file.h"
#include "storage/side_file/bookmark_order.h"
#include "foundation/encoded_string/encoded_string.h"

namespace {

constexpr uint32_t kNoMark = 0xFFFFFFFFu;
constexpr uint32_t kAudioMarkBit = 0x40;
constexpr uint32_t kDrawingKind = 8;

// The first mark of the walk from `from` (starts below `to`) whose page,
// by the view word (the start of the page it was made on), starts at
// `least` or later; kNoMark when none. The view position is a page number
// and cannot be set against a text position.
uint32_t FirstMarkFrom(BookParameterFile* file, uint32_t from, uint32_t to, uint32_t least) {
  MarkIterator iterator;
  for (uint32_t mark = file->FirstBookmark(from, to, &iterator); mark != kNoMark; mark = file->NextBookmark(&iterator)) {
    uint32_t start = 0, end = 0, viewPosition = 0, viewExtra = 0, extra = 0;
    if (file->GetBookmarkRange(mark, &start, &end, &viewPosition, &viewExtra, &extra) == RecordResult::kOk &&
        viewExtra >= least)
      return mark;
  }
  return kNoMark;
}

// The last mark of the walk from `from` (starts below `to`); kNoMark when none.
uint32_t LastMarkIn(BookParameterFile* file, uint32_t from, uint32_t to) {
  MarkIterator iterator;
  uint32_t last = kNoMark;
  for (uint32_t mark = file->FirstBookmark(from, to, &iterator); mark != kNoMark; mark = file->NextBookmark(&iterator))
    last = mark;
  return last;
}

}  // namespace

bool DocumentView::NextBookmark() {
  if (sideFile_ == nullptr || layout_ == nullptr) return false;
  const uint32_t from = layout_->GetPagePosition(2);
  uint32_t mark = FirstMarkFrom(sideFile_, from, kNoMark, from);
  // Past the last mark the walk starts again at the first.
  if (mark == kNoMark) mark = FirstMarkFrom(sideFile_, 0, kNoMark, 0);
  return mark != kNoMark && GoToBookmark(nullptr, mark, true);
}

bool DocumentView::PreviousBookmark() {
  if (sideFile_ == nullptr || layout_ == nullptr) return false;
  uint32_t mark = LastMarkIn(sideFile_, 0, layout_->GetCurrentPosition());
  // Before the first mark the walk starts again at the last.
  if (mark == kNoMark) mark = LastMarkIn(sideFile_, 0, kNoMark);
  return mark != kNoMark && GoToBookmark(nullptr, mark, true);
}

// The side file of another book, counted: the copy the loader holds open
// (a second copy would lose the changes of whichever saved first), else the
// file opened for reading. Null when the book has none.
static BookParameterFile* OpenOtherSideFile(DocumentLoader* loader, const Location& location) {
  SharedWideString path;
  if (loader != nullptr && location.url.GetText(&path, false)) {
    if (BookParameterFile* open = loader->FindSideFile(path)) return open;
  }
  EncodedString encoded;
  location.url.GetPathEncoded(&encoded);
  if (!encoded.IsOk()) return nullptr;
  BookParameterFile* file = new (std::nothrow) BookParameterFile();
  if (file != nullptr && file->OpenReadOnly(encoded) != RecordResult::kOk) {
    file->Release();
    file = nullptr;
  }
  return file;
}

bool DocumentView::GoToBookmark(const SharedWideString* bookPath, uint32_t mark, bool record) {
  HistoryEntry entry;
  BookParameterFile* file = nullptr;  // counted until the mark is read
  if (bookPath != nullptr && !bookPath->IsEmpty()) {
    if (!Location::Parse(&entry.location, *bookPath, nullptr)) return false;
    file = OpenOtherSideFile(loader_, entry.location);
  } else {
    file = sideFile_;
    if (file != nullptr) file->AddRef();
    entry.location = location_;
  }
  if (file == nullptr) return false;
  uint32_t start = 0, end = 0, viewPosition = 0, viewExtra = 0, extra = 0;
  const bool found =
      file->GetBookmarkRange(mark, &start, &end, &viewPosition, &viewExtra, &extra) == RecordResult::kOk;
  const uint32_t kind = found ? file->GetBookmarkKind(mark) : 0;
  bool copied = found;
  if (found) {
    entry.elementPosition = static_cast<int32_t>(viewPosition);
    entry.value = static_cast<int32_t>(viewExtra);
    if ((kind & kAudioMarkBit) != 0) SetAudioFragment(&entry.location.fragment);
    uint32_t length = 0;
    const uint8_t* state = file->GetBookmarkViewState(mark, &length);
    copied = state == nullptr || length % 4 != 0 || entry.state.WriteBytes(state, length);
  }
  file->Release();
  if (!copied) return false;
  if (record) RecordHistory(nullptr);
  if (!RestoreHistoryEntry(&entry, true)) return false;
  if (kind == kDrawingKind) {
    OpenMark(mark, nullptr);
  } else if ((kind & kAudioMarkBit) != 0) {
    if (controller_ != nullptr) controller_->ResumeAudio();
  } else {
    ShowRange(ViewTextRange{start, end});
  }
  return true;
}

bool DocumentView::DeleteBookmark(uint32_t mark) {
  if (sideFile_ == nullptr) return false;
  // A mark that does not exist is not "deleted": nobody is told and
  // nothing is repainted.
  uint32_t start = 0, end = 0, viewPosition = 0, viewExtra = 0, extra = 0;
  if (sideFile_->GetBookmarkRange(mark, &start, &end, &viewPosition, &viewExtra, &extra) != RecordResult::kOk)
    return false;
  sideFile_->DeleteMark(mark);
  if (layout_ != nullptr) layout_->ClearLinkAreas();
  Invalidate(false);
  return true;
}

bool DocumentView::OpenMark(uint32_t mark, int32_t* popupWord) {
  if (sideFile_ == nullptr) return false;
  const uint32_t kind = sideFile_->GetBookmarkKind(mark);
  if (kind == 2 || kind == 16 || kind == 32) {
    const uint32_t target = sideFile_->GetBookmarkTarget(mark);
    if (target == kNoMark) {
      // A note without a target shows its pop-up; nothing was navigated.
      if (controller_ != nullptr) controller_->ShowNotePopup(mark, popupWord);
      return false;
    }
    uint32_t excerptLength = 0;
    const bool hasExcerpt = sideFile_->GetBookmarkExcerpt(mark, &excerptLength) != nullptr;
    EncodedString title;
    // Without a title of its own (the excerpt stands in for one), the
    // target lies in this book.
    if (hasExcerpt || sideFile_->GetBookmarkTitle(mark, &title) != RecordResult::kOk)
      return GoToBookmark(nullptr, target, true);
    SharedWideString address;
    HistoryEntry entry;
    if (!address.AssignEncodedString(title) || !Location::Parse(&entry.location, address, nullptr)) return false;
    uint32_t start = 0, end = 0, viewPosition = 0, viewExtra = 0, extra = 0;
    if (sideFile_->GetBookmarkRange(target, &start, &end, &viewPosition, &viewExtra, &extra) != RecordResult::kOk)
      return false;
    entry.elementPosition = static_cast<int32_t>(viewPosition);
    entry.value = static_cast<int32_t>(viewExtra);
    uint32_t length = 0;
    const uint8_t* state = sideFile_->GetBookmarkViewState(target, &length);
    if (state != nullptr && length % 4 == 0 && !entry.state.WriteBytes(state, length)) return false;
    RecordHistory(nullptr);
    return RestoreHistoryEntry(&entry, false);
  }
  if (kind == kDrawingKind && sketchEditor_ != nullptr) {
    CancelSelection();
    return sketchEditor_->SelectMark(mark);
  }
  return false;
}
