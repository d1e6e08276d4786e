// The device settings behind SystemParametersInfoW, seen and changed by
// tests: test and fuzz builds only (tests reach them through
// platform/testing/system_parameters.h). After ResetSystemParameters()
// (part of ResetDevice) the battery idle time-out is
// kDefaultBatteryIdleTimeout seconds, no change has been broadcast and the
// platform type is answered.
#pragma once

#ifndef TESSALYN_TEST_HOOKS
#error "the settings hooks exist only in test and fuzz builds"
#endif

#include "platform/system/system_parameters.h"

namespace devtest {

constexpr DWORD kDefaultBatteryIdleTimeout = devsystem::kDefaultBatteryIdleTimeout;

DWORD BatteryIdleTimeout();
void SetBatteryIdleTimeout(DWORD seconds);
// Settings changes written with SPIF_SENDCHANGE since the reset.
int SettingChangeBroadcasts();
// While on, the platform-type query (SPI_GETPLATFORMTYPE) fails with
// error 5 (access denied), as on Smartphones that refuse it.
void RefusePlatformTypeQuery(bool refuse);
void ResetSystemParameters();

}  // namespace devtest
