// ReaderApplication: the program's application object. It enforces one
// running instance, opens the reading environment (the window set),
// creates the main window, opens the first page, runs the one message
// loop, and tears everything down in order when the main window closes.
#pragma once

#include <cstdint>

#include "app/frame/app_frame.h"
#include "app/window/app_window.h"
#include "browser/host/browser_event_sink.h"
#include "foundation/encoded_string/encoded_string.h"

// Run results.
constexpr int kRunEnded = 0;
constexpr int kRunOtherInstanceShown = 2;
constexpr int kRunFailed = 3;
constexpr int kRunQuitHandled = 4;

// How long a start waits for a running instance to close.
constexpr uint32_t kCloseRunningInstanceTimeoutMs = 30000;

class ReaderApplication : public AppWindow, public CommandListener, public BrowserEventSink {
 public:
  // The window set is the application's from here on (deleted by it).
  explicit ReaderApplication(FrameWindowSet* windowSet);
  ~ReaderApplication() override;

  int Run(HINSTANCE instance, const EncodedString& commandLine, HWND parent);
  bool Init(bool noParent);
  void OnClose() override;

  // The view's listener: after every command, command 112 refreshes the
  // audio bar.
  void AfterCommand(uint32_t command) override;

  // The main view's hooks: every event, navigation and selection report
  // goes ahead; the reading state is saved when a document is shown and
  // when the view asks; no link target gets a window of its own; value 112
  // refreshes the audio bar.
  bool AllowScriptEvent(BrowserView*, int32_t, int32_t, intptr_t) override { return true; }
  bool AllowNavigation(BrowserView*, int32_t, const SharedWideString&, bool) override { return true; }
  void OnNavigationStarting(BrowserView*, int32_t) override {}
  void OnDocumentShown(BrowserView*, int32_t) override { SaveCurrentReadingState(); }
  void OnPageChanged(BrowserView*, int32_t, int32_t) override {}
  BrowserWindow* OpenTargetWindow(BrowserView*, int32_t, const SharedWideString&, const Rect&, int32_t,
                                  int32_t) override {
    return nullptr;
  }
  bool AllowSelectionReport(BrowserView*, int32_t, const SharedWideString&, uint32_t, uint32_t,
                            const Rect&) override {
    return true;
  }
  void OnListenerEvent5(BrowserView*, int32_t, intptr_t, bool) override {}
  void SaveReadingState(BrowserView*, int32_t) override { SaveCurrentReadingState(); }
  intptr_t AskValue(BrowserView* view, int32_t context, int32_t value) override;

 private:
  // The current view's reading state into its side file.
  void SaveCurrentReadingState();
  void RefreshAudioBar();

  FrameWindowSet* windowSet_;
  HINSTANCE instance_ = nullptr;
};

// The program's entry over the platform: reads the command line, runs the
// application, and answers 0 in every case. `lastResult` (may be null)
// receives Run's result.
int ReaderMain(HINSTANCE instance, FrameWindowSet* (*makeWindowSet)(), int* lastResult);
