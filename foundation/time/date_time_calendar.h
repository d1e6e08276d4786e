// Calendar arithmetic of the system's times: proleptic Gregorian, with the
// day and time formulas of the ECMAScript Date object. Years are the
// system's: there is no year 0, the year before 1 is -1 (internally such a
// year is raised by one, so -1 is the astronomical year 0, a leap year).
// Months are 0-11.
#pragma once

#include <cstdint>

constexpr double kMsPerDay = 86400000.0;
// Days from 0001-01-01 to 1970-01-01.
constexpr int64_t kDaysFromYearOneTo1970 = 719162;

extern const char* const kWeekdayNames[7];  // "Sun" .. "Sat"
extern const char* const kMonthNames[12];   // "Jan" .. "Dec"

// floor(t / 86400000).
double DayFromTime(double t);
// The floating remainder of x / y, plus y when negative.
double FloorModulo(double x, double y);
// hours x 3600000 + minutes x 60000 + seconds x 1000 + milliseconds.
double MakeTimeOfDay(double hours, double minutes, double seconds, double milliseconds);
// Leap year of a system year (so -1, the astronomical year 0, is one).
bool IsLeapYear(int64_t year);
// Days before month (0-11) in a common or leap year.
int32_t DaysBeforeMonth(int32_t month, bool leap);
// Days from 1970-01-01 to January 1 of a system year.
int64_t DayFromYear(int64_t year);
// The day number of a date. Months outside 0-11 carry into years, below 0
// as well (floor division): month -1 of 2000 is December 1999. Sets *invalid
// (and answers 0) when the day lies too far from 1970 to be a time.
double MakeDayNumber(int64_t year, int64_t month, int64_t day, bool* invalid);
// NaN unless t is finite with |t| < 8.64e15; else floor(t).
double TimeClip(double t);
// Breaks a day number into a system year, a month 0-11 and a day 1-31.
void SplitDayNumber(int64_t dayNumber, int32_t* year, int32_t* month, int32_t* day);
