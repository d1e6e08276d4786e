// ApplicationController: construction, the font table, bars, the window
// title and full screen.
#include "app/controller/application_controller.h"

#include "app/environment/app_environment.h"
#include "app/environment/whole_text.h"
#include "app/preferences/preferences.h"
#include "foundation/system/late_bound_apis.h"
#include "foundation/system/platform_detection.h"
#include "platform/gdi/gdi.h"
#include "platform/threads/sync.h"
#include "platform/threads/threads.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/painting.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"

namespace {

constexpr DWORD kShowShellParts = 21;  // task bar, input-panel button, start icon shown
constexpr DWORD kHideShellParts = 42;  // the same hidden
constexpr DWORD kFullScreenPauseMs = 500;

}  // namespace

ApplicationController::ApplicationController(const AppEnvironment* environment)
    : environment_(environment), ownCatalogue_(environment) {
  anchor_.Init();
  ownCatalogue_.SetListener(this);
  EnsureCount(3);
  EncodedString name;
  name.FromWide(u"");
  At(0)->name.Assign(name);
  const int32_t platform = GetPlatformType();
  name.FromWide(platform == kPlatformPocketPc     ? u"Frutiger Linotype"
                : platform == kPlatformSmartphone ? u"Nino"
                                                  : u"Arial");
  At(1)->name.Assign(name);
  name.FromWide(u"Courrier New");  // spelled so on purpose: the platform maps it to its default
  At(2)->name.Assign(name);
  uiThread_ = GetCurrentThreadId();
}

ApplicationController::~ApplicationController() {
  // No callback of another thread may be inside PostCommand from here on:
  // the audio player (when one is attached) is closed by its owner first.
  timers_.Stop(this, &pendingTimer_);
  catalogue_->SetListener(nullptr);  // a catalogue of the window set outlives us
  anchor_.InvalidateGuards();
}

void ApplicationController::SetMainWindow(HWND window) {
  mainWindow_ = window;
  SetOwnerWindow(&timers_, window);
}

bool ApplicationController::GetEntry(uint8_t id, FontTableEntry* out) const {
  const Entry* entry = At(id);
  if (entry == nullptr || entry->name.IsEmpty()) return false;
  out->kind = static_cast<uint8_t>(entry->value);
  out->name = entry->name.Chars();
  out->nameLength = entry->name.ByteLength() / 2;
  return true;
}

bool ApplicationController::SetFontEntry(uint32_t index, uint32_t value, const EncodedString& name) {
  if (!EnsureCount(index + 1)) return false;
  Entry* entry = At(index);
  entry->value = value;
  CopyWholeTextAsUtf16(name, &entry->name);
  return !entry->name.IsEmpty();
}

void ApplicationController::CreateBars() {
  drawingBar_.Create(mainWindow_, false);
  drawingBar_.Show(false);
  closeMenuBar_.Create(mainWindow_, false);
  closeMenuBar_.Show(false);
  audioBar_.Create(mainWindow_, false);
  audioBar_.Show(false);
  readingBar_.Create(mainWindow_, true);
  readingBar_.Show(preferences_ == nullptr || preferences_->fullScreen == 0);
  annotationsPage_.Create(mainWindow_);
  libraryPage_.Create(mainWindow_);
}

void ApplicationController::HideBars() {
  readingBar_.Show(false);
  audioBar_.Show(false);
  closeMenuBar_.Show(false);
  drawingBar_.Show(false);
}

void ApplicationController::ShowLibraryTitle() {
  ShowInputPanel(false);
  HideBars();
  if (mainWindow_ != nullptr) SetWindowTextW(mainWindow_, u"Corvelline Reader");
}

void ApplicationController::ShowLibrary() {
  ShowInputPanel(false);
  annotationsPage_.Show(false);
  HideBars();
  EncodedString shown;
  const bool hadBook = view_ != nullptr && view_->HasDocument() && view_->GetDocumentPath(&shown);
  EncodedString path;
  if (hadBook) CopyWholeTextAsUtf16(shown, &path);
  // The page lists what the book folders hold now.
  catalogue_->RescanAllLocations();
  libraryPage_.Fill(catalogue_);
  if (viewArea_.right > viewArea_.left) libraryPage_.Layout(viewArea_);
  libraryPage_.Show(true);
  if (hadBook && !path.IsEmpty()) libraryPage_.SelectPath(path);
  ShowLibraryTitle();
}

void ApplicationController::SetCatalogue(BookFolderCatalogue* catalogue) {
  catalogue_->SetListener(nullptr);
  catalogue_ = catalogue != nullptr ? catalogue : &ownCatalogue_;
  catalogue_->SetListener(this);
}

void ApplicationController::CatalogueChanged() {
  if (!libraryPage_.shown()) return;
  EncodedString selected;
  const int32_t row = libraryPage_.SelectedRow();
  const bool hadRow = libraryPage_.PathOfRow(row, &selected);
  libraryPage_.Fill(catalogue_);
  if (hadRow) libraryPage_.SelectPath(selected);
}

void ApplicationController::ShowAnnotations() {
  ShowInputPanel(false);
  libraryPage_.Show(false);
  HideBars();
  if (viewArea_.right > viewArea_.left) annotationsPage_.Layout(viewArea_);
  annotationsPage_.Show(true);
}

uint32_t ApplicationController::GetActiveListPage() const {
  if (libraryPage_.shown()) return 1;
  if (annotationsPage_.shown()) return 3;
  return 0;
}

void ApplicationController::LayoutPages(const RECT& area) {
  libraryPage_.Layout(area);
  annotationsPage_.Layout(area);
}

bool ApplicationController::FocusActivePage() {
  PageStandIn* page = libraryPage_.shown()       ? static_cast<PageStandIn*>(&libraryPage_)
                      : annotationsPage_.shown() ? static_cast<PageStandIn*>(&annotationsPage_)
                                                 : nullptr;
  if (page == nullptr || page->window() == nullptr) return false;
  SetFocus(page->window());
  return true;
}

bool ApplicationController::OnNotify(const NMHDR* header, LRESULT* out) {
  EncodedString path;
  if (!libraryPage_.shown() || !libraryPage_.TakeChoice(header, &path)) return false;
  *out = 0;
  libraryPage_.Show(false);
  if (view_ != nullptr && !view_->OpenAddress(path, nullptr)) {
    // The book did not open: the library stays.
    libraryPage_.Show(true);
    libraryPage_.SelectPath(path);
  }
  return true;
}

void ApplicationController::UpdateWindowTitle() {
  ShowInputPanel(false);
  libraryPage_.Show(false);
  annotationsPage_.Show(false);
  HideBars();
  const bool preferFull = preferences_ != nullptr && preferences_->fullScreen != 0;
  if ((fullScreen_ != 0) != preferFull) ToggleFullScreen(true, true);
  const uint32_t mode = view_ != nullptr ? view_->ViewMode() : 1;
  const bool fullPreference = preferences_ != nullptr && preferences_->fullScreen != 0;
  switch (mode) {
    case 1:
      readingBar_.Show(!fullPreference);
      readingBar_.SetMode(mode);
      break;
    case 2:
    case 3:
    case 6:
      if (fullPreference) ToggleFullScreen(true, true);
      if (mode == 2) {
        readingBar_.Show(true);
        readingBar_.SetMode(mode);
      } else if (mode == 3) {
        closeMenuBar_.Show(true);
      } else {
        audioBar_.Show(true);
      }
      break;
    case 7:
      if (fullScreen_ == 0) ToggleFullScreen(false, true);
      break;
    default:
      break;
  }
  if (mainWindow_ == nullptr) return;
  // The title: the document's title with its markup characters escaped.
  EncodedString title;
  title.FromWide(u"");
  EncodedString documentTitle;
  if (view_ != nullptr && view_->GetDocumentTitle(&documentTitle)) {
    EncodedString wide;
    CopyWholeTextAsUtf16(documentTitle, &wide);
    const WCHAR* chars = wide.Chars();
    for (uint32_t i = 0; i < wide.ByteLength() / 2; ++i) {
      switch (chars[i]) {
        case u'&': title.AppendAscii("&amp;"); break;
        case u'<': title.AppendAscii("&lt;"); break;
        case u'>': title.AppendAscii("&gt;"); break;
        default: title.AppendUnit(chars[i]); break;
      }
    }
  }
  title.AppendAscii(" - Corvelline Reader");
  SetWindowTextW(mainWindow_, title.CStr());
  SetFocus(mainWindow_);
}

void ApplicationController::ToggleFullScreen(bool store, bool repaint) {
  if (mainWindow_ == nullptr || drawingBar_.shown()) return;
  fullScreen_ = fullScreen_ != 0 ? 0 : 1;
  if (store && preferences_ != nullptr) preferences_->fullScreen = fullScreen_;
  const uint32_t mode = view_ != nullptr ? view_->ViewMode() : 1;
  const bool preferFull = preferences_ != nullptr && preferences_->fullScreen != 0;
  if (mode == 7 || store || (fullScreen_ != 0) == preferFull) {
    closeMenuBar_.Show(mode == 3 && fullScreen_ == 0);
    readingBar_.Show(mode != 3 && mode != 7 && fullScreen_ == 0);
  }
  CallSHFullScreen(mainWindow_, fullScreen_ != 0 ? kHideShellParts : kShowShellParts);
  int top = 0;
  if (fullScreen_ != 0) {
    Sleep(kFullScreenPauseMs);
  } else {
    top = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME);
  }
  if (store || mode == 7) {
    RECT r{};
    GetWindowRect(mainWindow_, &r);
    MoveWindow(mainWindow_, r.left, top, r.right - r.left, r.bottom - top, repaint ? TRUE : FALSE);
  }
  if (repaint) {
    SetForegroundWindow(mainWindow_);
    SetFocus(mainWindow_);
  }
}

void ApplicationController::DismissTransientUi(bool keepFind) {
  if (!keepFind && GetInputPanelState(nullptr)) ShowInputPanel(false);
}

void ApplicationController::SetViewArea(const RECT& area, bool force) {
  const bool same = area.left == viewArea_.left && area.top == viewArea_.top && area.right == viewArea_.right &&
                    area.bottom == viewArea_.bottom;
  if (!force && (same || viewAreaLocked_ != 0)) return;
  viewArea_ = area;
}

void ApplicationController::ApplyPreferencesToView() {
  if (view_ != nullptr) view_->RefreshElements();
  if (mainWindow_ != nullptr) InvalidateRect(mainWindow_, nullptr, TRUE);
}

void ApplicationController::Exit() {
  if (mainWindow_ != nullptr) PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
}
