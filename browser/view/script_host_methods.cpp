// The method table of the script host, rows of "document", "bookmarks" and
// "window": each row checks its arguments and calls the view's own
// operation or the application's service. A row whose arguments do not
// match does nothing and answers 0, without a message.
#include "browser/addresses/location.h"
#include "browser/host/view_application.h"
#include "browser/view/script_host_calls.h"
#include "foundation/encoded_string/encoded_string.h"
#include "index/records/record_source.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

// Commands the application runs for rows of the table.
constexpr int32_t kCommandGoToPage = 20;
constexpr int32_t kCommandSearch = 4;
constexpr int32_t kCommandAddBookmark = 16;
constexpr int32_t kCommandBrowse = 25;
constexpr int32_t kCommandScroll = 79;
// Tip modes below this one exist; mode 2 centres the tip.
constexpr uint32_t kTipModes = 3;
constexpr int32_t kTipCentred = 2;
constexpr uint32_t kFlashMilliseconds = 1000;

const char16_t kBookmarksAddress[] = u"oeb:bookmarks";
const char16_t kWordListAddress[] = u"oeb:database?name=corvelline_wordlist";
const char16_t kSearchHistoryAddress[] = u"oeb:database?name=corvelline_history";

SharedWideString Text16(const char16_t* text) { return SharedWideString(reinterpret_cast<const WCHAR*>(text)); }

int32_t Command(DocumentView* view, int32_t command) {
  ViewApplication* application = ScriptHostCalls::Application(view);
  if (application == nullptr) return 0;
  application->ExecuteCommand(command, 0);
  return 1;
}

// A text argument the row needs, or null.
const SharedWideString* OnlyText(const ScriptRequest& request) {
  return request.Count() == 1 ? request.GetText(0) : nullptr;
}

int32_t OpenWithRequest(DocumentView* view, const char16_t* address, const ScriptRequest& request) {
  Location location;
  if (!Location::Parse(&location, Text16(address), nullptr)) return 0;
  return view->OpenLocationWithRequest(&location, request) ? 1 : 0;
}

// window.open with two texts or more: the target window's place is given by
// four signed numbers (top, left, width, height) after the target.
int32_t OpenInTarget(DocumentView* view, const ScriptRequest& request) {
  Rect rect;
  int32_t top = 0, left = 0, width = 0, height = 0;
  if (request.Count() >= 6 && request.GetSigned(2, &top) && request.GetSigned(3, &left) &&
      request.GetSigned(4, &width) && request.GetSigned(5, &height)) {
    rect = Rect{left, top, width, height};
  }
  return view->OpenUrlInTarget(*request.GetText(0), *request.GetText(1), rect) ? 1 : 0;
}

// window.current_index_entry: a record set over the record source of the
// named table at the page shown; undefined when there is none.
int32_t CurrentIndexEntry(DocumentView* view, const ScriptRequest& request, ScriptValueStore* store,
                          ScriptValueHandle* result) {
  if (request.Count() > 0 && request.GetText(0) == nullptr) return 0;
  const SharedWideString name = request.Count() > 0 ? *request.GetText(0) : SharedWideString();
  RecordSource* source = view->OpenRecordSource(name, 0);
  if (source == nullptr) return 0;
  int32_t made = 1;
  if (store != nullptr && result != nullptr) made = source->CreateRecordSet(RecordPosition::Of(0), store, result);
  source->Release();
  return made == 0 ? 1 : 0;
}

}  // namespace

int32_t ScriptHostCalls::DocumentRow(DocumentView* view, const ScriptRequest& request) {
  const uint32_t count = request.Count();
  uint32_t n = 0;
  int32_t step = 0;
  switch (request.methodAtom) {
    case kAtom_close:
      return count == 0 ? view->CloseDocument() : 0;
    case kAtom_goto_page:
      if (count == 0) return Command(view, kCommandGoToPage);
      return count == 1 && request.GetNumber(0, &n) && n <= INT32_MAX ? view->GoToPage(static_cast<int32_t>(n)) : 0;
    case kAtom_goto_page_relative:
      // Only the direction counts: one page back or forward.
      return count == 1 && request.GetSigned(0, &step) ? view->GoToPageRelative(step < 1 ? -2 : 2, 1, 255) : 0;
    case kAtom_goto_first_page:
      return count == 0 ? view->GoToFirstPage() : 0;
    case kAtom_goto_last_page:
      return count == 0 ? view->GoToLastPage() : 0;
    case kAtom_goto_toc:
      return count == 0 ? view->GoToToc() : 0;
    case kAtom_goto_guide:
      return count == 1 && request.GetNumber(0, &n) ? view->GoToGuide(n) : 0;
    case kAtom_search:
      return Command(view, kCommandSearch);
    case kAtom_goto_random_entry:
      if (count == 0) return view->GoToRandomEntry(nullptr);
      return count == 1 ? view->GoToRandomEntry(&request.arguments[0].text) : 0;
    default:
      return 0;
  }
}

int32_t ScriptHostCalls::BookmarksRow(DocumentView* view, const ScriptRequest& request) {
  const uint32_t count = request.Count();
  uint32_t n = 0;
  switch (request.methodAtom) {
    case kAtom_add:
      if (count == 0) return Command(view, kCommandAddBookmark);
      return count == 1 ? view->AddBookmark(request.arguments[0].text) : 0;
    case kAtom_display_list:
      return count == 0 ? view->OpenUrl(Text16(kBookmarksAddress), true) : 0;
    case kAtom_previous:
      return count == 0 ? view->PreviousBookmark() : 0;
    case kAtom_next:
      return count == 0 ? view->NextBookmark() : 0;
    case kAtom_goto:
      return count == 2 && request.GetNumber(1, &n) ? view->GoToBookmark(&request.arguments[0].text, n, true) : 0;
    case kAtom_edit:
      if (!request.GetNumber(0, &n)) return 0;
      if (Application(view) != nullptr) Application(view)->EditAnnotation(n);
      return 1;
    case kAtom_remove:
      if (!request.GetNumber(0, &n)) return 0;
      view->DeleteBookmark(n);  // a mark that is not there changes nothing
      return 1;
    case kBookmarksOpenMarkCode: {
      int32_t word = 0;
      return request.GetNumber(0, &n) ? view->OpenMark(n, &word) : 0;
    }
    default:
      return 0;
  }
}

int32_t ScriptHostCalls::WindowRow(DocumentView* view, const ScriptRequest& request, ScriptValueStore* store,
                                   ScriptValueHandle* result) {
  ViewApplication* application = Application(view);
  const uint32_t count = request.Count();
  const SharedWideString* first = request.GetText(0);
  const Point point = EventPoint(view);
  int32_t a = 0, b = 0;
  uint32_t n = 0;
  switch (request.methodAtom) {
    case kAtom_open:
      if (count == 1 && first != nullptr) return view->OpenUrl(*first, false);
      return count >= 2 && first != nullptr && request.GetText(1) != nullptr ? OpenInTarget(view, request) : 0;
    case kAtom_close:
      if (count != 0) return 0;
      view->CloseWindow();
      return 1;
    case kAtom_increase_font:
    case kAtom_decrease_font:
      return count == 0 ? view->ChangeTextSize(request.methodAtom == kAtom_increase_font ? 1 : -1) : 0;
    case kAtom_browse:
      return Command(view, kCommandBrowse);
    case kAtom_display_tip:
      if (count != 2 || first == nullptr || !request.GetNumber(1, &n) || n >= kTipModes || application == nullptr) {
        return 0;
      }
      application->ShowTextPopup(*first, static_cast<int32_t>(n), point);
      return 1;
    case kAtom_play_music:
    case kAtom_play_music_ex:
      if (OnlyText(request) == nullptr || application == nullptr) return 0;
      return application->PlayMusic(*first, request.methodAtom == kAtom_play_music_ex);
    case kAtom_start_recorder:
      return application != nullptr ? application->StartVoiceRecorder() : 0;
    case kAtom_index_search:
    case kAtom_filtered_index_search:
    case kAtom_cond_index_search:
    case kAtom_sql_search:
    case kAtom_sql_bullet_search:
    case kAtom_ideogram_search:
      return view->ReloadWithRequest(request);
    case kAtom_move_table:
      if (count == 2 && request.GetSigned(0, &a) && request.GetSigned(1, &b)) {
        return view->SelectTableAt(a, Point{b, 0});
      }
      return view->ScrollTable(request.GetSigned(0, &a) ? a : -1);
    case kAtom_display_bookmark_tip:
      if (count != 1 || !request.GetSigned(0, &a)) return 0;
      if (application != nullptr) application->ShowAnnotationTip(a, point);
      return 1;
    case kAtom_dial:
      return OnlyText(request) != nullptr && application != nullptr ? application->Dial(*first) : 0;
    case kAtom_start_popup_viewer:
      if (first == nullptr || application == nullptr) return 0;
      if (count != 3 || !request.GetSigned(1, &a) || !request.GetSigned(2, &b)) a = b = 0;
      return application->StartPopupViewer(*first, a, b);
    case kAtom_start_external_app:
      if (first == nullptr) return 0;
      if (count == 2 && request.GetText(1) != nullptr) return view->StartExternalApp(*first, *request.GetText(1));
      return view->StartExternalApp(*first, SharedWideString());
    case kAtom_open_sync:
      return OnlyText(request) != nullptr ? view->OpenSync(*first) : 0;
    case kAtom_start_web_browser:
      return first != nullptr && application != nullptr ? application->OpenInSystemBrowser(*first) : 0;
    case kAtom_rearrange:
      if (count != 1 || !request.GetSigned(0, &a)) return 0;
      view->Rearrange(a != 0, true);
      return 1;
    case kAtom_alert:
      if (count != 1 || application == nullptr) return 0;
      application->ShowTextPopup(request.arguments[0].text, kTipCentred, point);
      return 1;
    case kAtom_scroll:
      return Command(view, kCommandScroll);
    case kAtom_current_index_entry:
      return CurrentIndexEntry(view, request, store, result);
    case kAtom_display_wordlist:
    case kAtom_add_to_wordlist:
    case kAtom_add_entry_to_wordlist:
      return OpenWithRequest(view, kWordListAddress, request);
    case kAtom_flash_message:
      if (count != 1 || application == nullptr) return 0;
      application->ShowTimedMessage(request.arguments[0].text, kFlashMilliseconds);
      return 1;
    case kAtom_display_search_history:
      return OpenWithRequest(view, kSearchHistoryAddress, request);
    case kAtom_debug_alert: {
      // Converted as the device's debugger would take it; nothing is shown.
      if (count == 0) return 0;
      EncodedString text;
      request.arguments[0].text.ToEncodedString(&text);
      return 0;
    }
    default:
      return 0;
  }
}
