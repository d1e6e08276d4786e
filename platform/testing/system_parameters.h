// Test control of the device settings behind SystemParametersInfoW. After
// ResetSystemParameters() (part of ResetDevice) the battery idle time-out is
// kDefaultBatteryIdleTimeout seconds, no change has been broadcast and the
// platform type is answered.
#pragma once

#include "platform/types/device_types.h"

namespace devtest {

constexpr DWORD kDefaultBatteryIdleTimeout = 180;

DWORD BatteryIdleTimeout();
void SetBatteryIdleTimeout(DWORD seconds);
// Settings changes written with SPIF_SENDCHANGE since the reset.
int SettingChangeBroadcasts();
// While on, the platform-type query (SPI_GETPLATFORMTYPE) fails with
// error 5 (access denied), as on Smartphones that refuse it.
void RefusePlatformTypeQuery(bool refuse);
void ResetSystemParameters();

}  // namespace devtest
