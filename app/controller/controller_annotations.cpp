// ApplicationController: annotations of the selection (highlight, note,
// modify, their editing), bookmarks of the current page and the pending
// link request, over the view's side-file marks.
#include "app/controller/application_controller.h"
#include "app/environment/whole_text.h"
#include "app/preferences/preferences.h"
#include "foundation/system/platform_detection.h"

namespace {

constexpr uint32_t kBookmark = 1;
constexpr uint32_t kNote = 2;
constexpr uint32_t kHighlight = 4;
constexpr uint32_t kModify = 16;
constexpr uint32_t kEditableKinds = 0x36;  // note, highlight, modify, link
constexpr int32_t kNoteSpanWithoutSelection = 50;
constexpr uint32_t kLinkNotification = 53;

// The mark's colour as the side file keeps it: blue, green and red in the
// top three bytes and the kind's tag in the low byte.
uint32_t ColourWordOf(Color colour, uint32_t tag) {
  uint8_t r = 0, g = 0, b = 0;
  colour.ToRgb(&r, &g, &b);
  return (static_cast<uint32_t>(b) << 24) | (static_cast<uint32_t>(g) << 16) | (static_cast<uint32_t>(r) << 8) | tag;
}

}  // namespace

uint32_t ApplicationController::AnnotationColourWord(uint32_t kind) const {
  switch (kind) {
    case kHighlight:
      return preferences_ != nullptr ? ColourWordOf(preferences_->GetHighlightColor(), 15) : 15;
    case kModify:
      return preferences_ != nullptr ? ColourWordOf(preferences_->GetModifyColor(), 0x6F) : 0x6F;
    case kNote:
      return 32;
    default:
      return 0;
  }
}

bool ApplicationController::AnnotateSelection(uint32_t kind) {
  if (view_ == nullptr) return false;
  TextRange range;
  SharedWideString selected;
  if (!view_->GetSelectionRange(&range, &selected) || range.end <= range.start) {
    // Only a note may be made without a selection: it covers the start of
    // the current page.
    TextRange page;
    if (kind != kNote || !view_->GetPageRange(&page)) return false;
    range.start = page.start;
    range.end = page.start + kNoteSpanWithoutSelection;
  }
  SharedWideString text;
  const int32_t existing = view_->FindMarkOfKind(range, kind);
  if (existing >= 0) {
    uint32_t existingKind = 0;
    SharedWideString marked;
    view_->GetMark(existing, &existingKind, &marked, &text);
  }
  if (kind == kModify && text.IsEmpty()) text.Assign(selected);
  if (kind != kHighlight && !AskText(kind, &text, -1)) return false;
  return StoreAnnotation(kind, range, text, -1);
}

bool ApplicationController::StoreAnnotation(uint32_t kind, const TextRange& range, const SharedWideString& text,
                                            int32_t index) {
  if (view_ == nullptr) return false;
  if (index < 0) {
    if (text.IsEmpty() && kind != kHighlight) {
      view_->DeleteMarksInRange(kind, range);
      return true;
    }
    return view_->AddMark(range, kind, AnnotationColourWord(kind), text);
  }
  if (text.IsEmpty()) {
    const bool deleted = view_->DeleteMark(index);
    view_->CancelSelection();
    return deleted;
  }
  uint32_t existingKind = 0;
  SharedWideString marked;
  SharedWideString note;
  if (!view_->GetMark(index, &existingKind, &marked, &note)) return false;
  if (note.CompareTo(text) == 0) return true;
  return view_->SetMarkNote(index, text);
}

bool ApplicationController::EditAnnotationAtSelection(uint32_t kind) {
  if (view_ == nullptr) return false;
  TextRange range;
  SharedWideString selected;
  int32_t index = -1;
  if (view_->GetSelectionRange(&range, &selected)) index = view_->FindMarkOfKind(range, kind & kEditableKinds);
  if (index < 0 && view_->GetPageRange(&range)) index = view_->FindMarkOfKind(range, kind & kEditableKinds);
  return index >= 0 && EditAnnotation(index);
}

bool ApplicationController::EditAnnotation(int32_t index) {
  if (view_ == nullptr) return false;
  uint32_t kind = 0;
  SharedWideString marked;
  SharedWideString note;
  if (!view_->GetMark(index, &kind, &marked, &note)) return false;
  if (!AskText(kind, &note, index)) return false;
  return StoreAnnotation(kind, TextRange{}, note, index);
}

void ApplicationController::DeleteHighlightInSelection() {
  if (view_ == nullptr) return;
  TextRange range;
  SharedWideString selected;
  if (view_->GetSelectionRange(&range, &selected)) view_->DeleteMarksInRange(kHighlight, range);
  view_->CancelSelection();
}

void ApplicationController::ToggleBookmark() {
  if (view_ == nullptr) return;
  TextRange page;
  if (!view_->GetPageRange(&page)) return;
  const int32_t existing = view_->FindMarkOfKind(page, kBookmark);
  if (existing >= 0) {
    view_->DeleteMark(existing);
    return;
  }
  // The bookmark's text: the selection, else the word at it, else the
  // document's title.
  SharedWideString text;
  TextRange selectedRange;
  if (!view_->GetSelectionRange(&selectedRange, &text) || text.IsEmpty()) view_->GetLookupWord(&text);
  if (text.IsEmpty()) {
    EncodedString title;
    EncodedString wide;
    if (view_->GetDocumentTitle(&title) && CopyWholeTextAsUtf16(title, &wide) && !wide.IsEmpty()) {
      text.FromChars(wide.Chars(), wide.ByteLength() / 2);
    }
  }
  view_->AddMark(page, kBookmark, 0, text);
}

void ApplicationController::AddLink() {
  if (view_ == nullptr || !view_->BeginLinkRequest()) return;
  // The hint goes to the shell's notification; where there is none it
  // would go to a tip pop-up at the selection (recorded until it exists).
  if (!ShowInformNotification(kLinkNotification, 5149, 5091)) ++linkHintTips_;
}

void ApplicationController::SetLinkTarget() {
  if (view_ == nullptr) return;
  if (view_->CompleteLinkRequest()) RemoveNotification(kLinkNotification);
}
