// The backends: how the device's screen is shown and where its input comes
// from while the program runs.
//
// RunProgram(backend, main, context) starts the backend, makes it the idle
// hook of the calling thread (platform/windows/idle_hook.h: whenever the
// program's message loop finds nothing to do, the backend shows the screen
// when it changed and reports the host's input), runs the program's main
// function (which runs its own message loop) and finishes the backend when
// main returns, answering main's result. A backend that cannot start gives
// -1 without running main (and `started`, when given, false).
//
// Two backends exist: headless (here, in tessalyn_platform) and SDL2
// (platform/sdl/, library tessalyn_platform_sdl). The program's entry calls
// RunDeviceMessageLoopBackend (platform/sdl/device_loop.h), which picks one
// from TESSALYN_BACKEND (sdl or headless; sdl by default when DISPLAY is
// set) and falls back to headless when SDL cannot start.
//
// Closing the program (the end of the headless input, the SDL window
// closed) posts WM_CLOSE to every top-level window of the process, as the
// user closing it; when the program still runs 5 seconds later, WM_QUIT is
// posted.
#pragma once

#include <memory>

#include "platform/types/device_types.h"

namespace devbackend {

using ProgramMain = int (*)(void* context);

class Backend {
 public:
  virtual ~Backend() = default;
  virtual bool Start() = 0;
  // The program is idle: show, read input, wait at most `maxWaitMs`.
  virtual void Idle(DWORD maxWaitMs) = 0;
  virtual void Finish() = 0;
};

int RunProgram(Backend& backend, ProgramMain main, void* context, bool* started = nullptr);

// Asks the program to close (see above); later calls post WM_QUIT once the
// grace time has passed.
void CloseProgram();

// The headless backend: the screen stays a memory bitmap; input comes from
// the file named by TESSALYN_INPUT (headless/input_script.h); the screen is
// written as a PNG to TESSALYN_SCREENSHOT when the input ends (before the
// windows close) or, failing that, when the program ends.
std::unique_ptr<Backend> MakeHeadlessBackend();

}  // namespace devbackend
