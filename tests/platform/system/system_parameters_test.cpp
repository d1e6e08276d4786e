// SystemParametersInfoW: the battery idle time-out, the platform type and
// the work area.
#include <gtest/gtest.h>

#include <string>

#include "platform/core/last_error.h"
#include "platform/shell/display_settings.h"
#include "platform/system/system_parameters.h"
#include "platform/testing/profile.h"
#include "platform/testing/shell.h"
#include "platform/testing/system_parameters.h"

TEST(SystemParameters, BatteryIdleTimeoutIsReadAndWritten) {
  DWORD seconds = 0;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETBATTERYIDLETIMEOUT, 0, &seconds, 0));
  EXPECT_EQ(seconds, devtest::kDefaultBatteryIdleTimeout);
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETBATTERYIDLETIMEOUT, 3600, nullptr, SPIF_SENDCHANGE));
  EXPECT_EQ(devtest::BatteryIdleTimeout(), 3600u);
  EXPECT_EQ(devtest::SettingChangeBroadcasts(), 1);
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETBATTERYIDLETIMEOUT, 60, nullptr, 0));
  EXPECT_EQ(devtest::SettingChangeBroadcasts(), 1);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETBATTERYIDLETIMEOUT, 0, &seconds, 0));
  EXPECT_EQ(seconds, 60u);
  devtest::SetBatteryIdleTimeout(42);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETBATTERYIDLETIMEOUT, 0, &seconds, 0));
  EXPECT_EQ(seconds, 42u);
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETBATTERYIDLETIMEOUT, 0, nullptr, 0));
}

TEST(SystemParameters, PlatformTypeComesFromTheProfile) {
  WCHAR text[128];
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, sizeof(text), text, 0));
  EXPECT_EQ(std::u16string(text), u"PocketPC");
  devtest::SetProfile({0x0409, devtest::DevicePlatform::Smartphone});
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, sizeof(text), text, 0));
  EXPECT_EQ(std::u16string(text), u"SmartPhone");
  SetLastError(0);
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, 20, text, 0));  // 10 units: one short
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_TRUE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, 22, text, 0));
}

TEST(SystemParameters, PlatformTypeQueryCanBeRefused) {
  WCHAR text[128] = {u'x', 0};
  devtest::RefusePlatformTypeQuery(true);
  SetLastError(0);
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, sizeof(text), text, 0));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_EQ(std::u16string(text), u"x");
  devtest::ResetSystemParameters();
  EXPECT_TRUE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, sizeof(text), text, 0));
}

TEST(SystemParameters, WorkAreaIsTheScreenLessTheNavigationBar) {
  struct Case {
    const char* name;
    int width, height, dpi;
    int workLeft, workTop, workRight, workBottom;
    DWORD orientation;
    RECT expected;
  };
  const Case cases[] = {
      {"default", 240, 320, 96, 0, 0, 0, 0, DMDO_0, {0, 26, 240, 320}},
      {"192 dpi", 480, 640, 192, 0, 0, 0, 0, DMDO_0, {0, 52, 480, 640}},
      {"turned", 240, 320, 96, 0, 0, 0, 0, DMDO_90, {0, 26, 320, 240}},
      {"profile's own", 240, 320, 96, 0, 30, 240, 300, DMDO_0, {0, 30, 240, 300}},
      {"own, turned", 240, 320, 96, 0, 30, 240, 300, DMDO_270, {0, 30, 320, 240}},
  };
  for (const Case& c : cases) {
    devtest::DeviceProfile profile;
    profile.screenWidth = c.width;
    profile.screenHeight = c.height;
    profile.dpi = c.dpi;
    profile.workLeft = c.workLeft;
    profile.workTop = c.workTop;
    profile.workRight = c.workRight;
    profile.workBottom = c.workBottom;
    devtest::SetProfile(profile);
    devtest::SetDisplayOrientation(c.orientation);
    RECT work{-1, -1, -1, -1};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) << c.name;
    EXPECT_EQ(work.left, c.expected.left) << c.name;
    EXPECT_EQ(work.top, c.expected.top) << c.name;
    EXPECT_EQ(work.right, c.expected.right) << c.name;
    EXPECT_EQ(work.bottom, c.expected.bottom) << c.name;
  }
  SetLastError(0);
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETWORKAREA, 0, nullptr, 0));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(SystemParameters, UnknownActionFails) {
  SetLastError(0);
  DWORD value = 0;
  EXPECT_FALSE(SystemParametersInfoW(9999, 0, &value, 0));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}
