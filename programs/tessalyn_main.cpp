// The reader's program: installs its resources, takes its command line,
// and runs the application over the screen the environment chooses (an
// SDL2 window on a desktop, headless otherwise). It exits 0 in every case,
// as the device's program does; what happened is the application's own
// business (its run result is not an exit status).
#include <cstdio>

#if TESSALYN_TEST_HOOKS
#include <dlfcn.h>
#endif

#include "app/frame/reader_window_set.h"
#include "app/startup/reader_application.h"
#include "platform/launch/launch.h"
#include "platform/sdl/device_loop.h"
#include "programs/reader_setup.h"

namespace {

#if TESSALYN_TEST_HOOKS
// The test build runs under the leak check: SDL opens the X11 client
// libraries itself and closes them at its end, so what they keep for the
// process would be reported under no name. Kept loaded, they are named,
// and the tests' suppressions match them.
void KeepX11LibrariesLoaded() {
  for (const char* name : {"libX11.so.6", "libXext.so.6", "libXcursor.so.1", "libXi.so.6", "libXrandr.so.2",
                           "libXss.so.1", "libXfixes.so.3", "libxkbcommon.so.0", "libX11-xcb.so.1"})
    dlopen(name, RTLD_NOW | RTLD_NODELETE);
}
#endif

int RunReader(void*) {
  int result = 0;
  ReaderMain(nullptr, MakeReaderWindowSet, &result);
  if (result == kRunFailed) std::fprintf(stderr, "tessalyn: the reader could not start\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  devlaunch::SetProgramArguments(argc, argv);
#if TESSALYN_TEST_HOOKS
  KeepX11LibrariesLoaded();
#endif
  InstallReaderServices();
  RunDeviceMessageLoopBackend(RunReader, nullptr);
  return 0;
}
