// Calendar arithmetic of TimeValue in UTC: Split and Compose against an
// independent day-by-day walk of the proleptic Gregorian calendar, and the
// edge cases of the formulas.
#include <gtest/gtest.h>

#include <cmath>

#include "foundation/time/date_time.h"
#include "foundation/time/date_time_calendar.h"

namespace {

// A calendar stepper that knows nothing of day numbers: astronomical years,
// months 1-12, stepped one day at a time.
struct WalkDate {
  int64_t year = 1970;
  int month = 1;
  int day = 1;

  static bool Leap(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
  int Length() const {
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return lengths[month - 1] + (month == 2 && Leap(year) ? 1 : 0);
  }
  void Next() {
    if (++day > Length()) {
      day = 1;
      if (++month > 12) {
        month = 1;
        ++year;
      }
    }
  }
  void Previous() {
    if (--day < 1) {
      if (--month < 1) {
        month = 12;
        --year;
      }
      day = Length();
    }
  }
  // The system counts no year 0: astronomical 0 is -1.
  int32_t SystemYear() const { return static_cast<int32_t>(year <= 0 ? year - 1 : year); }
};

// Checks one day both ways; the time of day moves with the day so that every
// field is exercised.
void CheckDay(const WalkDate& date, int64_t dayNumber, int weekday) {
  int32_t hours = static_cast<int32_t>((dayNumber % 24 + 24) % 24), minutes = 59, seconds = 30, ms = 999;
  double t = static_cast<double>(dayNumber) * 86400000.0 + MakeTimeOfDay(hours, minutes, seconds, ms);
  TimeValue v{t};
  int32_t y, mo, d, wd, h, mi, s, mil;
  ASSERT_TRUE(v.Split(true, &y, &mo, &d, &wd, &h, &mi, &s, &mil));
  ASSERT_EQ(y, date.SystemYear()) << "day " << dayNumber;
  ASSERT_EQ(mo, date.month - 1) << "day " << dayNumber;
  ASSERT_EQ(d, date.day) << "day " << dayNumber;
  ASSERT_EQ(wd, weekday) << "day " << dayNumber;
  ASSERT_EQ(h, hours);
  ASSERT_EQ(mi, minutes);
  ASSERT_EQ(s, seconds);
  ASSERT_EQ(mil, ms);
  TimeValue composed{NAN};
  int32_t year = date.SystemYear(), month = date.month - 1, day = date.day;
  ASSERT_TRUE(composed.Compose(true, &year, &month, &day, &hours, &minutes, &seconds, &ms));
  ASSERT_EQ(composed.milliseconds, t) << "day " << dayNumber;
}

}  // namespace

TEST(DateCalendar, EveryDayOfYearsOneTo2400) {
  WalkDate date;
  int64_t dayNumber = 0;
  int weekday = 4;  // 1970-01-01 was a Thursday
  while (date.year >= 1) {
    CheckDay(date, dayNumber, weekday);
    date.Previous();
    --dayNumber;
    weekday = (weekday + 6) % 7;
  }
  date = WalkDate{};
  dayNumber = 0;
  weekday = 4;
  while (date.year <= 2400) {
    CheckDay(date, dayNumber, weekday);
    date.Next();
    ++dayNumber;
    weekday = (weekday + 1) % 7;
  }
}

TEST(DateCalendar, EveryDayOfNegativeYears) {
  // From 0001-01-01 back through the system's years -1 to -1200, and a
  // stretch near the lower end of the valid times.
  WalkDate date{1, 1, 1};
  int64_t dayNumber = -kDaysFromYearOneTo1970;
  int weekday = 1;  // 0001-01-01 was a Monday
  while (date.year > -1200) {
    CheckDay(date, dayNumber, weekday);
    date.Previous();
    --dayNumber;
    weekday = (weekday + 6) % 7;
  }
  // -271821-04-20 (astronomical -271820) is the first day of valid times.
  TimeValue first{-8.64e15};
  int32_t y, mo, d, wd;
  ASSERT_TRUE(first.Split(true, &y, &mo, &d, &wd, nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(y, -271822);
  EXPECT_EQ(mo, 3);
  EXPECT_EQ(d, 20);
  EXPECT_EQ(wd, 2);
  TimeValue last{8.64e15};
  ASSERT_TRUE(last.Split(true, &y, &mo, &d, &wd, nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(y, 275760);
  EXPECT_EQ(mo, 8);
  EXPECT_EQ(d, 13);
}

TEST(DateCalendar, FormulaEdgeCases) {
  int32_t y, mo, d, wd;
  TimeValue{0}.Split(true, &y, &mo, &d, &wd, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(wd, 4);
  TimeValue{-1}.Split(true, &y, &mo, &d, &wd, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(y, 1969);
  EXPECT_EQ(mo, 11);
  EXPECT_EQ(d, 31);
  EXPECT_EQ(wd, 3);
  struct Leap {
    int64_t year;
    bool leap;
  } leaps[] = {{1900, false}, {2000, true}, {2004, true}, {2100, false}, {-1, true}, {-5, true}, {-2, false}};
  for (const Leap& l : leaps) EXPECT_EQ(IsLeapYear(l.year), l.leap) << l.year;
  EXPECT_EQ(DaysBeforeMonth(1, true), 31);
  EXPECT_EQ(DaysBeforeMonth(2, true), 60);
  EXPECT_EQ(DaysBeforeMonth(11, false), 334);
  EXPECT_TRUE(std::isnan(TimeClip(8.64e15)));
  EXPECT_TRUE(std::isnan(TimeClip(INFINITY)));
  EXPECT_TRUE(std::isnan(TimeClip(NAN)));
  EXPECT_EQ(TimeClip(-0.5), -1);
  EXPECT_EQ(TimeClip(8.64e15 - 1), 8.64e15 - 1);
  EXPECT_EQ(TimeClip(-8.64e15 + 1), -8.64e15 + 1);
  EXPECT_EQ(TimeClip(2.5), 2);
  EXPECT_EQ(FloorModulo(-1, 7), 6);
  EXPECT_EQ(FloorModulo(13, 7), 6);
  EXPECT_EQ(DayFromTime(-1), -1);
}

TEST(DateCalendar, MonthsOutsideTheYearCarryBothWays) {
  struct Case {
    int64_t year, month, day;
    int32_t wantYear, wantMonth, wantDay;
  } cases[] = {
      {2000, -1, 1, 1999, 11, 1},  {2000, -12, 15, 1999, 0, 15}, {2000, -13, 1, 1998, 11, 1},
      {2000, 12, 1, 2001, 0, 1},   {2000, 25, 1, 2002, 1, 1},    {-1, 12, 1, 1, 0, 1},
      {1, -1, 31, -1, 11, 31},     {2000, 1, 30, 2000, 2, 1},    {2001, 1, 29, 2001, 2, 1},
      {2000, 0, 0, 1999, 11, 31},  {2000, 0, -365, 1998, 11, 31},
  };
  for (const Case& c : cases) {
    bool invalid = true;
    double day = MakeDayNumber(c.year, c.month, c.day, &invalid);
    ASSERT_FALSE(invalid);
    int32_t y, m, d;
    SplitDayNumber(static_cast<int64_t>(day), &y, &m, &d);
    EXPECT_EQ(y, c.wantYear) << c.year << "/" << c.month << "/" << c.day;
    EXPECT_EQ(m, c.wantMonth) << c.year << "/" << c.month << "/" << c.day;
    EXPECT_EQ(d, c.wantDay) << c.year << "/" << c.month << "/" << c.day;
  }
}

TEST(DateCalendar, OutOfRangeFieldsGiveDefinedResults) {
  TimeValue v{0};
  int32_t huge = INT32_MAX, tiny = INT32_MIN, zero = 0;
  EXPECT_FALSE(v.Compose(true, &huge, &zero, &zero, &zero, &zero, &zero, &zero));
  EXPECT_FALSE(v.IsValid());
  v = TimeValue{0};
  EXPECT_FALSE(v.Compose(true, nullptr, &tiny, nullptr, nullptr, nullptr, nullptr, nullptr));
  v = TimeValue{0};
  EXPECT_FALSE(v.Compose(true, nullptr, nullptr, &huge, nullptr, nullptr, nullptr, nullptr));
  v = TimeValue{0};
  EXPECT_TRUE(v.Compose(true, nullptr, nullptr, nullptr, &huge, &huge, &huge, &huge));
  EXPECT_EQ(v.milliseconds, MakeTimeOfDay(huge, huge, huge, huge));  // all carried, still a time
  v = TimeValue{8.0e15};
  EXPECT_FALSE(v.Compose(true, nullptr, nullptr, nullptr, &huge, nullptr, nullptr, nullptr));
  v = TimeValue{0};
  EXPECT_TRUE(v.Compose(true, nullptr, nullptr, nullptr, &tiny, nullptr, nullptr, nullptr));
  EXPECT_EQ(v.milliseconds, static_cast<double>(INT32_MIN) * 3600000.0);
  bool invalid = false;
  EXPECT_EQ(MakeDayNumber(INT64_MAX / 2, INT64_MIN / 2, 1, &invalid), 0);
  EXPECT_TRUE(invalid);
  // Fields taken from an invalid time stay invalid.
  TimeValue bad;
  bad.InitInvalid();
  int32_t one = 1;
  EXPECT_FALSE(bad.Compose(true, nullptr, nullptr, &one, nullptr, nullptr, nullptr, nullptr));
  int32_t year = 2000;
  EXPECT_TRUE(bad.Compose(true, &year, &zero, &one, &zero, &zero, &zero, &zero));
  EXPECT_EQ(bad.milliseconds, 946684800000.0);
  int32_t y = 7;
  EXPECT_FALSE(TimeValue{NAN}.Split(true, &y, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(y, 0);
}

TEST(DateCalendar, ComposeKeepsTheFieldsNotGiven) {
  TimeValue v{1234567890123.0};  // 2009-02-13 23:31:30.123 UTC
  int32_t month = 5;
  ASSERT_TRUE(v.Compose(true, nullptr, &month, nullptr, nullptr, nullptr, nullptr, nullptr));
  int32_t y, mo, d, h, mi, s, ms;
  v.Split(true, &y, &mo, &d, nullptr, &h, &mi, &s, &ms);
  EXPECT_EQ(y, 2009);
  EXPECT_EQ(mo, 5);
  EXPECT_EQ(d, 13);
  EXPECT_EQ(h, 23);
  EXPECT_EQ(mi, 31);
  EXPECT_EQ(s, 30);
  EXPECT_EQ(ms, 123);
}
