// Links the user makes between two places: "Add link" takes the selection
// (or an existing mark) as the source, "Set link target" captures the
// target, and completing the request writes a target record and the link
// mark into the source book's side file. A link to another book carries
// that book's database name, percent-encoded, so that any name finds its
// book again. A failed completion writes nothing and keeps the request.
#include <new>

#include "browser/loader/document_loader.h"
#include "browser/view/document_view.h"
#include "foundation/addresses/url.h"
#include "layout/pages/layout_context.h"
#include "storage/side_file/book_parameter_file.h"

namespace {

constexpr uint32_t kNoMark = 0xFFFFFFFFu;
constexpr uint32_t kKindLink = 32;
constexpr uint32_t kKindLinkTarget = 0x4000;

bool BookPath(const Location& location, SharedWideString* path) { return location.url.GetText(path, false); }

bool SameBook(const Location& a, const Location& b) {
  SharedWideString first, second;
  if (!BookPath(a, &first) || !BookPath(b, &second) || first.length != second.length) return false;
  for (uint32_t i = 0; i < first.length; ++i) {
    if (first.Chars()[i] != second.Chars()[i]) return false;
  }
  return true;
}

}  // namespace

bool DocumentView::BeginSelectionRequest() {
  ViewTextRange range;
  SharedWideString text;
  uint32_t first = 0, second = 0;
  Rect rect;
  if (!GetSelection(&range, &text, &first, &second, &rect)) return false;
  if (!CaptureState(&linkSource_, false)) return false;
  linkSourceRange_ = range;
  linkSourceText_ = text;
  linkSourceMark_ = -1;
  linkState_ = kLinkFromSelection;
  return true;
}

bool DocumentView::BeginLinkFromMark(uint32_t mark) {
  if (source_.Get() == nullptr) return false;
  linkSource_.Reset();
  linkSource_.location = location_;
  linkSourceMark_ = static_cast<int32_t>(mark);
  linkState_ = kLinkFromMark;
  return true;
}

bool DocumentView::SaveSelectionState() {
  if (source_.Get() == nullptr) return false;
  HistoryEntry target;
  if (!CaptureState(&target, false)) return false;
  SharedWideString title;
  Document* document = source_->GetDocument();
  if (document == nullptr || !document->GetTitle(&title)) title = SharedWideString();
  linkTarget_.TakeFrom(target);
  linkTargetTitle_ = title;
  linkTargetPending_ = 1;
  return true;
}

namespace {

// The shown book's database name (code page 1252, up to its first NUL) as
// UTF-16, percent-encoded with the strict set, after the redirect prefix.
bool MakeRedirectTitle(Document* document, SharedWideString* title) {
  if (document == nullptr) return false;
  uint32_t length = 0;
  const uint8_t* bytes = document->GetStoreNameBytes(&length);
  if (bytes == nullptr) return false;
  uint32_t used = 0;
  while (used < length && bytes[used] != 0) ++used;
  if (used == 0) return false;
  EncodedString narrow;
  SharedWideString name;
  if (!narrow.AssignBytes(bytes, used, 1252) || !name.AssignEncodedString(narrow) || !PercentEncodeStrict(&name)) {
    return false;
  }
  *title = SharedWideString(reinterpret_cast<const WCHAR*>(u"oeb:redirect?title="));
  return title->Append(name);
}

}  // namespace

bool DocumentView::CompleteSelectionRequest(bool returnToSource, int32_t* resultMark) {
  if (resultMark != nullptr) *resultMark = -1;
  if (linkState_ == kLinkNone || linkTargetPending_ == 0) return false;

  // The source book's side file: the view's own, the one the loader holds
  // open for that book, or the file itself.
  BookParameterFile* file = nullptr;
  if (SameBook(linkSource_.location, location_)) {
    file = sideFile_;
    if (file != nullptr) file->AddRef();
  } else {
    SharedWideString path;
    if (loader_ != nullptr && BookPath(linkSource_.location, &path)) file = loader_->FindSideFile(path);
    if (file == nullptr) {
      EncodedString encoded;
      linkSource_.location.url.GetPathEncoded(&encoded);
      file = encoded.IsOk() ? new (std::nothrow) BookParameterFile() : nullptr;
      if (file != nullptr && file->Open(encoded, false) != RecordResult::kOk) {
        file->Release();
        file = nullptr;
      }
    }
  }
  if (file == nullptr) return false;

  bool ok = true;
  const uint32_t target = file->AddBookmark(0, 0, static_cast<uint32_t>(linkTarget_.elementPosition),
                                            static_cast<uint32_t>(linkTarget_.value), 0, kKindLinkTarget);
  ok = target != kNoMark && file->SetBookmarkViewState(target, linkTarget_.state) == RecordResult::kOk;

  SharedWideString linkTitle;
  if (ok && !SameBook(linkTarget_.location, linkSource_.location)) {
    // The target is the book shown now, where "Set link target" was chosen.
    ok = SameBook(linkTarget_.location, location_) && source_.Get() != nullptr &&
         MakeRedirectTitle(source_->GetDocument(), &linkTitle);
  }
  static const WCHAR kLineEnd[2] = {u'\r', u'\n'};
  uint32_t mark = kNoMark;
  if (ok && linkState_ == kLinkFromMark) {
    mark = static_cast<uint32_t>(linkSourceMark_);
    SharedWideString note;
    ok = file->GetBookmarkKind(mark) != 0;
    // The note is copied at once: the next read of the file reuses its buffer.
    uint32_t count = 0;
    const WCHAR* old = ok ? file->GetBookmarkNote(mark, &count) : nullptr;
    if (old != nullptr) ok = note.AppendChars(old, count);
    ok = ok && note.AppendChars(kLineEnd, 2) && note.Append(linkTargetTitle_);
    ok = ok && file->SetBookmarkNote(mark, note.Chars(), note.length) == RecordResult::kOk;
    ok = ok && file->SetBookmarkTarget(mark, target) == RecordResult::kOk;
    if (ok && linkTitle.length != 0) {
      ok = file->SetBookmarkTitle(mark, linkTitle.Chars(), linkTitle.length) == RecordResult::kOk;
    }
    // A changed note or target of the existing mark is not taken back; its
    // target is reset so that it never points at the deleted record.
    if (!ok) file->SetBookmarkTarget(mark, kNoMark);
  } else if (ok) {
    mark = file->AddBookmark(linkSourceRange_.start, linkSourceRange_.end,
                             static_cast<uint32_t>(linkSource_.elementPosition),
                             static_cast<uint32_t>(linkSource_.value), kKindLink, kKindLink);
    ok = mark != kNoMark;
    if (ok && linkTargetTitle_.length != 0) {
      ok = file->SetBookmarkNote(mark, linkTargetTitle_.Chars(), linkTargetTitle_.length) == RecordResult::kOk;
    }
    ok = ok && file->SetBookmarkViewState(mark, linkSource_.state) == RecordResult::kOk;
    if (ok && linkSourceText_.length != 0) {
      ok = file->SetBookmarkText(mark, linkSourceText_.Chars(), linkSourceText_.length) == RecordResult::kOk;
    }
    ok = ok && file->SetBookmarkTarget(mark, target) == RecordResult::kOk;
    if (ok && linkTitle.length != 0) {
      ok = file->SetBookmarkTitle(mark, linkTitle.Chars(), linkTitle.length) == RecordResult::kOk;
    }
    if (!ok && mark != kNoMark) {
      file->SetBookmarkTarget(mark, kNoMark);  // the target record goes on its own below
      file->DeleteBookmark(mark);
      mark = kNoMark;
    }
  }
  if (!ok) {
    if (target != kNoMark) file->DeleteBookmark(target);
    file->Release();
    return false;
  }

  if (resultMark != nullptr) *resultMark = static_cast<int32_t>(mark);
  linkTarget_.Reset();
  linkTargetTitle_ = SharedWideString();
  linkTargetPending_ = 0;
  OnMarkChanged(mark, false);
  file->Release();
  if (returnToSource) {
    if (layout_ != nullptr) layout_->ClearLinkAreas();
    RestoreHistoryEntry(&linkSource_, true);
    linkSource_.Reset();
    linkSourceText_ = SharedWideString();
    linkSourceMark_ = -1;
    linkState_ = kLinkNone;
  }
  return true;
}
