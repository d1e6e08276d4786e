// A window's reading view over the browser window's document view.
#include "app/frame/document_frame_view.h"

#include "app/controller/application_controller.h"
#include "app/preferences/preferences.h"
#include "app/window/key_records.h"
#include "foundation/addresses/url.h"
#include "layout/elements/command_event.h"
#include "platform/gdi/gdi.h"
#include "platform/windows/messages.h"
#include "storage/side_file/book_parameter_file.h"
#include "storage/sources/document_source.h"

namespace {

// The element context of the reading text control in the key records.
constexpr uint32_t kReadingTextContext = 2;
constexpr uint32_t kBookmarkKind = 1;
constexpr uint32_t kHighlightKind = 4;

SharedWideString WideOf(const EncodedString& text) {
  SharedWideString wide;
  if (!wide.AssignEncodedString(text)) wide.Clear();
  return wide;
}

ViewTextRange ViewRange(const TextRange& range) {
  return ViewTextRange{static_cast<uint32_t>(range.start), static_cast<uint32_t>(range.end)};
}

// A device path ("\eBooks\a#b.corv"), as opposed to an address with a
// scheme ("oeb:library").
bool IsDevicePath(const SharedWideString& text) { return text.length > 0 && text.Chars()[0] == u'\\'; }

}  // namespace

void DocumentFrameView::AttachWindow(HWND window) {
  surface_.SetWindow(window);
  Size client;
  surface_.GetClientSize(&client, true);
  display_.Attach(&surface_, controller_->displayHost(), client.width, client.height, false);
  surface_.FocusChild(&view_);
}

void DocumentFrameView::ElementCommand(uint32_t command) { view_.ExecuteCommand(static_cast<int32_t>(command), 0); }

void DocumentFrameView::DisplayCommand(uint32_t command) { display_.HandleCommand(static_cast<int32_t>(command)); }

void DocumentFrameView::KeyCommand(const UiCommand& command) {
  // The reading text control reads its own column of the key record: its
  // code, the command of code 26 and the typed character.
  CommandEvent event;
  event.message = WM_KEYDOWN;
  event.wParam = command.character;
  event.lParam = static_cast<LPARAM>(CommandForContext(command, kReadingTextContext));
  event.command = static_cast<int32_t>(CodeForContext(command, kReadingTextContext));
  surface_.HandleCommand(event);
}

void DocumentFrameView::StylusEvent(uint32_t message, POINT point, bool leftDown) {
  const Point at{point.x, point.y};
  switch (message) {
    case WM_LBUTTONDOWN:
      surface_.SendPointerDown(at);
      break;
    case WM_LBUTTONUP:
      surface_.SendPointerUp(at);
      break;
    case WM_MOUSEMOVE:
      surface_.SendPointerMove(leftDown ? 1 : 0, at);
      break;
    default:
      break;
  }
}

bool DocumentFrameView::DisplayTimer(uintptr_t id) {
  if (id != DisplayManager::kTimerId) return false;
  display_.OnTimer();
  return true;
}

void DocumentFrameView::Paint(HDC dc, const RECT& area) {
  // The page paints over the background; without a page the background
  // shows alone.
  const uint32_t colour = preferences_ != nullptr ? preferences_->GetBackgroundColor().value : 0xFFFFFF;
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
  Rect rect;
  DrawingSurface::RectFromEdges(&rect, area);
  surface_.BeginBackBuffer(dc);
  surface_.Redraw(&rect);
  surface_.EndBackBuffer();
  display_.Redraw();
}

void DocumentFrameView::Resize(int32_t width, int32_t height) {
  display_.Resize(width, height);
  Size page{width, height};
  if (display_.IsActive() && display_.IsOrientationActive()) page = display_.LogicalSize();
  Rect rest;
  view_.Arrange(&rest, Rect{0, 0, page.width, page.height});
}

bool DocumentFrameView::OpenAddress(const EncodedString& address, const NavigationRequestCode*) {
  // The request a page would run once loaded is the page elements'
  // business: the address opens without it.
  const SharedWideString text = WideOf(address);
  if (text.IsEmpty()) return false;
  bool opened = false;
  if (IsDevicePath(text)) {
    // A path names a file: "$" and "#" in it are part of its name.
    Location location;
    opened = location.url.FromFilePath(text) && view_.OpenLocation(&location);
  } else {
    opened = view_.OpenUrl(text, true);
  }
  // A book shown: the window's title and bars follow it (the library and
  // annotation pages set their own).
  if (opened && !IsInternalPage() && controller_ != nullptr) controller_->UpdateWindowTitle();
  return opened;
}

bool DocumentFrameView::ReloadWithRequest(const NavigationRequestCode&) {
  ScriptRequest request;
  return view_.ReloadWithRequest(request);
}

bool DocumentFrameView::Start(bool doNotReopen, bool) {
  // A start that must not reopen the last book is the view's restart: the
  // caller opens what it names (or nothing, for a link target's window).
  const bool started = view_.Start(doNotReopen);
  return doNotReopen || started;
}

void DocumentFrameView::Reload(const EncodedString& path, bool force) { view_.Reload(WideOf(path), force); }

bool DocumentFrameView::HasDocument() const { return View().GetDocumentSource() != nullptr; }

bool DocumentFrameView::IsInternalPage() const {
  const Url& url = view_.GetLocation().url;
  return !HasDocument() || url.state == kUrlCommand || url.IsSpecialPage();
}

bool DocumentFrameView::GetDocumentTitle(EncodedString* out) const {
  DocumentSource* source = View().GetDocumentSource();
  SharedWideString title;
  if (source == nullptr || !source->GetTitle(&title) || title.IsEmpty()) return false;
  return title.ToEncodedString(out);
}

bool DocumentFrameView::GetDocumentPath(EncodedString* out) const {
  const Url& url = view_.GetLocation().url;
  if (!HasDocument() || !url.IsExternalOrPath()) return false;
  SharedWideString path;
  if (!url.GetBookPath(&path) && !url.GetText(&path, false)) return false;
  return !path.IsEmpty() && path.ToEncodedString(out);
}

bool DocumentFrameView::GetBaseAddress(SharedWideString* out) const {
  if (!HasDocument()) return false;
  Url base;
  return View().GetBaseUrl(&base) && base.GetText(out, true) && !out->IsEmpty();
}

bool DocumentFrameView::GetSelectedText(SharedWideString* out) const {
  TextRange range;
  return GetSelectionRange(&range, out) && !out->IsEmpty();
}

bool DocumentFrameView::GetSelectionRange(TextRange* range, SharedWideString* text) const {
  ViewTextRange selected;
  uint32_t first = 0;
  uint32_t second = 0;
  Rect onScreen;
  SharedWideString scratch;
  if (!View().GetSelection(&selected, text != nullptr ? text : &scratch, &first, &second, &onScreen)) return false;
  range->start = static_cast<int32_t>(selected.start);
  range->end = static_cast<int32_t>(selected.end);
  return true;
}

bool DocumentFrameView::GetPageRange(TextRange* range) const {
  ViewTextRange page;
  if (!View().GetPageRange(&page)) return false;
  range->start = static_cast<int32_t>(page.start);
  range->end = static_cast<int32_t>(page.end);
  return true;
}

bool DocumentFrameView::CurrentPageHasBookmark() const {
  TextRange page;
  return GetPageRange(&page) && FindMarkOfKind(page, kBookmarkKind) >= 0;
}

bool DocumentFrameView::SelectionHasHighlight() const {
  TextRange selected;
  return GetSelectionRange(&selected, nullptr) && FindMarkOfKind(selected, kHighlightKind) >= 0;
}

bool DocumentFrameView::OffersCommand(uint32_t command) const {
  return View().IsCommandEnabled(static_cast<int32_t>(command));
}

bool DocumentFrameView::GetLookupWord(SharedWideString* word) const {
  View().GetLookupWord(word);
  return !word->IsEmpty();
}

int32_t DocumentFrameView::FindMarkOfKind(const TextRange& range, uint32_t kinds) const {
  return View().FindMarkOfKind(ViewRange(range), kinds);
}

bool DocumentFrameView::GetMark(int32_t index, uint32_t* kind, SharedWideString* markedText,
                                SharedWideString* note) const {
  BookParameterFile* sideFile = View().GetSideFile();
  if (sideFile == nullptr || index < 0) return false;
  const uint32_t mark = static_cast<uint32_t>(index);
  *kind = sideFile->GetBookmarkKind(mark);
  uint32_t count = 0;
  const WCHAR* text = sideFile->GetBookmarkText(mark, &count);
  if (text == nullptr || !markedText->FromChars(text, count)) markedText->Clear();
  count = 0;
  text = sideFile->GetBookmarkNote(mark, &count);
  if (text == nullptr || !note->FromChars(text, count)) note->Clear();
  return true;
}

bool DocumentFrameView::AddMark(const TextRange& range, uint32_t kind, uint32_t colour, const SharedWideString& note) {
  uint32_t mark = 0;
  return view_.AddMarkRecord(ViewRange(range), note.IsEmpty() ? nullptr : &note, nullptr, colour, kind, -1, nullptr,
                             &mark);
}

bool DocumentFrameView::DeleteMark(int32_t index) {
  if (index < 0 || view_.GetSideFile() == nullptr) return false;
  view_.DeleteMarkRecord(static_cast<uint32_t>(index));
  return true;
}

void DocumentFrameView::DeleteMarksInRange(uint32_t kinds, const TextRange& range) {
  view_.DeleteMarksInRange(kinds, ViewRange(range), -1);
}

bool DocumentFrameView::SetMarkNote(int32_t index, const SharedWideString& note) {
  BookParameterFile* sideFile = view_.GetSideFile();
  if (sideFile == nullptr || index < 0) return false;
  if (sideFile->SetBookmarkNote(static_cast<uint32_t>(index), note.Chars(), note.length) != RecordResult::kOk) {
    return false;
  }
  view_.RefreshMarks();
  return true;
}

bool DocumentFrameView::CompleteLinkRequest() {
  int32_t mark = -1;
  return view_.CompleteSelectionRequest(false, &mark);
}
