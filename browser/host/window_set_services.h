// WindowSetServices: what the browser's window set asks of the application
// frame, which lives above the browser. The set owns the application's
// objects of itself and of each window (the environment record, each
// window's controller and preferences, the drawing surface of its frame,
// the offline form log) but knows them only through the small records
// below: it makes them here, wires them to the browser's objects, loads and
// saves the preferences and deletes them through their virtual
// destructors. The application implements the services; tests use a fake
// that records every call.
#pragma once

#include <cstdint>

#include "foundation/geometry/rect.h"
#include "foundation/wide_string/shared_wide_string.h"

class BrowserView;
class BrowserWindow;
class DisplayManager;
class DocumentHost;
class DocumentHostApplication;
class DocumentLoader;
class DrawingSurface;
class GlobalSettingsFile;
class LibraryCatalogue;
class OfflineFormLog;
class SettingsEnvironment;
class ViewApplication;
class ViewEnvironment;
class ViewPreferences;

// The application's environment record: folders, strings, defaults, and
// the path of the global settings file.
class WindowSetEnvironment {
 public:
  virtual ~WindowSetEnvironment() = default;
  virtual ViewEnvironment* ForViews() = 0;
  virtual SettingsEnvironment* ForSettings() = 0;
};

class WindowPreferences;

// Everything a window's controller is given once its view exists; any
// pointer but view may be null.
struct WindowWiring {
  OfflineFormLog* formLog = nullptr;
  WindowSetEnvironment* environment = nullptr;
  DocumentLoader* loader = nullptr;
  DocumentHost* documentHost = nullptr;
  GlobalSettingsFile* settingsFile = nullptr;
  WindowPreferences* preferences = nullptr;
  BrowserView* view = nullptr;
  DrawingSurface* surface = nullptr;
  DisplayManager* display = nullptr;
};

// A window's application controller.
class WindowController {
 public:
  virtual ~WindowController() = default;
  // What the view and the documents ask of it.
  virtual ViewApplication* ForViews() = 0;
  virtual DocumentHostApplication* ForDocuments() = 0;
  // The set's environment record and settings file (null without storage).
  virtual void SetEnvironment(WindowSetEnvironment* environment, GlobalSettingsFile* settingsFile) = 0;
  // The window's view and everything beside it. Called again with a
  // wiring whose view is null when the view goes, before it is deleted.
  virtual void Wire(const WindowWiring& wiring) = 0;
};

// A window's view settings.
class WindowPreferences {
 public:
  virtual ~WindowPreferences() = default;
  virtual ViewPreferences* ForViews() = 0;
  // From the settings file, or the built-in defaults alone when there is
  // none; false when the load fails.
  virtual bool Load() = 0;
  // Into the global settings record (nothing without a settings file).
  virtual bool Save() = 0;
  // The controller the preferences were given goes: they forget it, so
  // that saving never reaches it.
  virtual void ForgetController() = 0;
  // The display's ClearType flag, copied into the window's surface.
  virtual bool ClearType() = 0;
};

class WindowSetServices {
 public:
  // The environment record; null when it cannot be made.
  virtual WindowSetEnvironment* CreateEnvironment() = 0;
  // The offline form log in the environment's folder; null when it cannot
  // be opened (not an error). Closed and freed by CloseFormLog.
  virtual OfflineFormLog* OpenFormLog(WindowSetEnvironment* environment) = 0;
  virtual void CloseFormLog(OfflineFormLog* formLog) = 0;
  // The library the loader reaches (may be null).
  virtual LibraryCatalogue* Catalogue() = 0;
  // A window's controller; null when it cannot be made.
  virtual WindowController* CreateController(BrowserWindow* window) = 0;
  // A window's preferences, given its controller, the environment and the
  // settings file (null without storage); null when they cannot be made.
  virtual WindowPreferences* CreatePreferences(WindowController* controller, WindowSetEnvironment* environment,
                                               GlobalSettingsFile* settingsFile) = 0;
  // The drawing surface of the window's frame, over the controller's
  // fonts; null when it cannot be made. The window deletes it.
  virtual DrawingSurface* CreateSurface(BrowserWindow* window, WindowController* controller) = 0;
  // The application window of a link target's new browser window, at the
  // rectangle, with the title when one is given and the two flags, its
  // first page opened without reopening the last book. False when it
  // cannot be made.
  virtual bool CreateTargetFrame(BrowserWindow* window, const Rect& rect, const SharedWideString* title,
                                 bool layoutOnResize, bool topmost) = 0;
  // Sets the target frame's title from its view's.
  virtual void SetTargetFrameTitle(BrowserWindow* window) = 0;
  // The target frame of a window goes (the window is being destroyed).
  virtual void DestroyTargetFrame(BrowserWindow* window) = 0;

 protected:
  ~WindowSetServices() = default;
};
