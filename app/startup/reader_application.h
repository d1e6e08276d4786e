// ReaderApplication: the program's application object. It enforces one
// running instance, opens the reading environment (the window set),
// creates the main window, opens the first page, runs the one message
// loop, and tears everything down in order when the main window closes.
#pragma once

#include <cstdint>

#include "app/frame/app_frame.h"
#include "app/window/app_window.h"
#include "foundation/encoded_string/encoded_string.h"

// Run results.
constexpr int kRunEnded = 0;
constexpr int kRunOtherInstanceShown = 2;
constexpr int kRunFailed = 3;
constexpr int kRunQuitHandled = 4;

// How long a start waits for a running instance to close.
constexpr uint32_t kCloseRunningInstanceTimeoutMs = 30000;

class ReaderApplication : public AppWindow, public CommandListener {
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

 private:
  FrameWindowSet* windowSet_;
  HINSTANCE instance_ = nullptr;
};

// The program's entry over the platform: reads the command line, runs the
// application, and answers 0 in every case. `lastResult` (may be null)
// receives Run's result.
int ReaderMain(HINSTANCE instance, FrameWindowSet* (*makeWindowSet)(), int* lastResult);
