// Replacing the device profile: test and fuzz builds only (tests reach it
// through platform/testing/profile.h).
#pragma once

#ifndef TESSALYN_TEST_HOOKS
#error "the profile hooks exist only in test and fuzz builds"
#endif

#include "platform/core/device_profile.h"

namespace devtest {

void SetProfile(const devsystem::DeviceProfile& profile);
// The default device, an English Pocket PC (part of ResetDevice).
void ResetProfile();

}  // namespace devtest
