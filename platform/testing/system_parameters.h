// Test control of the device settings behind SystemParametersInfoW. After
// ResetSystemParameters() (part of ResetDevice) the battery idle time-out is
// kDefaultBatteryIdleTimeout seconds and no change has been broadcast.
#pragma once

#include "platform/types/device_types.h"

namespace devtest {

constexpr DWORD kDefaultBatteryIdleTimeout = 180;

DWORD BatteryIdleTimeout();
void SetBatteryIdleTimeout(DWORD seconds);
// Settings changes written with SPIF_SENDCHANGE since the reset.
int SettingChangeBroadcasts();
void ResetSystemParameters();

}  // namespace devtest
