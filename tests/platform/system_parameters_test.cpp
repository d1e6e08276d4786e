// SystemParametersInfoW: the battery idle time-out and the platform type.
#include <gtest/gtest.h>

#include <string>

#include "platform/core/last_error.h"
#include "platform/system/system_parameters.h"
#include "platform/testing/profile.h"
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

TEST(SystemParameters, UnknownActionFails) {
  SetLastError(0);
  DWORD value = 0;
  EXPECT_FALSE(SystemParametersInfoW(9999, 0, &value, 0));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}
