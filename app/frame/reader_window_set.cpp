// The program's window set over the browser's: the application's services
// of the set, and the main window's frame for the application window.
#include "app/frame/reader_window_set.h"

#include "app/frame/catalogue_storage_events.h"
#include "app/frame/window_records.h"
#include "app/pages/book_folder_catalogue.h"
#include "browser/view/browser_view.h"
#include "foundation/files/folders.h"
#include "layout/drawing/drawing_surface.h"
#include "platform/memory/allocator.h"

ReaderWindowSet::ReaderWindowSet() = default;

ReaderWindowSet::~ReaderWindowSet() { Close(); }

bool ReaderWindowSet::Open(bool) { return set_.Open(true) == 0; }

bool ReaderWindowSet::CreateLoader() { return set_.CreateLoader(nullptr) == 0 && MainFrame() != nullptr; }

AppWindowController* ReaderWindowSet::MainController() const {
  BrowserWindow* main = set_.mainWindow;
  return main != nullptr ? static_cast<AppWindowController*>(main->controller) : nullptr;
}

AppFrame* ReaderWindowSet::MainFrame() {
  AppWindowController* controller = MainController();
  return controller != nullptr ? controller->frame() : nullptr;
}

AudioPlayer* ReaderWindowSet::player() {
  AppWindowController* controller = MainController();
  return controller != nullptr ? controller->player() : nullptr;
}

void ReaderWindowSet::InstallEventSink(BrowserEventSink* sink, int32_t context) {
  if (set_.mainWindow != nullptr && set_.mainWindow->view != nullptr) {
    set_.mainWindow->view->SetEventSink(sink, context);
  }
}

void ReaderWindowSet::DestroyMainFrame() {
  BrowserWindow* main = set_.mainWindow;
  if (main == nullptr) return;
  // The view closes (its reading state saved, the open-view word
  // cleared), then the controller, the surface and the saved preferences.
  main->Destroy();
  delete main;
}

void ReaderWindowSet::Close() {
  set_.Close();
  delete storageEvents_;
  storageEvents_ = nullptr;
  delete catalogue_;
  catalogue_ = nullptr;
  environment_ = nullptr;
}

WindowSetEnvironment* ReaderWindowSet::CreateEnvironment() {
  EncodedString programFolder;
  GetProgramFolder(&programFolder);
  environment_ = DeviceNew<AppSetEnvironment>(programFolder);
  if (environment_ == nullptr) return nullptr;
  // A fresh device may lack the data folder; the settings file goes there.
  const EncodedString& dataFolder = environment_->environment()->dataFolder();
  if (!PathExists(dataFolder)) CreateFolder(dataFolder);
  DeleteGeneratedPages(dataFolder);
  return environment_;
}

LibraryCatalogue* ReaderWindowSet::Catalogue() {
  if (catalogue_ == nullptr && environment_ != nullptr) {
    catalogue_ = DeviceNew<BookFolderCatalogue>(environment_->environment());
    if (catalogue_ != nullptr) storageEvents_ = DeviceNew<CatalogueStorageEvents>(catalogue_);
  }
  return catalogue_;
}

WindowController* ReaderWindowSet::CreateController(BrowserWindow*) {
  if (environment_ == nullptr) return nullptr;
  Catalogue();
  return DeviceNew<AppWindowController>(environment_, catalogue_, storageEvents_);
}

WindowPreferences* ReaderWindowSet::CreatePreferences(WindowController* controller, WindowSetEnvironment*,
                                                      GlobalSettingsFile* settingsFile) {
  if (environment_ == nullptr || controller == nullptr) return nullptr;
  return DeviceNew<AppWindowPreferences>(static_cast<AppWindowController*>(controller)->controller(),
                                         environment_->environment(), settingsFile);
}

DrawingSurface* ReaderWindowSet::CreateSurface(BrowserWindow*, WindowController* controller) {
  // The surface draws with the controller's font table; the application
  // window attaches itself to it once it exists.
  if (controller == nullptr) return nullptr;
  return DeviceNew<DrawingSurface>(static_cast<AppWindowController*>(controller)->controller());
}

// Link targets never open windows of their own here: the application, as
// the main view's event sink, answers none to every target window.
bool ReaderWindowSet::CreateTargetFrame(BrowserWindow*, const Rect&, const SharedWideString*, bool, bool) {
  return false;
}

void ReaderWindowSet::SetTargetFrameTitle(BrowserWindow*) {}

void ReaderWindowSet::DestroyTargetFrame(BrowserWindow*) {}

FrameWindowSet* MakeReaderWindowSet() { return DeviceNew<ReaderWindowSet>(); }
