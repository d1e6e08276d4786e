// The frame record of a window and the window set that owns the frames:
// what the main window reaches through its frame (controller, preferences,
// view, storage events) and the set's opening and closing, in the order
// the application's start and shut-down need them. The program's set is the
// browser's window set (reader_window_set.h); tests also use the stand-in
// set (stand_in_window_set.h).
#pragma once

#include <cstdint>

#include "app/frame/frame_view.h"

class ApplicationController;
class BrowserEventSink;
class Preferences;

struct AppFrame {
  ApplicationController* controller = nullptr;
  Preferences* preferences = nullptr;
  AppFrameView* view = nullptr;
  StorageEventSink* loader = nullptr;
};

class FrameWindowSet {
 public:
  virtual ~FrameWindowSet() = default;
  // Opens the reading environment: environment, settings file, preferences,
  // the main frame and its controller. False when it cannot.
  virtual bool Open(bool noParent) = 0;
  virtual bool CreateLoader() = 0;
  virtual AppFrame* MainFrame() = 0;
  // Installs the application's hooks on the main window's view (a view
  // without hooks ignores them).
  virtual void InstallEventSink(BrowserEventSink* sink, int32_t context) {
    (void)sink;
    (void)context;
  }
  // Closes the main frame's document (its reading state into the side
  // file), clears the open-view flag, saves the preferences and frees the
  // frame; MainFrame() answers null afterwards.
  virtual void DestroyMainFrame() = 0;
  // Deletes what is left: other windows, the loader, the settings file.
  virtual void Close() = 0;
};
