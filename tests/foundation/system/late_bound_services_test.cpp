// Services over the late-bound table: platform type and system folder,
// rotation (version threshold, the display's answer, the latch after a
// refused rotation), notifications, change notifications and hardware keys.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/system/late_bound_apis.h"
#include "foundation/language/localized_strings_testing.h"
#include "foundation/system/platform_detection.h"
#include "foundation/system/platform_detection_testing.h"
#include "platform/files/files.h"
#include "platform/testing/modules.h"
#include "platform/testing/profile.h"
#include "platform/testing/shell.h"

namespace {

HWND Window(uintptr_t n) { return reinterpret_cast<HWND>(n * 16); }

class PlatformServices : public ::testing::Test {
 protected:
  void SetUp() override {
    devtest::ResetShell();
    devtest::ResetRotationFailed();
    devtest::ResetLanguageOffset();
  }
  void TearDown() override {
    devtest::ResetModules();
    LateBoundApis::Instance().Load();
    devtest::ResetRotationFailed();
  }
  static void SetDevice(DWORD major, DWORD minor, bool canRotate = true,
                        devtest::DevicePlatform platform = devtest::DevicePlatform::PocketPC) {
    devtest::DeviceProfile profile = devtest::Profile();
    profile.osMajorVersion = major;
    profile.osMinorVersion = minor;
    profile.canRotate = canRotate;
    profile.platform = platform;
    devtest::SetProfile(profile);
  }
};

std::u16string TextOf(EncodedString& s) { return s.ByteLength() ? std::u16string(s.CStr()) : std::u16string(); }

TEST_F(PlatformServices, RotationNeedsAVersionAbove420) {
  struct Case {
    DWORD major, minor;
    bool canRotate;
  };
  const Case cases[] = {{4, 20, false}, {4, 21, true}, {5, 0, true}, {5, 1, true}, {3, 99, false}, {4, 2, false}};
  for (const auto& c : cases) {
    SetDevice(c.major, c.minor);
    EXPECT_EQ(CanRotateScreen(), c.canRotate) << c.major << "." << c.minor;
  }
  SetDevice(5, 1, /*canRotate=*/false);
  EXPECT_FALSE(CanRotateScreen());
}

TEST_F(PlatformServices, OrientationCodesMapToThePlatformsAndBack) {
  struct Case {
    int32_t code;
    DWORD platform;
  };
  const Case cases[] = {{1, DMDO_270}, {2, DMDO_90}, {3, DMDO_180}, {0, DMDO_0}};
  for (const auto& c : cases) {
    ASSERT_TRUE(SetScreenOrientation(c.code)) << c.code;
    EXPECT_EQ(devtest::DisplayOrientation(), c.platform) << c.code;
    EXPECT_EQ(GetScreenOrientation(), c.code) << c.code;
  }
  EXPECT_TRUE(SetScreenOrientation(7));  // anything else is upright
  EXPECT_EQ(devtest::DisplayOrientation(), DMDO_0);
  auto calls = devtest::ShellCallsTo("ChangeDisplaySettingsEx");
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls[0].args, (std::vector<int64_t>{DM_DISPLAYORIENTATION, DMDO_270, CDS_RESET}));
}

TEST_F(PlatformServices, OneRefusedRotationLatchesForTheProcess) {
  ASSERT_TRUE(CanRotateScreen());
  devtest::FailDisplayChanges(DISP_CHANGE_FAILED);
  EXPECT_FALSE(SetScreenOrientation(2));
  devtest::FailDisplayChanges(0);
  EXPECT_FALSE(CanRotateScreen());
  EXPECT_TRUE(SetScreenOrientation(2));  // the display itself works again
  EXPECT_FALSE(CanRotateScreen());
}

TEST_F(PlatformServices, WithoutDisplaySettingsNothingRotates) {
  devtest::SetExportPresent("coredll.dll", "ChangeDisplaySettingsEx", false);
  LateBoundApis::Instance().Load();
  devtest::SetDisplayOrientation(DMDO_90);
  EXPECT_FALSE(CanRotateScreen());
  EXPECT_EQ(GetScreenOrientation(), 0);
  EXPECT_FALSE(SetScreenOrientation(1));
  EXPECT_EQ(devtest::DisplayOrientation(), DMDO_90);
}

TEST_F(PlatformServices, PlatformTypeAndSystemFolder) {
  EncodedString folder;
  EXPECT_EQ(GetPlatformType(), kPlatformPocketPc);
  GetSystemFolder(&folder);
  EXPECT_EQ(TextOf(folder), u"\\Windows\\");

  SetDevice(5, 1, true, devtest::DevicePlatform::Smartphone);
  EXPECT_EQ(GetPlatformType(), kPlatformSmartphone);
  GetSystemFolder(&folder);
  EXPECT_EQ(TextOf(folder), u"\\Windows\\");  // no application-data folder yet
  ASSERT_TRUE(CreateDirectoryW(u"\\Application Data", nullptr));
  GetSystemFolder(&folder);
  EXPECT_EQ(TextOf(folder), u"\\Application Data\\");
  EXPECT_EQ(folder.CodePage(), 65002);
}

TEST_F(PlatformServices, InformNotificationCarriesLocalisedTexts) {
  ASSERT_TRUE(ShowInformNotification(3, 5002, 5003));
  auto shown = devtest::ShownNotifications();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].id, 3u);
  EXPECT_TRUE(shown[0].clsid == kInformNotificationClass);
  EXPECT_EQ(shown[0].priority, SHNP_INFORM);
  EXPECT_EQ(shown[0].duration, 5u);
  EXPECT_EQ(shown[0].flags, 0u);
  EXPECT_EQ(shown[0].sink, nullptr);
  EXPECT_EQ(shown[0].html, u"Add bookmark");
  EXPECT_FALSE(shown[0].title.empty());
  RemoveNotification(3);
  EXPECT_TRUE(devtest::ShownNotifications().empty());

  devtest::SetModulePresent("aygshell.dll", false);
  LateBoundApis::Instance().Load();
  EXPECT_FALSE(ShowInformNotification(3, 5002, 5003));
}

TEST_F(PlatformServices, MediaChangeRegistrationWatchesCardsEverywhere) {
  ASSERT_TRUE(RegisterMediaChangeNotify(Window(1)));
  auto registrations = devtest::ChangeNotifyRegistrations();
  ASSERT_EQ(registrations.size(), 1u);
  EXPECT_EQ(registrations[0].events, 0x1E0);
  EXPECT_TRUE(registrations[0].folder.empty());
  EXPECT_FALSE(registrations[0].recursive);
  FILECHANGENOTIFY* note = devtest::MakeFileChangeNotification(SHCNE_MEDIAINSERTED, u"\\Storage Card");
  FreeChangeNotification(note);
  EXPECT_EQ(devtest::LiveFileChangeNotifications(), 0);
  EXPECT_TRUE(UnregisterMediaChangeNotify(Window(1)));
  EXPECT_TRUE(devtest::ChangeNotifyRegistrations().empty());
}

TEST_F(PlatformServices, HardwareKeysAreTakenFromTheShellOrFallBackToAssociation) {
  ASSERT_TRUE(CaptureHardwareKey(Window(1), 0xC1));
  auto keys = devtest::RegisteredHotKeys();
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0].window, Window(1));
  EXPECT_EQ(keys[0].id, 0xC1);
  EXPECT_EQ(keys[0].modifiers, 8u);
  EXPECT_EQ(keys[0].key, 0xC1u);

  // Another window (an options page) cannot take the key while it is held.
  EXPECT_FALSE(CaptureHardwareKey(Window(2), 0xC1));
  EXPECT_TRUE(AssociateAppKey(Window(2), 0xC1));
  EXPECT_EQ(devshell::AppKeyWindow(0xC1), Window(2));

  EXPECT_TRUE(ReleaseHardwareKey(Window(1), 0xC1));
  EXPECT_FALSE(ReleaseHardwareKey(Window(1), 0xC1));
  EXPECT_TRUE(CaptureHardwareKey(Window(2), 0xC1));
}

TEST_F(PlatformServices, DoneButtonShowsAndHides) {
  EXPECT_TRUE(ShowDoneButton(Window(1), true));
  EXPECT_TRUE(ShowDoneButton(Window(1), false));
  auto calls = devtest::ShellCallsTo("SHDoneButton");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].args, (std::vector<int64_t>{SHDB_SHOW}));
  EXPECT_EQ(calls[1].args, (std::vector<int64_t>{SHDB_HIDE}));
}

}  // namespace
