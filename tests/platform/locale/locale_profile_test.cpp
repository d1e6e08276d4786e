// The device profile: defaults, the environment of the program, and the
// default language queries answered from it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/locale/locale_ids.h"
#include "platform/testing/profile.h"

namespace {

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnvironment() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace

TEST(DeviceProfile, DefaultsAreAnEnglishPocketPc) {
  devtest::DeviceProfile profile = devtest::Profile();
  EXPECT_EQ(profile.language, 0x0409);
  EXPECT_EQ(profile.platform, devtest::DevicePlatform::PocketPC);
  EXPECT_EQ(GetUserDefaultLangID(), 0x0409);
  EXPECT_EQ(GetUserDefaultLCID(), 0x0409u);
  EXPECT_EQ(GetSystemDefaultLCID(), 0x0409u);
}

TEST(DeviceProfile, LanguageQueriesFollowTheProfile) {
  devtest::SetProfile({0x040C, devtest::DevicePlatform::Smartphone});
  EXPECT_EQ(GetUserDefaultLangID(), 0x040C);
  EXPECT_EQ(PRIMARYLANGID(GetUserDefaultLangID()), LANG_FRENCH);
  EXPECT_EQ(GetSystemDefaultLangID(), 0x040C);
  EXPECT_EQ(GetUserDefaultUILanguage(), 0x040C);
  devtest::ResetProfile();
  EXPECT_EQ(GetUserDefaultLangID(), 0x0409);
}

TEST(DeviceProfile, ProgramReadsTheEnvironment) {
  struct Case {
    const char* lang;
    const char* platform;
    WORD language;
    devtest::DevicePlatform type;
  } cases[] = {
      {"fr", "smartphone", 0x040C, devtest::DevicePlatform::Smartphone},
      {"FR", "SmartPhone", 0x040C, devtest::DevicePlatform::Smartphone},
      {"en", "pocketpc", 0x0409, devtest::DevicePlatform::PocketPC},
      {nullptr, nullptr, 0x0409, devtest::DevicePlatform::PocketPC},
      {"de", "toaster", 0x0409, devtest::DevicePlatform::PocketPC},
  };
  for (const Case& c : cases) {
    ScopedEnvironment lang("TESSALYN_LANG", c.lang);
    ScopedEnvironment platform("TESSALYN_PLATFORM", c.platform);
    devtest::DeviceProfile profile = devtest::ProfileFromEnvironment();
    EXPECT_EQ(profile.language, c.language) << (c.lang ? c.lang : "(unset)");
    EXPECT_EQ(profile.platform, c.type) << (c.platform ? c.platform : "(unset)");
  }
}
