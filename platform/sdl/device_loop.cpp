// Choosing the backend the program runs over (device_loop.h).
#include "platform/sdl/device_loop.h"

#include "platform/sdl/sdl_audio.h"

#include <strings.h>

#include <cstdio>
#include <cstdlib>

int RunDeviceMessageLoopBackend(devbackend::ProgramMain main, void* context) {
  const char* chosen = std::getenv("TESSALYN_BACKEND");
  const char* display = std::getenv("DISPLAY");
  bool sdl = chosen ? strcasecmp(chosen, "sdl") == 0 : (display != nullptr && *display != 0);
  // Sound goes to SDL2 by default over the SDL2 screen; TESSALYN_AUDIO=sdl
  // asks for it headless too.
  devbackend::InstallSdlAudio(sdl);
  if (sdl) {
    std::unique_ptr<devbackend::Backend> backend = devbackend::MakeSdlBackend();
    bool started = false;
    int result = devbackend::RunProgram(*backend, main, context, &started);
    if (started) return result;
    std::fprintf(stderr, "The SDL backend cannot start; running headless.\n");
  }
  std::unique_ptr<devbackend::Backend> headless = devbackend::MakeHeadlessBackend();
  return devbackend::RunProgram(*headless, main, context);
}
