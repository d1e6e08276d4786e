// Localised texts: the language offset fixed at first use, the pointer
// look-up, the default locale and the battery time-out exchange.
#include <gtest/gtest.h>

#include <string>

#include "foundation/language/localized_strings.h"
#include "foundation/language/localized_strings_testing.h"
#include "platform/resources/program_resources.h"
#include "platform/testing/profile.h"
#include "platform/testing/system_parameters.h"
#include "resources/tessalyn_resources.h"

namespace {

const StringTableEntry kStrings[] = {
    {5023, u"Library"}, {5024, u"Only English"}, {6023, u"Biblioth\u00e8que"}, {20000, u"tessalyn"},
};

class LocalizedStrings : public ::testing::Test {
 protected:
  void SetUp() override {
    devtest::ResetLanguageOffset();
    ProgramResources resources;
    resources.strings = kStrings;
    resources.stringCount = sizeof(kStrings) / sizeof(kStrings[0]);
    InstallProgramResources(resources);
  }
  void TearDown() override {
    InstallTessalynResources();
    devtest::ResetLanguageOffset();
  }
  static void SetLanguage(WORD language) {
    devtest::DeviceProfile profile = devtest::Profile();
    profile.language = language;
    devtest::SetProfile(profile);
  }
};

}  // namespace

TEST_F(LocalizedStrings, EnglishLoadsTheIdentifierItself) {
  EXPECT_EQ(GetUiLanguage(), 9);
  EXPECT_EQ(LocalizeStringId(5023), 5023u);
  EXPECT_EQ(LoadLocalizedString(5023), kStrings[0].text);  // the stored text, not a copy
  EXPECT_EQ(LoadLocalizedString(5025), nullptr);
}

TEST_F(LocalizedStrings, FrenchAddsOneThousand) {
  for (WORD french : {0x040C, 0x080C, 0x0C0C}) {
    devtest::ResetLanguageOffset();
    SetLanguage(french);
    EXPECT_EQ(GetUiLanguage(), 12);
    EXPECT_EQ(LocalizeStringId(5023), 6023u);
    EXPECT_EQ(std::u16string(LoadLocalizedString(5023)), u"Biblioth\u00e8que");
    EXPECT_EQ(LoadLocalizedString(5024), nullptr) << "no fallback to the English text";
  }
}

TEST_F(LocalizedStrings, OffsetIsFixedAtFirstUse) {
  EXPECT_EQ(LocalizeStringId(5023), 5023u);
  SetLanguage(0x040C);
  EXPECT_EQ(GetUiLanguage(), 12);  // the language itself is asked anew
  EXPECT_EQ(LocalizeStringId(5023), 5023u);
  EXPECT_EQ(LoadLocalizedString(5023), kStrings[0].text);

  devtest::ResetLanguageOffset();
  EXPECT_EQ(LocalizeStringId(5023), 6023u);
  SetLanguage(0x0409);
  EXPECT_EQ(LocalizeStringId(5023), 6023u);
}

TEST_F(LocalizedStrings, OtherLanguagesAreEnglish) {
  SetLanguage(0x0407);
  EXPECT_EQ(GetUiLanguage(), 9);
  EXPECT_EQ(LocalizeStringId(5023), 5023u);
}

TEST_F(LocalizedStrings, DefaultLocaleIdIsThePlatforms) {
  EXPECT_EQ(GetDefaultLocaleId(), 0x0409u);
  SetLanguage(0x040C);
  EXPECT_EQ(GetDefaultLocaleId(), 0x040Cu);
}

TEST(BatteryIdleTimeout, ExchangeTwiceRestoresTheOldValue) {
  devtest::SetBatteryIdleTimeout(120);
  uint32_t old = ExchangeBatteryIdleTimeout(3600);
  EXPECT_EQ(old, 120u);
  EXPECT_EQ(devtest::BatteryIdleTimeout(), 3600u);
  EXPECT_EQ(ExchangeBatteryIdleTimeout(old), 3600u);
  EXPECT_EQ(devtest::BatteryIdleTimeout(), 120u);
  EXPECT_EQ(devtest::SettingChangeBroadcasts(), 2);
}
