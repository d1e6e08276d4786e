// SYSTEMTIME and FILETIME conversions and the device clock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/core/last_error.h"
#include "platform/testing/clock.h"
#include "platform/time/system_time.h"
#include "platform/time/tick_count.h"

namespace {

uint64_t Ticks(const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }
FILETIME FromTicks(uint64_t v) { return FILETIME{static_cast<DWORD>(v), static_cast<DWORD>(v >> 32)}; }

SYSTEMTIME Time(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return SYSTEMTIME{static_cast<WORD>(y), static_cast<WORD>(mo), 0, static_cast<WORD>(d), static_cast<WORD>(h),
                    static_cast<WORD>(mi), static_cast<WORD>(s), static_cast<WORD>(ms)};
}

void ExpectFields(const SYSTEMTIME& t, int y, int mo, int d, int h, int mi, int s, int ms) {
  EXPECT_EQ(t.wYear, y);
  EXPECT_EQ(t.wMonth, mo);
  EXPECT_EQ(t.wDay, d);
  EXPECT_EQ(t.wHour, h);
  EXPECT_EQ(t.wMinute, mi);
  EXPECT_EQ(t.wSecond, s);
  EXPECT_EQ(t.wMilliseconds, ms);
}

}  // namespace

TEST(SystemTime, KnownFileTimes) {
  struct Case {
    SYSTEMTIME time;
    uint64_t ticks;
    int weekday;
  } cases[] = {
      {Time(1601, 1, 1), 0, 1},
      {Time(1904, 1, 1), 95616288000000000ull, 5},
      {Time(1970, 1, 1), 116444736000000000ull, 4},
      {Time(2000, 2, 29, 12, 34, 56, 789), 125963012967890000ull, 2},
      {Time(30827, 12, 31, 23, 59, 59, 999), 9223149887999990000ull, 5},
  };
  for (const Case& c : cases) {
    FILETIME ft{};
    ASSERT_TRUE(SystemTimeToFileTime(&c.time, &ft)) << c.time.wYear;
    EXPECT_EQ(Ticks(ft), c.ticks) << c.time.wYear;
    SYSTEMTIME back{};
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
    ExpectFields(back, c.time.wYear, c.time.wMonth, c.time.wDay, c.time.wHour, c.time.wMinute, c.time.wSecond,
                 c.time.wMilliseconds);
    EXPECT_EQ(back.wDayOfWeek, c.weekday) << c.time.wYear;
  }
}

TEST(SystemTime, EveryDayFrom1601To2400StepsByOneDay) {
  // An independent calendar walk: the file time grows by exactly one day per
  // step and comes back with the same fields and the next weekday.
  const uint64_t day = 864000000000ull;
  int y = 1601, m = 1, d = 1, weekday = 1;
  for (uint64_t ticks = 0; y <= 2400; ticks += day) {
    SYSTEMTIME t = Time(y, m, d, 6, 7, 8, 9);
    FILETIME ft{};
    ASSERT_TRUE(SystemTimeToFileTime(&t, &ft)) << y << "-" << m << "-" << d;
    ASSERT_EQ(Ticks(ft), ticks + 6 * 36000000000ull + 7 * 600000000ull + 8 * 10000000ull + 90000ull);
    SYSTEMTIME back{};
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
    ASSERT_EQ(back.wDay, d);
    ASSERT_EQ(back.wMonth, m);
    ASSERT_EQ(back.wYear, y);
    ASSERT_EQ(back.wDayOfWeek, weekday);
    weekday = (weekday + 1) % 7;
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    int lengths[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (++d > lengths[m - 1]) {
      d = 1;
      if (++m > 12) {
        m = 1;
        ++y;
      }
    }
  }
}

TEST(SystemTime, InvalidFieldsAndFileTimesFail) {
  SYSTEMTIME bad[] = {Time(1600, 12, 31), Time(30828, 1, 1),    Time(2000, 0, 1),         Time(2000, 13, 1),
                      Time(1900, 2, 29),  Time(2001, 4, 31),    Time(2000, 1, 0),         Time(2000, 1, 1, 24),
                      Time(2000, 1, 1, 0, 60), Time(2000, 1, 1, 0, 0, 60), Time(2000, 1, 1, 0, 0, 0, 1000)};
  for (const SYSTEMTIME& t : bad) {
    SetLastError(0);
    FILETIME ft{1, 2};
    EXPECT_FALSE(SystemTimeToFileTime(&t, &ft)) << t.wYear << "-" << t.wMonth << "-" << t.wDay;
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  FILETIME negative = FromTicks(0x8000000000000000ull);
  SYSTEMTIME out{};
  EXPECT_FALSE(FileTimeToSystemTime(&negative, &out));
  EXPECT_FALSE(FileTimeToLocalFileTime(&negative, &negative));
  EXPECT_FALSE(SystemTimeToFileTime(nullptr, &negative));
}

TEST(SystemTime, CompareFileTimeComparesHighWordFirst) {
  FILETIME a{0xFFFFFFFF, 1}, b{0, 2}, c{0, 2};
  EXPECT_EQ(CompareFileTime(&a, &b), -1);
  EXPECT_EQ(CompareFileTime(&b, &a), 1);
  EXPECT_EQ(CompareFileTime(&b, &c), 0);
}

TEST(DeviceClock, StartsAtTheDefaultTimeAndMovesOnlyWhenAdvanced) {
  SYSTEMTIME now{};
  GetSystemTime(&now);
  ExpectFields(now, 2025, 6, 15, 12, 0, 0, 0);
  EXPECT_EQ(now.wDayOfWeek, 0);
  EXPECT_EQ(GetTickCount(), devtest::kDefaultTickCount);
  EXPECT_EQ(GetTickCount(), devtest::kDefaultTickCount);

  devtest::AdvanceClock(90061001);  // 1 day, 1 h, 1 min, 1.001 s
  GetSystemTime(&now);
  ExpectFields(now, 2025, 6, 16, 13, 1, 1, 1);
  EXPECT_EQ(GetTickCount(), devtest::kDefaultTickCount + 90061001);

  devtest::SetTickCount(0xFFFFFFF0u);
  devtest::AdvanceClock(0x20);
  EXPECT_EQ(GetTickCount(), 0x10u);  // wraps like the device's
}

TEST(DeviceClock, SetClockAndLocalTime) {
  devtest::SetClock(1999, 12, 31, 23, 30);
  devtest::SetTimeZone(devtest::FixedOffsetZone(60));
  SYSTEMTIME utc{}, local{};
  GetSystemTime(&utc);
  GetLocalTime(&local);
  ExpectFields(utc, 1999, 12, 31, 23, 30, 0, 0);
  ExpectFields(local, 2000, 1, 1, 0, 30, 0, 0);
  EXPECT_EQ(local.wDayOfWeek, 6);
  FILETIME ft = devtest::ClockFileTime();
  devtest::SetClockFileTime(FromTicks(Ticks(ft) + 10000));
  GetSystemTime(&utc);
  EXPECT_EQ(utc.wMilliseconds, 1);
}

TEST(DeviceClock, HostClockFollowsTheRealTime) {
  devtest::UseHostClock();
  SYSTEMTIME now{};
  GetSystemTime(&now);
  FILETIME ft{};
  ASSERT_TRUE(SystemTimeToFileTime(&now, &ft));
  int64_t deviceSeconds = static_cast<int64_t>((Ticks(ft) - 116444736000000000ull) / 10000000);
  EXPECT_LE(std::llabs(deviceSeconds - static_cast<int64_t>(std::time(nullptr))), 5);
  // The host zone converts with the host's own offset at that time.
  time_t t = std::time(nullptr);
  tm hostLocal{};
  localtime_r(&t, &hostLocal);
  FILETIME utc = FromTicks(116444736000000000ull + static_cast<uint64_t>(t) * 10000000), local{};
  ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
  EXPECT_EQ(static_cast<int64_t>(Ticks(local) - Ticks(utc)), hostLocal.tm_gmtoff * 10000000ll);
  FILETIME back{};
  ASSERT_TRUE(LocalFileTimeToFileTime(&local, &back));
  EXPECT_EQ(Ticks(back), Ticks(utc));
}

// SetSystemTime moves the device's clock, never the host's: a virtual clock
// stands at the time set, the host clock runs on from it. Bad times are
// refused and change nothing.
TEST(DeviceClock, SetSystemTimeSetsTheDeviceClock) {
  DWORD ticks = GetTickCount();
  SYSTEMTIME wanted = Time(2031, 3, 4, 5, 6, 7, 8);
  ASSERT_TRUE(SetSystemTime(&wanted));
  SYSTEMTIME now{};
  GetSystemTime(&now);
  ExpectFields(now, 2031, 3, 4, 5, 6, 7, 8);
  EXPECT_EQ(GetTickCount(), ticks);

  SYSTEMTIME badMonth = Time(2031, 13, 1);
  SYSTEMTIME badDay = Time(2031, 2, 29);
  SYSTEMTIME tooEarly = Time(1600, 12, 31);
  SYSTEMTIME* refused[] = {nullptr, &badMonth, &badDay, &tooEarly};
  for (SYSTEMTIME* bad : refused) {
    SetLastError(0);
    EXPECT_FALSE(SetSystemTime(bad));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  GetSystemTime(&now);
  ExpectFields(now, 2031, 3, 4, 5, 6, 7, 8);

  devtest::UseHostClock();
  SYSTEMTIME past = Time(1990, 1, 1);
  ASSERT_TRUE(SetSystemTime(&past));
  GetSystemTime(&now);
  FILETIME set{}, read{};
  ASSERT_TRUE(SystemTimeToFileTime(&past, &set));
  ASSERT_TRUE(SystemTimeToFileTime(&now, &read));
  EXPECT_GE(Ticks(read), Ticks(set));
  EXPECT_LT(Ticks(read) - Ticks(set), 5 * 10000000ull);
  // The host's own clock is untouched (1990 is long before 2001-09-09).
  EXPECT_GT(std::time(nullptr), 1000000000);
}
