// Starting the view and opening its document again: the first start
// (drawing editor, orientation, the last book or the library), reopening
// the last book, reloading what is shown, and giving up a document whose
// storage card or books folder went away.
#include "browser/host/page_services.h"
#include "browser/host/view_application.h"
#include "browser/host/view_preferences.h"
#include "browser/loader/document_loader.h"
#include "browser/view/document_view.h"
#include "foundation/files/folders.h"
#include "foundation/system/platform_detection.h"
#include "storage/settings/global_settings_file.h"

namespace {

constexpr WCHAR kLibraryAddress[] = {'o', 'e', 'b', ':', 'l', 'i', 'b', 'r', 'a', 'r', 'y', 0};

// The application's orientation commands, by the preferences' setting.
int32_t OrientationCommand(int32_t setting) {
  switch (setting) {
    case 1:
      return 78;
    case 2:
      return 77;
    case 3:
      return 76;
    default:
      return 75;
  }
}

WCHAR LowerAscii(WCHAR c) { return c >= 'A' && c <= 'Z' ? static_cast<WCHAR>(c + 32) : c; }

bool IsSeparator(WCHAR c) { return c == '\\' || c == '/'; }

// The path covers the address: it is the address or one of its folders
// ("\Storage Card" covers "\Storage Card\b.prc", not "\Storage Card2\b.prc"),
// ASCII case ignored, as the loader compares its cached sources.
bool PathCovers(const SharedWideString& path, const SharedWideString& address) {
  if (path.IsEmpty() || address.length < path.length) return false;
  for (uint32_t i = 0; i < path.length; ++i) {
    if (LowerAscii(path.Chars()[i]) != LowerAscii(address.Chars()[i])) return false;
  }
  return address.length == path.length || IsSeparator(path.Chars()[path.length - 1]) ||
         IsSeparator(address.Chars()[path.length]);
}

// Whether the file of a document's address (the book of an address inside
// a book) is still there.
bool DocumentFileExists(const Url& url) {
  Url file = url;
  SharedWideString book;
  if (url.state == kUrlBookInnerPath && (!url.GetBookPath(&book) || !file.Parse(book, true))) return false;
  EncodedString path;
  file.GetPathEncoded(&path);
  return path.IsOk() && PathExists(path);
}

}  // namespace

bool DocumentView::Start(bool restarting) {
  if (sketchEditor_ == nullptr) {
    sketchEditor_ = MakeViewSketchEditor(environment_, surface_, this);
    if (sketchEditor_ == nullptr) return false;
  }
  // Where the platform cannot turn the display, the application turns its
  // own drawing as the user chose.
  if (!CanRotateScreen() && controller_ != nullptr && preferences_ != nullptr)
    controller_->ExecuteCommand(OrientationCommand(preferences_->GetOrientation()), 0);
  if (restarting) return true;
  // The open-view word still set: the previous run never closed its view,
  // and its last book may be what ended it.
  GlobalSettingsFile* settings = loader_ != nullptr ? loader_->GetSettingsFile() : nullptr;
  const bool unfinished = settings != nullptr && settings->IsOpen() && settings->GetFlag300();
  const bool forbidden = preferences_ != nullptr && preferences_->ForbidsReopen();
  LifetimeGuard alive(Anchor());
  if (!unfinished && !forbidden && ReopenLastBook()) return true;
  if (alive.IsWatching()) OpenUrl(SharedWideString(kLibraryAddress), true);
  return true;
}

bool DocumentView::ReopenLastBook() {
  if (preferences_ == nullptr || loader_ == nullptr) return false;
  // A copy: showing the book stores its address again.
  const SharedWideString last = preferences_->GetLastDocument();
  Location location;
  if (last.IsEmpty() || !Location::Parse(&location, last, nullptr)) return false;
  // Quietly: a book that went away is no error at start.
  DocumentLoader* loader = loader_;
  const DocumentLoader::Flags saved = loader->SetFlags(false, true);
  const bool opened = OpenLocation(&location);
  loader->RestoreFlags(saved);
  return opened;
}

bool DocumentView::ReloadCurrent() {
  if (source_.Get() == nullptr) return true;
  Location location = location_;
  CloseCurrentDocument();
  bool reported = false;
  DocumentSource* source = LoadLocation(&location, &reported);
  if (source == nullptr) {
    ReportLoadFailure(location, nullptr, reported, false);
    return false;
  }
  const bool shown = PerformNavigation(source, location.fragment, true);
  source->Release();
  return shown;
}

bool DocumentView::Reload(const SharedWideString& path, bool force) {
  bool closed = false;
  SharedWideString address;
  if (source_.Get() != nullptr && location_.url.IsExternalOrPath() && location_.url.GetText(&address, false)) {
    StripQuery(&address);
    // A book on a card that was taken out is no longer there.
    if (PathCovers(path, address) && (force || !DocumentFileExists(location_.url))) {
      CloseCurrentDocument();
      closed = true;
    }
  }
  const bool dropped = !path.IsEmpty() && loader_ != nullptr && loader_->NeedsReload(path, force);
  if (!closed && !dropped) return false;
  OpenUrl(SharedWideString(kLibraryAddress), true);
  return true;
}

bool DocumentView::ReloadWithRequest(const ScriptRequest& request) {
  if (source_.Get() == nullptr) return false;
  Location location;
  location.url = location_.url;
  return OpenLocationWithRequest(&location, request);
}
