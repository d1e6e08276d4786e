// Time zones: the rules of fixed and daylight-saving zones, the FILETIME
// pair, GetTimeZoneInformation and the kernel32 conversions.
#include <gtest/gtest.h>

#include "platform/core/last_error.h"
#include "platform/modules/modules.h"
#include "platform/testing/clock.h"
#include "platform/testing/modules.h"
#include "platform/time/time_zone.h"

namespace {

SYSTEMTIME Time(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return SYSTEMTIME{static_cast<WORD>(y), static_cast<WORD>(mo), 0, static_cast<WORD>(d),
                    static_cast<WORD>(h), static_cast<WORD>(mi), static_cast<WORD>(s), 0};
}

bool Same(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
         a.wMinute == b.wMinute && a.wSecond == b.wSecond && a.wMilliseconds == b.wMilliseconds;
}

std::string Text(const SYSTEMTIME& t) {
  char buffer[64];
  snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
           t.wSecond);
  return buffer;
}

// Local time of a UTC time through the FILETIME pair.
SYSTEMTIME LocalByFileTime(const SYSTEMTIME& utc) {
  FILETIME u{}, l{};
  SYSTEMTIME out{};
  EXPECT_TRUE(SystemTimeToFileTime(&utc, &u));
  EXPECT_TRUE(FileTimeToLocalFileTime(&u, &l));
  EXPECT_TRUE(FileTimeToSystemTime(&l, &out));
  return out;
}

SYSTEMTIME UtcByFileTime(const SYSTEMTIME& local) {
  FILETIME u{}, l{};
  SYSTEMTIME out{};
  EXPECT_TRUE(SystemTimeToFileTime(&local, &l));
  EXPECT_TRUE(LocalFileTimeToFileTime(&l, &u));
  EXPECT_TRUE(FileTimeToSystemTime(&u, &out));
  return out;
}

class Kernel32 {
 public:
  Kernel32() : module_(LoadLibraryW(u"kernel32.dll")) {
    if (!module_) return;
    toLocal_ = reinterpret_cast<SystemTimeToTzSpecificLocalTimeFunction>(
        GetProcAddressW(module_, u"SystemTimeToTzSpecificLocalTime"));
    toUtc_ = reinterpret_cast<TzSpecificLocalTimeToSystemTimeFunction>(
        GetProcAddressW(module_, u"TzSpecificLocalTimeToSystemTime"));
  }
  ~Kernel32() {
    if (module_) FreeLibrary(module_);
  }
  SystemTimeToTzSpecificLocalTimeFunction toLocal() const { return toLocal_; }
  TzSpecificLocalTimeToSystemTimeFunction toUtc() const { return toUtc_; }
  bool loaded() const { return module_ != nullptr; }

 private:
  HMODULE module_;
  SystemTimeToTzSpecificLocalTimeFunction toLocal_ = nullptr;
  TzSpecificLocalTimeToSystemTimeFunction toUtc_ = nullptr;
};

struct ZoneCase {
  const char* name;
  TIME_ZONE_INFORMATION (*zone)();
  SYSTEMTIME utc;
  SYSTEMTIME local;
};

TIME_ZONE_INFORMATION PlusOneHour() { return devtest::FixedOffsetZone(60); }
TIME_ZONE_INFORMATION MinusFiveThirty() { return devtest::FixedOffsetZone(-330); }

const ZoneCase kUtcToLocal[] = {
    {"fixed +01:00", PlusOneHour, Time(2025, 12, 31, 23, 30), Time(2026, 1, 1, 0, 30)},
    {"fixed -05:30", MinusFiveThirty, Time(2025, 1, 1, 2, 0), Time(2024, 12, 31, 20, 30)},
    {"CET winter", devtest::CentralEuropeanZone, Time(2025, 1, 15, 12), Time(2025, 1, 15, 13)},
    {"CET summer", devtest::CentralEuropeanZone, Time(2025, 7, 15, 12), Time(2025, 7, 15, 14)},
    {"CET before spring change", devtest::CentralEuropeanZone, Time(2025, 3, 30, 0, 59, 59),
     Time(2025, 3, 30, 1, 59, 59)},
    {"CET at spring change", devtest::CentralEuropeanZone, Time(2025, 3, 30, 1), Time(2025, 3, 30, 3)},
    {"CET before autumn change", devtest::CentralEuropeanZone, Time(2025, 10, 26, 0, 59, 59),
     Time(2025, 10, 26, 2, 59, 59)},
    {"CET at autumn change", devtest::CentralEuropeanZone, Time(2025, 10, 26, 1), Time(2025, 10, 26, 2)},
    {"US Eastern before spring", devtest::UsEasternZone, Time(2025, 3, 9, 6, 59), Time(2025, 3, 9, 1, 59)},
    {"US Eastern at spring", devtest::UsEasternZone, Time(2025, 3, 9, 7), Time(2025, 3, 9, 3)},
    {"US Eastern before autumn", devtest::UsEasternZone, Time(2025, 11, 2, 5, 59), Time(2025, 11, 2, 1, 59)},
    {"US Eastern at autumn", devtest::UsEasternZone, Time(2025, 11, 2, 6), Time(2025, 11, 2, 1)},
    {"Sydney summer across the year", devtest::SydneyZone, Time(2024, 12, 31, 13), Time(2025, 1, 1, 0)},
    {"Sydney before autumn", devtest::SydneyZone, Time(2025, 4, 5, 15, 59), Time(2025, 4, 6, 2, 59)},
    {"Sydney at autumn", devtest::SydneyZone, Time(2025, 4, 5, 16), Time(2025, 4, 6, 2)},
    {"Sydney winter", devtest::SydneyZone, Time(2025, 7, 1, 0), Time(2025, 7, 1, 10)},
    {"Sydney at spring", devtest::SydneyZone, Time(2025, 10, 4, 16), Time(2025, 10, 5, 3)},
};

}  // namespace

TEST(TimeZone, UtcToLocalByFileTimeAndByKernel32Agree) {
  Kernel32 kernel32;
  ASSERT_TRUE(kernel32.toLocal());
  for (const ZoneCase& c : kUtcToLocal) {
    devtest::SetTimeZone(c.zone());
    SYSTEMTIME byFileTime = LocalByFileTime(c.utc);
    EXPECT_TRUE(Same(byFileTime, c.local)) << c.name << ": " << Text(byFileTime);
    SYSTEMTIME byKernel32{};
    ASSERT_TRUE(kernel32.toLocal()(nullptr, &c.utc, &byKernel32)) << c.name;
    EXPECT_TRUE(Same(byKernel32, c.local)) << c.name << ": " << Text(byKernel32);
    // An explicit zone is used as given, whatever the device's zone.
    TIME_ZONE_INFORMATION zone = c.zone();
    devtest::SetTimeZone(devtest::FixedOffsetZone(420));
    ASSERT_TRUE(kernel32.toLocal()(&zone, &c.utc, &byKernel32));
    EXPECT_TRUE(Same(byKernel32, c.local)) << c.name << " (explicit zone)";
  }
}

TEST(TimeZone, LocalToUtcReadsSkippedAndRepeatedHoursAsDaylight) {
  Kernel32 kernel32;
  ASSERT_TRUE(kernel32.toUtc());
  struct Case {
    SYSTEMTIME local;
    SYSTEMTIME utc;
  } cases[] = {
      {Time(2025, 3, 30, 1, 59), Time(2025, 3, 30, 0, 59)},   // standard
      {Time(2025, 3, 30, 2, 30), Time(2025, 3, 30, 0, 30)},   // skipped hour: daylight
      {Time(2025, 3, 30, 3, 0), Time(2025, 3, 30, 1, 0)},     // daylight
      {Time(2025, 10, 26, 2, 30), Time(2025, 10, 26, 0, 30)}, // repeated hour: first occurrence
      {Time(2025, 10, 26, 3, 0), Time(2025, 10, 26, 2, 0)},   // standard again
  };
  devtest::SetTimeZone(devtest::CentralEuropeanZone());
  for (const Case& c : cases) {
    SYSTEMTIME byFileTime = UtcByFileTime(c.local);
    EXPECT_TRUE(Same(byFileTime, c.utc)) << Text(c.local) << " -> " << Text(byFileTime);
    SYSTEMTIME byKernel32{};
    ASSERT_TRUE(kernel32.toUtc()(nullptr, &c.local, &byKernel32));
    EXPECT_TRUE(Same(byKernel32, c.utc)) << Text(c.local) << " -> " << Text(byKernel32);
  }
}

TEST(TimeZone, EveryHourOfAYearRoundTripsOutsideTheRepeatedHour) {
  for (auto zone : {devtest::CentralEuropeanZone, devtest::UsEasternZone, devtest::SydneyZone}) {
    devtest::SetTimeZone(zone());
    FILETIME start{};
    SYSTEMTIME first = Time(2025, 1, 1);
    ASSERT_TRUE(SystemTimeToFileTime(&first, &start));
    uint64_t base = (static_cast<uint64_t>(start.dwHighDateTime) << 32) | start.dwLowDateTime;
    int repeated = 0;
    for (int hour = 0; hour < 365 * 24; ++hour) {
      uint64_t t = base + static_cast<uint64_t>(hour) * 36000000000ull + 15 * 600000000ull;
      FILETIME utc{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)}, local{}, back{};
      ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
      ASSERT_TRUE(LocalFileTimeToFileTime(&local, &back));
      if (CompareFileTime(&utc, &back) != 0) ++repeated;
    }
    EXPECT_EQ(repeated, 1) << "only the second pass through the repeated hour is ambiguous";
  }
}

TEST(TimeZone, GetTimeZoneInformationReportsTheSeason) {
  TIME_ZONE_INFORMATION zone{};
  EXPECT_EQ(GetTimeZoneInformation(&zone), TIME_ZONE_ID_UNKNOWN);  // UTC after the reset
  EXPECT_EQ(zone.Bias, 0);
  devtest::SetTimeZone(devtest::CentralEuropeanZone());
  EXPECT_EQ(GetTimeZoneInformation(&zone), TIME_ZONE_ID_DAYLIGHT);  // the default clock is in June
  EXPECT_EQ(zone.Bias, -60);
  EXPECT_EQ(zone.DaylightBias, -60);
  EXPECT_EQ(zone.DaylightDate.wMonth, 3);
  devtest::SetClock(2025, 12, 1);
  EXPECT_EQ(GetTimeZoneInformation(&zone), TIME_ZONE_ID_STANDARD);
  EXPECT_EQ(GetTimeZoneInformation(nullptr), TIME_ZONE_ID_INVALID);
}

// A program sets the device's zone through the device call: local time
// follows it and the UTC clock stays; a zone the rules cannot use is refused.
TEST(TimeZone, SetTimeZoneInformationMakesTheDevicesZone) {
  devtest::SetClock(2025, 1, 10, 12, 0);
  TIME_ZONE_INFORMATION sydney = devtest::SydneyZone();
  ASSERT_TRUE(SetTimeZoneInformation(&sydney));
  TIME_ZONE_INFORMATION zone{};
  EXPECT_EQ(GetTimeZoneInformation(&zone), TIME_ZONE_ID_DAYLIGHT);  // January is summer there
  EXPECT_EQ(zone.Bias, -600);
  SYSTEMTIME local{};
  GetLocalTime(&local);
  EXPECT_TRUE(Same(local, Time(2025, 1, 10, 23, 0)));
  SYSTEMTIME utc{};
  GetSystemTime(&utc);
  EXPECT_TRUE(Same(utc, Time(2025, 1, 10, 12, 0)));

  TIME_ZONE_INFORMATION tooFar = devtest::FixedOffsetZone(0);
  tooFar.Bias = 8 * 24 * 60;
  TIME_ZONE_INFORMATION* refused[] = {nullptr, &tooFar};
  for (TIME_ZONE_INFORMATION* bad : refused) {
    SetLastError(0);
    EXPECT_FALSE(SetTimeZoneInformation(bad));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  EXPECT_EQ(GetTimeZoneInformation(&zone), TIME_ZONE_ID_DAYLIGHT);  // still Sydney
  EXPECT_EQ(zone.Bias, -600);
}

TEST(TimeZone, AbsoluteRuleAppliesOnlyInItsYear) {
  TIME_ZONE_INFORMATION zone = devtest::FixedOffsetZone(0);
  zone.DaylightDate = SYSTEMTIME{2025, 5, 0, 10, 0, 0, 0, 0};
  zone.StandardDate = SYSTEMTIME{2025, 8, 0, 20, 0, 0, 0, 0};
  zone.DaylightBias = -60;
  devtest::SetTimeZone(zone);
  EXPECT_EQ(LocalByFileTime(Time(2025, 6, 1, 12)).wHour, 13);
  EXPECT_EQ(LocalByFileTime(Time(2024, 6, 1, 12)).wHour, 12);
  EXPECT_EQ(LocalByFileTime(Time(2025, 9, 1, 12)).wHour, 12);
}

TEST(TimeZone, Kernel32ExportsCanBeRemoved) {
  devtest::SetExportPresent("kernel32.dll", "TzSpecificLocalTimeToSystemTime", false);
  {
    Kernel32 kernel32;
    EXPECT_TRUE(kernel32.toLocal());
    EXPECT_FALSE(kernel32.toUtc());
  }
  devtest::SetModulePresent("kernel32.dll", false);
  Kernel32 absent;
  EXPECT_FALSE(absent.loaded());
}

TEST(TimeZone, Kernel32RefusesBadInput) {
  Kernel32 kernel32;
  SYSTEMTIME bad = Time(2025, 2, 30), out{};
  EXPECT_FALSE(kernel32.toLocal()(nullptr, &bad, &out));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  TIME_ZONE_INFORMATION absurd = devtest::FixedOffsetZone(0);
  absurd.Bias = 0x7FFFFFFF;
  SYSTEMTIME good = Time(2025, 2, 3);
  EXPECT_FALSE(kernel32.toUtc()(&absurd, &good, &out));
  // A result before 1601 cannot be a SYSTEMTIME.
  TIME_ZONE_INFORMATION east = devtest::FixedOffsetZone(60);
  SYSTEMTIME earliest = Time(1601, 1, 1);
  EXPECT_FALSE(kernel32.toUtc()(&east, &earliest, &out));
}
