// SystemParametersInfoW: the device settings the system reads and writes.
//   SPI_GETWORKAREA (48): *(RECT*)pvParam = the work area, the screen less
//     the shell's navigation bar (platform/windows/screen.h), as the display
//     is turned now.
//   SPI_GETBATTERYIDLETIMEOUT (252): *(DWORD*)pvParam = seconds.
//   SPI_SETBATTERYIDLETIMEOUT (251): uiParam = seconds; SPIF_SENDCHANGE
//     broadcasts the change.
//   SPI_GETPLATFORMTYPE (257): pvParam = a WCHAR buffer of uiParam bytes,
//     filled with "PocketPC" or "SmartPhone" (error 122 when too small);
//     tests can make it refused with error 5, as some Smartphones do.
// Other actions fail with error 87. The stored values are visible to tests
// (system_parameters_hooks.h).
#pragma once

#include "platform/types/device_types.h"
#include "platform/types/geometry_types.h"

constexpr UINT SPI_GETWORKAREA = 48;
constexpr UINT SPI_SETBATTERYIDLETIMEOUT = 251;
constexpr UINT SPI_GETBATTERYIDLETIMEOUT = 252;
constexpr UINT SPI_GETPLATFORMTYPE = 257;

constexpr UINT SPIF_UPDATEINIFILE = 0x0001;
constexpr UINT SPIF_SENDCHANGE = 0x0002;

BOOL SystemParametersInfoW(UINT action, UINT uiParam, LPVOID pvParam, UINT winIni);

namespace devsystem {

// The battery idle time-out, in seconds, the device starts with.
constexpr DWORD kDefaultBatteryIdleTimeout = 180;

}  // namespace devsystem
