// The current device profile: read from the environment on first use unless
// a test has set or reset it.
#include <strings.h>

#include <cstdlib>
#include <mutex>

#include "platform/testing/profile.h"

namespace devtest {

namespace {

struct ProfileState {
  std::mutex lock;
  bool known = false;
  DeviceProfile profile;
};

ProfileState& State() {
  static ProfileState* state = new ProfileState;  // lives for the process
  return *state;
}

bool EnvironmentIs(const char* name, const char* value) {
  const char* text = std::getenv(name);
  return text && strcasecmp(text, value) == 0;
}

}  // namespace

DeviceProfile ProfileFromEnvironment() {
  DeviceProfile profile;
  if (EnvironmentIs("TESSALYN_LANG", "fr")) profile.language = 0x040C;
  if (EnvironmentIs("TESSALYN_PLATFORM", "smartphone")) profile.platform = DevicePlatform::Smartphone;
  // "major.minor", e.g. 4.21.
  if (const char* version = std::getenv("TESSALYN_OS_VERSION"); version && *version) {
    char* end = nullptr;
    unsigned long major = std::strtoul(version, &end, 10);
    unsigned long minor = (end && *end == '.') ? std::strtoul(end + 1, nullptr, 10) : 0;
    if (major > 0 && major < 100 && minor < 100) {
      profile.osMajorVersion = static_cast<DWORD>(major);
      profile.osMinorVersion = static_cast<DWORD>(minor);
    }
  }
  return profile;
}

DeviceProfile Profile() {
  ProfileState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  if (!state.known) {
    state.profile = ProfileFromEnvironment();
    state.known = true;
  }
  return state.profile;
}

void SetProfile(const DeviceProfile& profile) {
  ProfileState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.profile = profile;
  state.known = true;
}

void ResetProfile() { SetProfile(DeviceProfile{}); }

}  // namespace devtest
