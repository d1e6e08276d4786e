// BrowserWindowSet: the one object through which the application owns what
// outlives a single document: the script value store of every view, the
// environment record, the document loader and the document host, the
// offline form log, the global settings file and the named browser windows.
// A BrowserWindow is one named top-level window of the set with its drawing
// surface, controller, preferences, browser view and display manager.
//
// The application's own objects (environment, controllers, preferences,
// surfaces, form log, target frames) are made and wired through the
// application's WindowSetServices; the set never sees their classes.
//
// Opening happens in two steps (Open, then CreateLoader); a failed step
// leaves what it made in the set, and Close deletes whatever exists, so
// Close after any failure is safe.
#pragma once

#include <cstdint>

#include "browser/host/frame_set_controller.h"
#include "foundation/containers/segmented_array_typed.h"
#include "foundation/geometry/rect.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "layout/display/display_manager.h"
#include "platform/types/window_handle.h"

class BrowserView;
class BrowserWindowSet;
class DocumentHost;
class DocumentLoader;
class DrawingSurface;
class GlobalSettingsFile;
class OfflineFormLog;
class ScriptValueStore;
class WindowController;
class WindowPreferences;
class WindowSetEnvironment;
class WindowSetServices;

class BrowserWindow {
 public:
  explicit BrowserWindow(BrowserWindowSet* owner);
  ~BrowserWindow();
  BrowserWindow(const BrowserWindow&) = delete;
  BrowserWindow& operator=(const BrowserWindow&) = delete;

  // Registers the window with its set and makes its controller; 0 on
  // success, 1 on failure.
  int CreateSettings();
  // Makes the preferences, the drawing surface and the view and wires
  // them to each other and to the set; 0 on success, 1 on failure.
  int CreateView(const void* windowParameters);
  // Closes the view and deletes everything of the window, in order; safe
  // on a window that was only partly made, and a second time.
  void Destroy();

  // The window's drawing surface for the window handle (the frame's
  // window); true on failure.
  bool CreateDrawingSurface(HWND window);
  // Stops the display manager's timer and deletes the drawing surface.
  void DestroySurface();
  void DeleteController();
  // Moves and sizes the surface's window (frames side by side).
  void SetWindowRect(const Rect& rect);

  BrowserWindowSet* owner = nullptr;
  DrawingSurface* surface = nullptr;
  WindowController* controller = nullptr;
  WindowPreferences* preferences = nullptr;
  BrowserView* view = nullptr;
  SharedWideString name;
  DisplayManager display;
  // Set once the application made a frame window for a link target.
  bool hasTargetFrame = false;
};

class BrowserWindowSet {
 public:
  // The services are the application's and outlive the set.
  explicit BrowserWindowSet(WindowSetServices* services);
  ~BrowserWindowSet();
  BrowserWindowSet(const BrowserWindowSet&) = delete;
  BrowserWindowSet& operator=(const BrowserWindowSet&) = delete;

  // 0 on success, 1 on failure.
  int Open(bool withStorage);
  int CreateLoader(const void* windowParameters);
  // Tears everything down, the main window first; the set is empty after.
  void Close();

  void AddWindow(BrowserWindow* window);
  // Removes the first occurrence, keeping the others in order; clears
  // mainWindow when it was the main window.
  void RemoveWindow(BrowserWindow* window);
  // The view of the first window of exactly this name (case counts), or
  // null.
  BrowserView* FindWindowView(const SharedWideString& name) const;

  // The environment record; true on failure.
  bool CreateEnvironment();
  void DeleteEnvironment();
  // A new top-level window for a link target: named after the target
  // ("_blank" gives "wnd" and a number), at the rectangle, titled with the
  // title or else its view's. Null when any step fails (nothing is left).
  BrowserWindow* OpenTargetWindow(const SharedWideString& target, const Rect& rect, const SharedWideString* title,
                                  bool layoutOnResize, bool topmost);

  // What a view without the application's hooks opens link targets
  // through: windows of this set.
  FrameSetController* targetWindows() { return &targetWindows_; }

  uint32_t WindowCount() const { return windows.Count(); }
  BrowserWindow* WindowAt(uint32_t index) const { return windows[index]; }
  WindowSetServices* services() const { return services_; }

  ScriptValueStore* valueStore = nullptr;
  WindowSetEnvironment* environment = nullptr;
  DocumentLoader* loader = nullptr;
  DocumentHost* documentHost = nullptr;
  OfflineFormLog* formLog = nullptr;
  GlobalSettingsFile* settingsFile = nullptr;
  SegmentedTypedArray<BrowserWindow*> windows;
  BrowserWindow* mainWindow = nullptr;

 private:
  class TargetWindows final : public FrameSetController {
   public:
    explicit TargetWindows(BrowserWindowSet* set) : set_(set) {}
    BrowserWindow* OpenTargetWindow(const SharedWideString& target, const Rect& rect, int32_t flag,
                                    int32_t fromOpen) override;

   private:
    BrowserWindowSet* set_;
  };

  // Names a new window: `prefix` and a number unique among live windows,
  // in upper-case hexadecimal without leading zeros.
  bool NameWindow(BrowserWindow* window, const WCHAR* prefix, uint32_t prefixLength);

  WindowSetServices* services_;
  uint32_t nextIdentity_ = 1;
  TargetWindows targetWindows_{this};
};
