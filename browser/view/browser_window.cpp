// A browser window of the set: registering it, making and wiring its
// controller, preferences, surface and view, and tearing them down in an
// order where nothing reaches what is already gone. Every step of the
// teardown tolerates a window that was only partly made.
#include "browser/host/window_set_services.h"
#include "browser/view/browser_view.h"
#include "browser/view/browser_window_set.h"
#include "layout/drawing/drawing_surface.h"
#include "storage/documents/document_host.h"
#include "platform/memory/allocator.h"
#include "platform/windows/window_positions.h"

BrowserWindow::BrowserWindow(BrowserWindowSet* owner) : owner(owner) {}

BrowserWindow::~BrowserWindow() { Destroy(); }

int BrowserWindow::CreateSettings() {
  if (owner == nullptr) return 1;
  owner->AddWindow(this);
  controller = owner->services()->CreateController(this);
  if (controller == nullptr) return 1;
  controller->SetEnvironment(owner->environment, owner->settingsFile);
  return 0;
}

int BrowserWindow::CreateView(const void*) {
  if (owner == nullptr || controller == nullptr) return 1;
  WindowSetServices* services = owner->services();
  preferences = services->CreatePreferences(controller, owner->environment, owner->settingsFile);
  if (preferences == nullptr || !preferences->Load()) return 1;
  surface = services->CreateSurface(this, controller);
  if (surface == nullptr) return 1;
  surface->SetClearType(preferences->ClearType());
  view = DeviceNew<BrowserView>(owner->valueStore);
  if (view == nullptr) return 1;
  view->SetFormLog(owner->formLog);
  view->SetLoader(owner->loader);
  view->SetPreferences(preferences->ForViews());
  view->SetSurface(surface);
  surface->InsertChild(view);
  view->SetController(controller->ForViews());
  view->SetWindow(this);
  view->SetSettingsFile(owner->settingsFile);
  view->SetFrameSetController(owner->targetWindows());
  WindowWiring wiring;
  wiring.formLog = owner->formLog;
  wiring.environment = owner->environment;
  wiring.loader = owner->loader;
  wiring.documentHost = owner->documentHost;
  wiring.settingsFile = owner->settingsFile;
  wiring.preferences = preferences;
  wiring.view = view;
  wiring.surface = surface;
  wiring.display = &display;
  controller->Wire(wiring);
  return 0;
}

void BrowserWindow::Destroy() {
  if (view != nullptr) {
    // The document closes (its reading state saved, the open-view word
    // cleared) while the controller, preferences and surface still live.
    view->CloseView();
    if (controller != nullptr) controller->Wire(WindowWiring{});
    if (surface != nullptr) surface->RemoveChild(view);
    delete view;
    view = nullptr;
  }
  display.Detach();
  // The preferences were given the controller: they forget it first, so
  // that saving them below never reaches it.
  if (preferences != nullptr) preferences->ForgetController();
  DeleteController();
  if (hasTargetFrame && owner != nullptr) owner->services()->DestroyTargetFrame(this);
  hasTargetFrame = false;
  DestroySurface();
  if (preferences != nullptr) {
    preferences->Save();
    delete preferences;
    preferences = nullptr;
  }
  if (owner != nullptr) owner->RemoveWindow(this);
  owner = nullptr;
  display.ReleaseBuffers();
  name.Clear();
}

bool BrowserWindow::CreateDrawingSurface(HWND window) {
  if (surface == nullptr) {
    if (owner == nullptr || controller == nullptr) return true;
    surface = owner->services()->CreateSurface(this, controller);
    if (surface == nullptr) return true;
  }
  surface->SetWindow(window);
  if (preferences != nullptr) surface->SetClearType(preferences->ClearType());
  return false;
}

void BrowserWindow::DestroySurface() {
  display.ReleaseBuffers();
  delete surface;
  surface = nullptr;
}

void BrowserWindow::DeleteController() {
  if (controller == nullptr) return;
  // Documents that close later (the loader goes after the windows) must
  // not reach a freed controller through the set's document host.
  DocumentHost* host = owner != nullptr ? owner->documentHost : nullptr;
  if (host != nullptr && host->GetApplication() == controller->ForDocuments()) host->SetApplication(nullptr);
  delete controller;
  controller = nullptr;
}

void BrowserWindow::SetWindowRect(const Rect& rect) {
  if (surface == nullptr || surface->Window() == nullptr) return;
  MoveWindow(surface->Window(), rect.x, rect.y, rect.width, rect.height, TRUE);
}
