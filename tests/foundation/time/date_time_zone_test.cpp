// Local time of TimeValue: both platform paths (kernel32's zone functions
// and the FILETIME pair) give the local time in force at the converted
// time, also when "now" lies in the other season.
#include <gtest/gtest.h>

#include <cmath>

#include "foundation/time/date_time.h"
#include "foundation/time/date_time_testing.h"
#include "platform/modules/modules.h"
#include "platform/testing/clock.h"
#include "platform/testing/modules.h"

namespace {

constexpr double kHour = 3600000.0;
constexpr double kWinterNoon = 1736942400000.0;  // 2025-01-15 12:00 UTC
constexpr double kSummerNoon = 1752580800000.0;  // 2025-07-15 12:00 UTC

class LocalTime : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    devtest::ResetTimeZoneBinding();
    if (!GetParam()) devtest::SetModulePresent("kernel32.dll", false);
  }
  void TearDown() override { devtest::ResetTimeZoneBinding(); }
};

std::string PathName(const ::testing::TestParamInfo<bool>& info) {
  return info.param ? "WithKernel32" : "WithFileTimePair";
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(BothPaths, LocalTime, ::testing::Bool(), PathName);

TEST_P(LocalTime, DaylightSavingFollowsTheConvertedDate) {
  struct Case {
    TIME_ZONE_INFORMATION (*zone)();
    double utc;
    double offsetHours;
  } cases[] = {
      {devtest::CentralEuropeanZone, kWinterNoon, 1},
      {devtest::CentralEuropeanZone, kSummerNoon, 2},
      {devtest::UsEasternZone, kWinterNoon, -5},
      {devtest::UsEasternZone, kSummerNoon, -4},
      {devtest::SydneyZone, kWinterNoon, 11},
      {devtest::SydneyZone, kSummerNoon, 10},
  };
  for (int season = 0; season < 2; ++season) {
    devtest::SetClock(2025, season ? 7 : 1, 10);  // "now" in either season
    for (const Case& c : cases) {
      devtest::SetTimeZone(c.zone());
      double local = ConvertUtcLocal(true, c.utc);
      EXPECT_EQ(local - c.utc, c.offsetHours * kHour) << c.offsetHours << " " << c.utc;
      EXPECT_EQ(ConvertUtcLocal(false, local), c.utc);
      EXPECT_EQ(TimeValue{c.utc}.LocalOffset(), c.offsetHours * kHour);
    }
  }
}

TEST_P(LocalTime, SplitAndComposeInLocalTime) {
  devtest::SetTimeZone(devtest::CentralEuropeanZone());
  devtest::SetClock(2025, 1, 1);
  TimeValue summer{kSummerNoon + 1234};
  int32_t y, mo, d, wd, h, mi, s, ms;
  ASSERT_TRUE(summer.Split(false, &y, &mo, &d, &wd, &h, &mi, &s, &ms));
  EXPECT_EQ(y, 2025);
  EXPECT_EQ(mo, 6);
  EXPECT_EQ(d, 15);
  EXPECT_EQ(h, 14);
  EXPECT_EQ(s, 1);
  EXPECT_EQ(ms, 234);
  TimeValue composed{NAN};
  ASSERT_TRUE(composed.Compose(false, &y, &mo, &d, &h, &mi, &s, &ms));
  EXPECT_EQ(composed.milliseconds, summer.milliseconds);
  // Local midnight across the year end in a zone east of UTC.
  devtest::SetTimeZone(devtest::FixedOffsetZone(60));
  int32_t year = 2026, month = 0, day = 1, zero = 0;
  ASSERT_TRUE(composed.Compose(false, &year, &month, &day, &zero, &zero, &zero, &zero));
  ASSERT_TRUE(composed.Split(true, &y, &mo, &d, nullptr, &h, nullptr, nullptr, nullptr));
  EXPECT_EQ(y, 2025);
  EXPECT_EQ(mo, 11);
  EXPECT_EQ(d, 31);
  EXPECT_EQ(h, 23);
  EXPECT_EQ(composed.ToLocalOrUtc(false).milliseconds, composed.milliseconds + kHour);
  EXPECT_EQ(composed.ToLocalOrUtc(true).milliseconds, composed.milliseconds);
}

TEST_P(LocalTime, TimesBeyondAFileTimeTakeTheNearestOffset) {
  devtest::SetTimeZone(devtest::FixedOffsetZone(60));
  for (double t : {-62135596800000.0 /* 0001-01-01 */, -8.64e15, 8.64e15, 253402300800000.0 /* 10000 */}) {
    EXPECT_EQ(ConvertUtcLocal(true, t), t + kHour) << t;
    EXPECT_EQ(ConvertUtcLocal(false, t), t - kHour) << t;
  }
  EXPECT_TRUE(std::isnan(ConvertUtcLocal(true, NAN)));
  EXPECT_TRUE(std::isnan(TimeValue{NAN}.LocalOffset()));
  // Year 1 in local time splits to its own fields.
  int32_t year = 1, month = 0, day = 1, zero = 0, y, mo, d, h;
  TimeValue first{NAN};
  ASSERT_TRUE(first.Compose(false, &year, &month, &day, &zero, &zero, &zero, &zero));
  ASSERT_TRUE(first.Split(false, &y, &mo, &d, nullptr, &h, nullptr, nullptr, nullptr));
  EXPECT_EQ(y, 1);
  EXPECT_EQ(mo, 0);
  EXPECT_EQ(d, 1);
  EXPECT_EQ(h, 0);
}

TEST(LocalTimeBinding, LooksKernel32UpOnceAndKeepsIt) {
  devtest::ResetTimeZoneBinding();
  devtest::SetModulePresent("kernel32.dll", false);
  ConvertUtcLocal(true, 0);
  EXPECT_EQ(GetModuleHandleW(u"kernel32.dll"), nullptr);
  devtest::SetModulePresent("kernel32.dll", true);
  ConvertUtcLocal(true, 0);
  EXPECT_EQ(GetModuleHandleW(u"kernel32.dll"), nullptr) << "the first outcome holds for the run";
  devtest::ResetTimeZoneBinding();
  ConvertUtcLocal(true, 0);
  EXPECT_NE(GetModuleHandleW(u"kernel32.dll"), nullptr);
  devtest::ResetTimeZoneBinding();
  EXPECT_EQ(GetModuleHandleW(u"kernel32.dll"), nullptr);
}
