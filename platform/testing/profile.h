// The emulated device's profile: what kind of device the system runs on.
// ResetProfile() (part of ResetDevice) gives the default device, an English
// Pocket PC; a test sets its own with SetProfile. Without a reset (the
// program) the profile comes from the environment: TESSALYN_LANG (en, fr)
// and TESSALYN_PLATFORM (pocketpc, smartphone). Later concerns add their
// fields (screen, dpi, OS version) with their defaults here.
#pragma once

#include "platform/types/device_types.h"

namespace devtest {

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
};

DeviceProfile Profile();
void SetProfile(const DeviceProfile& profile);
// The profile the environment variables describe (defaults for what is
// unset or unknown).
DeviceProfile ProfileFromEnvironment();
void ResetProfile();

}  // namespace devtest
