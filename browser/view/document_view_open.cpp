// Opening addresses in the view: parsing, the pages the view builds itself,
// loading through the loader, showing the loaded source with its fragment
// or request, and the one message of a failed navigation.
#include "browser/host/view_application.h"
#include "browser/loader/document_loader.h"
#include "browser/view/document_view.h"
#include "layout/drawing/drawing_surface.h"
#include "storage/documents/document_host.h"
#include "storage/side_file/book_parameter_file.h"

namespace {

constexpr uint16_t kWindowObjectAtom = 25;
constexpr uint16_t kDisplayWordListAtom = 109;
constexpr uint16_t kDisplaySearchHistoryAtom = 115;

}  // namespace

bool DocumentView::OpenUrl(const SharedWideString& text, bool absolute) {
  Location location;
  if (absolute) {
    if (!Location::Parse(&location, text, nullptr)) return false;
  } else {
    Url base;
    if (!GetBaseUrl(&base) || !Location::Parse(&location, text, &base)) return false;
  }
  return OpenLocation(&location);
}

DocumentSource* DocumentView::LoadLocation(Location* location, bool* reported) {
  *reported = false;
  if (loader_ == nullptr) return nullptr;
  return loader_->Load(location, reported);
}

bool DocumentView::ShowSpecialPage(const Location& location, bool* messageShown) {
  if (messageShown != nullptr) *messageShown = false;
  if (controller_ == nullptr) return false;
  switch (location.url.commandKind) {
    case kCommandLibrary:
      controller_->ShowLibrary();
      return true;
    case kCommandBookmarks: {
      MarkIterator marks;
      if (sideFile_ != nullptr && sideFile_->FirstBookmark(0, 0xFFFFFFFFu, &marks) != 0xFFFFFFFFu) {
        controller_->ShowAnnotations();
        return true;
      }
      controller_->ShowMessage(kCaptionInformation, kStringNoAnnotation, kMessageInformation);
      if (messageShown != nullptr) *messageShown = true;
      return false;
    }
    default:
      return false;
  }
}

bool DocumentView::OpenLocation(Location* location) {
  const int32_t kind = location->url.commandKind;
  if (location->url.state == kUrlCommand && (kind == kCommandWordList || kind == kCommandSearchHistory)) {
    ScriptRequest request;
    request.objectAtom = kWindowObjectAtom;
    request.methodAtom = kind == kCommandWordList ? kDisplayWordListAtom : kDisplaySearchHistoryAtom;
    return OpenLocationWithRequest(location, request);
  }
  LifetimeGuard alive(Anchor());
  const int32_t recording = historyRecording_;
  if (historyRecording_ == kRecordNormally) historyRecording_ = kRecordOnce;
  bool added = false;
  RecordHistory(&added);
  bool shown = false;
  bool reported = false;
  if (location->url.IsSpecialPage()) {
    shown = ShowSpecialPage(*location, &reported);
    // The annotation page's own message stands for the failure; the view
    // stays where it was.
    if (!shown && reported) {
      if (alive.IsWatching()) historyRecording_ = recording;
      return false;
    }
  } else {
    if (location->url.IsInternal()) CloseCurrentDocument();
    DocumentSource* source = LoadLocation(location, &reported);
    if (source != nullptr && alive.IsWatching()) {
      shown = PerformNavigation(source, location->fragment, true);
    }
    if (source != nullptr) source->Release();
  }
  if (!alive.IsWatching()) return shown;
  historyRecording_ = recording;
  if (shown) return true;
  ReportLoadFailure(*location, nullptr, reported, added);
  return false;
}

bool DocumentView::OpenLocationWithRequest(Location* location, const ScriptRequest& request) {
  bool added = false;
  RecordHistory(&added);
  if (location->url.IsInternal()) CloseCurrentDocument();
  bool reported = false;
  DocumentSource* source = LoadLocation(location, &reported);
  bool shown = false;
  if (source != nullptr) {
    shown = PerformRequestNavigation(source, request, true);
    source->Release();
  }
  if (shown) return true;
  ReportLoadFailure(*location, &request, reported, added);
  return false;
}

bool DocumentView::PerformNavigation(DocumentSource* source, const SharedWideString& fragment, bool countOpen) {
  DrawPass pass(surface_);
  bool changed = false;
  if (!SwitchDocument(source, &changed, 0)) return false;
  SharedWideString shownFragment = fragment;
  if (countOpen && shownFragment.IsEmpty() && sideFile_ != nullptr && sideFile_->IsReadingPositionValid())
    SetAudioFragment(&shownFragment);
  bool repaint = false;
  if (!OpenFragment(shownFragment, changed, &repaint, false)) {
    CloseCurrentDocument();
    return false;
  }
  if (countOpen && sideFile_ != nullptr) sideFile_->SetWord76(sideFile_->GetWord76() + 1);
  HoldRepaint();
  FinishNavigation(countOpen, changed, repaint, true);
  if (countOpen && announcePending_ != 0) OnDocumentShown();
  ReleaseRepaint();
  return true;
}

bool DocumentView::PerformRequestNavigation(DocumentSource* source, const ScriptRequest& request, bool full) {
  DrawPass pass(surface_);
  bool changed = false;
  if (!SwitchDocument(source, &changed, 0)) return false;
  bool repaint = false;
  bool restore = true;
  if (!ExecuteRequest(request, changed, &repaint, &restore, false)) {
    CloseCurrentDocument();
    return false;
  }
  HoldRepaint();
  FinishNavigation(full, changed, repaint, restore);
  if (full && announcePending_ != 0) OnDocumentShown();
  ReleaseRepaint();
  return true;
}

bool DocumentView::ShowLoadedSource(DocumentSource* source, const SharedWideString& fragment) {
  DrawPass pass(surface_);
  bool changed = false;
  if (!SwitchDocument(source, &changed, embedding_ < 0 ? 0 : embedding_)) return false;
  bool repaint = false;
  if (!OpenFragment(fragment, changed, &repaint, false)) {
    CloseCurrentDocument();
    return false;
  }
  Invalidate(true);
  return true;
}

bool DocumentView::ReportLoadFailure(const Location& location, const ScriptRequest* request, bool messageShown,
                                     bool goBack) {
  if (!messageShown && controller_ != nullptr) {
    // The address as the user reads it: escapes turned back.
    SharedWideString arguments[2];
    if (Location::GetText(location, &arguments[0])) {
      SharedWideString decoded = arguments[0];
      if (decoded.UrlEscape(false, true)) arguments[0] = decoded;
    }
    if (request != nullptr) {
      static const WCHAR kOpen[] = {'('};
      static const WCHAR kClose[] = {')'};
      arguments[1].AppendChars(kOpen, 1);
      AppendRequestText(*request, &arguments[1]);
      arguments[1].AppendChars(kClose, 1);
    }
    controller_->ShowFormattedMessage(kNoCaption, kStringCouldNotOpen, kMessageError, arguments, 2);
  }
  if (goBack) return GoBack(false);
  return false;
}
