// Test control of the emulated device's profile (platform/core/
// device_profile.h): what kind of device the system runs on. ResetProfile()
// (part of ResetDevice) gives the default device, an English Pocket PC; a
// test sets its own with SetProfile. Without a reset (the program) the
// profile comes from the environment.
#pragma once

#include "platform/core/device_profile.h"
#include "platform/core/profile_hooks.h"

namespace devtest {

using devsystem::DevicePlatform;
using devsystem::DeviceProfile;
using devsystem::Profile;
using devsystem::ProfileFromEnvironment;

}  // namespace devtest
