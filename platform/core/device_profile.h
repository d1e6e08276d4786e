// The emulated device's profile: what kind of device the system runs on. The
// program reads it once from the environment: TESSALYN_LANG (en, fr),
// TESSALYN_PLATFORM (pocketpc, smartphone), TESSALYN_OS_VERSION (4.21), the
// screen's TESSALYN_SCREEN (480x640), TESSALYN_DPI (96, 130, 192),
// TESSALYN_DEPTH (8, 16, 32) and TESSALYN_ORIENTATION (0, 90, 180, 270).
// Test builds can replace it (profile_hooks.h).
#pragma once

#include "platform/types/device_types.h"

namespace devsystem {

enum class DevicePlatform { PocketPC, Smartphone };

struct DeviceProfile {
  // The user's and the system's default language (a LANGID: primary
  // language in the low 10 bits, sublanguage above).
  WORD language = 0x0409;
  DevicePlatform platform = DevicePlatform::PocketPC;
  // The operating system's version as GetVersionExW reports it, and whether
  // the display can be turned (ChangeDisplaySettingsEx).
  DWORD osMajorVersion = 5;
  DWORD osMinorVersion = 1;
  bool canRotate = true;
  // The screen as the device is held upright: its size in pixels, its dots
  // per inch (96, 130 or 192; above 129 the system takes 32-pixel icons)
  // and its colour depth in bits per pixel (8, 16 or 32).
  int screenWidth = 240;
  int screenHeight = 320;
  int dpi = 96;
  int bitsPerPixel = 16;
  // The work area: the screen less the shell's navigation bar at the top,
  // as left, top, right and bottom of the upright screen. All four 0 means
  // the default: the whole width below a bar 26 pixels high at 96 dpi
  // (26 * dpi / 96). When the display is turned, the work area is the
  // turned screen less a bar as high as `workTop`.
  int workLeft = 0;
  int workTop = 0;
  int workRight = 0;
  int workBottom = 0;
  // How the display is turned when the device starts, a DMDO_ value of
  // ChangeDisplaySettingsEx (0 upright, 1 = 90, 2 = 180, 4 = 270 degrees):
  // in force until the orientation is changed (platform/shell/
  // display_settings.h); upright on a display that cannot rotate.
  DWORD orientation = 0;
};

// The profile in force: the environment's, read at the first call, unless a
// test has set one.
DeviceProfile Profile();
// The profile the environment variables describe (defaults for what is
// unset or unknown).
DeviceProfile ProfileFromEnvironment();

}  // namespace devsystem
