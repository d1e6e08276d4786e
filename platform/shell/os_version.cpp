// GetVersionExW from the device profile.
#include "platform/shell/os_version.h"

#include "platform/core/last_error.h"
#include "platform/core/device_profile.h"

BOOL GetVersionExW(OSVERSIONINFOW* info) {
  if (!info) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (info->dwOSVersionInfoSize < sizeof(OSVERSIONINFOW)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  devsystem::DeviceProfile profile = devsystem::Profile();
  info->dwMajorVersion = profile.osMajorVersion;
  info->dwMinorVersion = profile.osMinorVersion;
  info->dwBuildNumber = 0;
  info->dwPlatformId = VER_PLATFORM_WIN32_CE;
  info->szCSDVersion[0] = 0;
  return TRUE;
}
