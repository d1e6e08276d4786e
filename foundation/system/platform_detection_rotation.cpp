// Screen rotation through ChangeDisplaySettingsEx, with the process-wide
// latch that a refused rotation sets.
#include <atomic>

#include "foundation/system/late_bound_apis.h"
#include "foundation/system/platform_detection.h"
#include "foundation/system/platform_detection_testing.h"
#include "platform/shell/os_version.h"

namespace {

// Set by the first refused rotation; never cleared in the program.
std::atomic<bool> g_rotationFailed{false};

// The first version whose display can be turned is above 4.20.
constexpr DWORD kLastFixedVersion = 420;

bool ReadOsVersion(DWORD* major, DWORD* minor) {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExW(&info) || info.dwPlatformId != VER_PLATFORM_WIN32_CE) return false;
  *major = info.dwMajorVersion;
  *minor = info.dwMinorVersion;
  return true;
}

DEVMODEW DisplayMode(DWORD fields) {
  DEVMODEW mode{};
  mode.dmSize = sizeof(mode);
  mode.dmFields = fields;
  return mode;
}

}  // namespace

bool CanRotateScreen() {
  DWORD major = 0, minor = 0;
  if (!ReadOsVersion(&major, &minor) || major * 100 + minor <= kLastFixedVersion) return false;
  DEVMODEW mode = DisplayMode(DM_DISPLAYQUERYORIENTATION);
  if (CallChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr) != DISP_CHANGE_SUCCESSFUL) return false;
  return !g_rotationFailed.load();
}

bool SetScreenOrientation(int32_t code) {
  DEVMODEW mode = DisplayMode(DM_DISPLAYORIENTATION);
  switch (code) {
    case 1: mode.dmDisplayOrientation = DMDO_270; break;
    case 2: mode.dmDisplayOrientation = DMDO_90; break;
    case 3: mode.dmDisplayOrientation = DMDO_180; break;
    default: mode.dmDisplayOrientation = DMDO_0; break;
  }
  if (CallChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_RESET, nullptr) != DISP_CHANGE_SUCCESSFUL) {
    g_rotationFailed.store(true);
    return false;
  }
  return true;
}

int32_t GetScreenOrientation() {
  DEVMODEW mode = DisplayMode(DM_DISPLAYORIENTATION);
  CallChangeDisplaySettingsEx(nullptr, &mode, nullptr, CDS_TEST, nullptr);
  switch (mode.dmDisplayOrientation) {
    case DMDO_90: return 2;
    case DMDO_180: return 3;
    case DMDO_270: return 1;
    default: return 0;
  }
}

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

void ResetRotationFailed() { g_rotationFailed.store(false); }

}  // namespace devtest
#endif
