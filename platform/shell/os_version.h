// GetVersionExW: the operating system's version as the device profile gives
// it (Windows CE, 5.1 by default).
#pragma once

#include "platform/types/device_types.h"

struct OSVERSIONINFOW {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  WCHAR szCSDVersion[128];
};

constexpr DWORD VER_PLATFORM_WIN32_CE = 3;

// The caller sets dwOSVersionInfoSize to the record's size; a smaller size
// fails with ERROR_INSUFFICIENT_BUFFER.
BOOL GetVersionExW(OSVERSIONINFOW* info);
