// The current device profile: read from the environment on first use unless
// a test has set or reset it.
#include "platform/core/device_profile.h"

#include <strings.h>

#include <cstdlib>
#include <mutex>

#ifdef TESSALYN_TEST_HOOKS
#include "platform/core/profile_hooks.h"
#endif

namespace devsystem {

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

// A whole decimal number, or -1 when unset or not a number.
long NumberFromEnvironment(const char* name) {
  const char* text = std::getenv(name);
  if (!text || !*text) return -1;
  char* end = nullptr;
  long value = std::strtol(text, &end, 10);
  return (end && *end == 0) ? value : -1;
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
  // "480x640"; each side 16 to 4096 pixels.
  if (const char* screen = std::getenv("TESSALYN_SCREEN"); screen && *screen) {
    char* end = nullptr;
    long width = std::strtol(screen, &end, 10);
    long height = (end && (*end == 'x' || *end == 'X')) ? std::strtol(end + 1, &end, 10) : 0;
    if (end && *end == 0 && width >= 16 && width <= 4096 && height >= 16 && height <= 4096) {
      profile.screenWidth = static_cast<int>(width);
      profile.screenHeight = static_cast<int>(height);
    }
  }
  long dpi = NumberFromEnvironment("TESSALYN_DPI");
  if (dpi >= 48 && dpi <= 480) profile.dpi = static_cast<int>(dpi);
  long depth = NumberFromEnvironment("TESSALYN_DEPTH");
  if (depth == 8 || depth == 16 || depth == 32) profile.bitsPerPixel = static_cast<int>(depth);
  switch (NumberFromEnvironment("TESSALYN_ORIENTATION")) {
    case 90: profile.orientation = 1; break;
    case 180: profile.orientation = 2; break;
    case 270: profile.orientation = 4; break;
    default: break;
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

}  // namespace devsystem

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

using devsystem::DeviceProfile;

void SetProfile(const DeviceProfile& profile) {
  devsystem::ProfileState& state = devsystem::State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.profile = profile;
  state.known = true;
}

void ResetProfile() { SetProfile(DeviceProfile{}); }

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
