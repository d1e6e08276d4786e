// The ready-made zones, written as a device's control panel would store them.
#include "platform/time/known_zones.h"

namespace known_zones {

namespace {

void SetName(WCHAR (&target)[32], const char16_t* name) {
  size_t i = 0;
  for (; name[i] && i < 31; ++i) target[i] = name[i];
  target[i] = 0;
}

// "The occurrence-th weekday of month at hour:00"; occurrence 5 = the last.
SYSTEMTIME Rule(WORD month, WORD occurrence, WORD hour) { return SYSTEMTIME{0, month, 0, occurrence, hour, 0, 0, 0}; }

TIME_ZONE_INFORMATION Zone(LONG bias, const char16_t* standardName, const char16_t* daylightName,
                           SYSTEMTIME standardDate, SYSTEMTIME daylightDate) {
  TIME_ZONE_INFORMATION zone{};
  zone.Bias = bias;
  SetName(zone.StandardName, standardName);
  SetName(zone.DaylightName, daylightName);
  zone.StandardDate = standardDate;
  zone.DaylightDate = daylightDate;
  zone.DaylightBias = daylightDate.wMonth ? -60 : 0;
  return zone;
}

}  // namespace

TIME_ZONE_INFORMATION UtcZone() { return Zone(0, u"UTC", u"UTC", SYSTEMTIME{}, SYSTEMTIME{}); }

TIME_ZONE_INFORMATION FixedOffsetZone(int minutesEastOfUtc) {
  return Zone(-minutesEastOfUtc, u"Fixed", u"Fixed", SYSTEMTIME{}, SYSTEMTIME{});
}

TIME_ZONE_INFORMATION CentralEuropeanZone() {
  return Zone(-60, u"Central European Standard Time", u"Central European Summer Time", Rule(10, 5, 3),
              Rule(3, 5, 2));
}

TIME_ZONE_INFORMATION UsEasternZone() {
  return Zone(300, u"Eastern Standard Time", u"Eastern Daylight Time", Rule(11, 1, 2), Rule(3, 2, 2));
}

TIME_ZONE_INFORMATION SydneyZone() {
  return Zone(-600, u"AUS Eastern Standard Time", u"AUS Eastern Daylight Time", Rule(4, 1, 3), Rule(10, 1, 2));
}

}  // namespace known_zones
