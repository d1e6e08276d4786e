// The program's window set: the browser's window set (its loader, value
// store, settings file and browser windows), with the application's side
// of it: the environment record, each window's controller, preferences and
// drawing surface, and the library catalogue that the loader and the
// storage events reach. The main window's view is its browser view.
#pragma once

#include "app/frame/app_frame.h"
#include "browser/host/window_set_services.h"
#include "browser/view/browser_window_set.h"

class AudioPlayer;
class AppSetEnvironment;
class AppWindowController;
class BookFolderCatalogue;
class CatalogueStorageEvents;

class ReaderWindowSet final : public FrameWindowSet, public WindowSetServices {
 public:
  ReaderWindowSet();
  ~ReaderWindowSet() override;

  bool Open(bool noParent) override;
  bool CreateLoader() override;
  AppFrame* MainFrame() override;
  void DestroyMainFrame() override;
  void Close() override;
  void InstallEventSink(BrowserEventSink* sink, int32_t context) override;

  BrowserWindowSet& windowSet() { return set_; }
  DocumentLoader* loader() const { return set_.loader; }
  AudioPlayer* player();

  // WindowSetServices.
  WindowSetEnvironment* CreateEnvironment() override;
  OfflineFormLog* OpenFormLog(WindowSetEnvironment*) override { return nullptr; }
  void CloseFormLog(OfflineFormLog*) override {}
  LibraryCatalogue* Catalogue() override;
  WindowController* CreateController(BrowserWindow* window) override;
  WindowPreferences* CreatePreferences(WindowController* controller, WindowSetEnvironment* environment,
                                       GlobalSettingsFile* settingsFile) override;
  DrawingSurface* CreateSurface(BrowserWindow* window, WindowController* controller) override;
  bool CreateTargetFrame(BrowserWindow* window, const Rect& rect, const SharedWideString* title, bool layoutOnResize,
                         bool topmost) override;
  void SetTargetFrameTitle(BrowserWindow* window) override;
  void DestroyTargetFrame(BrowserWindow* window) override;

 private:
  AppWindowController* MainController() const;

  AppSetEnvironment* environment_ = nullptr;  // the set's; kept for the controllers
  BookFolderCatalogue* catalogue_ = nullptr;
  CatalogueStorageEvents* storageEvents_ = nullptr;
  BrowserWindowSet set_{this};
};

FrameWindowSet* MakeReaderWindowSet();
