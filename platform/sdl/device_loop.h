// The program's way onto a real screen: RunDeviceMessageLoopBackend runs
// the program's main function (which runs its own message loop) over the
// backend TESSALYN_BACKEND names: "sdl" (the default when DISPLAY is set)
// or "headless" (the default otherwise, and the fallback when SDL cannot
// start). It answers main's result. Link tessalyn_platform_sdl for it.
//
// The SDL2 backend shows the device's screen in one window of the screen's
// size (times TESSALYN_SDL_SCALE, 1 to 4, default 1; when the display is
// turned the window turns with it). The window is made once a window of the
// program is the device's foreground window (a start that only brings the
// running instance forward shows none); its title is that window's text;
// another process's SetForegroundWindow raises it. It reports:
//  - the left mouse button and its moves while pressed as the stylus;
//  - keys as the device's keys: arrows, Return (the action key), Escape,
//    Backspace, Tab, Space, letters, digits, Shift, Control, F1-F8, Page Up,
//    Page Down, Home, End and Delete; the keypad's '*', '+' and '-' and the
//    main keyboard's '-' and '=' (as '+'), which type those characters; F9-F12
//    as the hardware buttons 0xC1-0xC4;
//  - the desktop's keyboard focus leaving and returning as WM_ACTIVATE
//    inactive and active (lParam 0) to the device's active window;
//  - closing the window as the user closing the program.
// Without sound hardware run it with SDL_AUDIODRIVER=dummy.
#pragma once

#include <memory>

#include "platform/backends/backend.h"

namespace devbackend {

std::unique_ptr<Backend> MakeSdlBackend();

}  // namespace devbackend

int RunDeviceMessageLoopBackend(devbackend::ProgramMain main, void* context);
