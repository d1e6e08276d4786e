// GetDateFormatW and GetTimeFormatW in English and French: the locale's
// formats, pictures, flags and the buffer rules.
#include <gtest/gtest.h>

#include <string>

#include "platform/core/last_error.h"
#include "platform/locale/date_time_format.h"
#include "platform/testing/clock.h"
#include "platform/testing/profile.h"

namespace {

constexpr LCID kEnglish = 0x0409;
constexpr LCID kFrench = 0x040C;

SYSTEMTIME Time(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return SYSTEMTIME{static_cast<WORD>(y), static_cast<WORD>(mo), 0, static_cast<WORD>(d),
                    static_cast<WORD>(h), static_cast<WORD>(mi), static_cast<WORD>(s), 0};
}

std::u16string Date(LCID locale, DWORD flags, const SYSTEMTIME* t, const char16_t* picture = nullptr) {
  WCHAR buffer[128];
  int n = GetDateFormatW(locale, flags, t, picture, buffer, 128);
  return n > 0 ? std::u16string(buffer, n - 1) : u"<failed>";
}

std::u16string TimeText(LCID locale, DWORD flags, const SYSTEMTIME* t, const char16_t* picture = nullptr) {
  WCHAR buffer[128];
  int n = GetTimeFormatW(locale, flags, t, picture, buffer, 128);
  return n > 0 ? std::u16string(buffer, n - 1) : u"<failed>";
}

std::string Narrow(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

}  // namespace

TEST(DateFormat, LocaleFormatsAndPictures) {
  SYSTEMTIME sat = Time(2025, 6, 14), feb = Time(2007, 2, 3), aug = Time(1999, 8, 1);
  struct Case {
    LCID locale;
    DWORD flags;
    const SYSTEMTIME* date;
    const char16_t* picture;
    const char16_t* expected;
  } cases[] = {
      {kEnglish, DATE_SHORTDATE, &sat, nullptr, u"6/14/2025"},
      {kEnglish, 0, &feb, nullptr, u"2/3/2007"},  // no flag: the short date
      {kEnglish, DATE_LONGDATE, &sat, nullptr, u"Saturday, June 14, 2025"},
      {kFrench, DATE_SHORTDATE, &feb, nullptr, u"03/02/2007"},
      {kFrench, DATE_LONGDATE, &sat, nullptr, u"samedi 14 juin 2025"},
      {kFrench, DATE_LONGDATE, &aug, nullptr, u"dimanche 1 ao\u00fbt 1999"},
      {0x080C, DATE_SHORTDATE, &feb, nullptr, u"03/02/2007"},  // another French sublanguage
      {0x0809, DATE_LONGDATE, &feb, nullptr, u"Saturday, February 3, 2007"},
      {kEnglish, 0, &feb, u"ddd dd MMM yy", u"Sat 03 Feb 07"},
      {kFrench, 0, &feb, u"ddd d MMM y", u"sam. 3 f\u00e9vr. 7"},
      {kEnglish, 0, &feb, u"'Day' d 'of' MMMM, yyyy gg", u"Day 3 of February, 2007 A.D."},
      {kEnglish, 0, &feb, u"d''M'''quoted'''", u"3'2'quoted'"},
      {kEnglish, 0, &feb, u"hh:mm ddddd", u"hh:mm Saturday"},  // time letters are plain text here
      {kEnglish, 0, &feb, u"", u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Narrow(Date(c.locale, c.flags, c.date, c.picture)), Narrow(c.expected))
        << std::hex << c.locale << " " << Narrow(c.picture ? c.picture : u"(locale)");
  // The French texts keep their accents.
  EXPECT_EQ(Date(kFrench, 0, &feb, u"MMMM"), u"f\u00e9vrier");
}

TEST(DateFormat, DefaultLocalesFollowTheProfile) {
  SYSTEMTIME t = Time(2025, 6, 14);
  EXPECT_EQ(Date(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t), u"6/14/2025");
  devtest::SetProfile({0x040C});
  EXPECT_EQ(Date(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t), u"14/06/2025");
  EXPECT_EQ(Date(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &t), u"14/06/2025");
  devtest::SetProfile({0x0407});  // a language without its own formats
  EXPECT_EQ(Date(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t), u"6/14/2025");
  SetLastError(0);
  EXPECT_EQ(Date(0x0407, DATE_SHORTDATE, &t), u"<failed>");
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(DateFormat, NullDateIsTheCurrentLocalDate) {
  devtest::SetClock(2025, 6, 30, 23, 30);
  devtest::SetTimeZone(devtest::FixedOffsetZone(60));
  EXPECT_EQ(Date(kEnglish, DATE_SHORTDATE, nullptr), u"7/1/2025");
  EXPECT_EQ(TimeText(kEnglish, 0, nullptr), u"12:30:00 AM");
}

TEST(DateFormat, SizesFlagsAndBadDates) {
  SYSTEMTIME t = Time(2025, 6, 14);
  EXPECT_EQ(GetDateFormatW(kEnglish, DATE_LONGDATE, &t, nullptr, nullptr, 0), 24);
  WCHAR small[23];
  SetLastError(0);
  EXPECT_EQ(GetDateFormatW(kEnglish, DATE_LONGDATE, &t, nullptr, small, 23), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  WCHAR exact[24];
  EXPECT_EQ(GetDateFormatW(kEnglish, DATE_LONGDATE, &t, nullptr, exact, 24), 24);
  EXPECT_EQ(exact[23], 0);

  struct FlagCase {
    DWORD flags;
    const char16_t* picture;
  } badFlags[] = {{DATE_SHORTDATE | DATE_LONGDATE, nullptr}, {DATE_LONGDATE, u"d"}, {0x100, nullptr}};
  for (const FlagCase& c : badFlags) {
    SetLastError(0);
    EXPECT_EQ(GetDateFormatW(kEnglish, c.flags, &t, c.picture, exact, 24), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
  }
  SYSTEMTIME bad[] = {Time(2025, 2, 29), Time(2025, 13, 1), Time(0, 1, 1), Time(2025, 1, 0)};
  for (const SYSTEMTIME& b : bad) {
    SetLastError(0);
    EXPECT_EQ(GetDateFormatW(kEnglish, 0, &b, nullptr, exact, 24), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  // Years before the FILETIME epoch still format; the weekday is computed.
  SYSTEMTIME old = Time(1066, 10, 14);
  old.wDayOfWeek = 3;  // ignored
  EXPECT_EQ(Date(kEnglish, DATE_LONGDATE, &old), u"Sunday, October 14, 1066");
  SYSTEMTIME early = Time(5, 1, 1);
  EXPECT_EQ(Date(kEnglish, DATE_SHORTDATE, &early), u"1/1/0005");
}

TEST(TimeFormat, LocaleFormatsFlagsAndPictures) {
  SYSTEMTIME midnight = Time(2025, 1, 1, 0, 5, 9), afternoon = Time(2025, 1, 1, 13, 5, 0),
             noon = Time(2025, 1, 1, 12, 0, 0);
  struct Case {
    LCID locale;
    DWORD flags;
    const SYSTEMTIME* time;
    const char16_t* picture;
    const char16_t* expected;
  } cases[] = {
      {kEnglish, 0, &midnight, nullptr, u"12:05:09 AM"},
      {kEnglish, 0, &afternoon, nullptr, u"1:05:00 PM"},
      {kEnglish, 0, &noon, nullptr, u"12:00:00 PM"},
      {kFrench, 0, &midnight, nullptr, u"00:05:09"},
      {kFrench, 0, &afternoon, nullptr, u"13:05:00"},
      {kEnglish, TIME_NOSECONDS, &afternoon, nullptr, u"1:05 PM"},
      {kFrench, TIME_NOSECONDS, &afternoon, nullptr, u"13:05"},
      {kEnglish, TIME_NOMINUTESORSECONDS, &afternoon, nullptr, u"1 PM"},
      {kEnglish, TIME_NOTIMEMARKER, &afternoon, nullptr, u"1:05:00"},
      {kEnglish, TIME_FORCE24HOURFORMAT | TIME_NOTIMEMARKER, &afternoon, nullptr, u"13:05:00"},
      {kEnglish, 0, &afternoon, u"hh'h'mm t", u"01h05 P"},
      {kEnglish, TIME_NOTIMEMARKER, &afternoon, u"tt hh:mm", u"01:05"},
      {kEnglish, 0, &midnight, u"H:m:s", u"0:5:9"},
      {kFrench, 0, &afternoon, u"HH:mm tt", u"13:05 "},  // French has no markers
  };
  for (const Case& c : cases)
    EXPECT_EQ(Narrow(TimeText(c.locale, c.flags, c.time, c.picture)), Narrow(c.expected))
        << std::hex << c.locale << " flags " << c.flags;
}

TEST(TimeFormat, ChecksOnlyTheTimeFields) {
  SYSTEMTIME noDate = Time(0, 0, 0, 9, 30, 0);
  EXPECT_EQ(TimeText(kEnglish, 0, &noDate), u"9:30:00 AM");
  SYSTEMTIME bad[] = {Time(2025, 1, 1, 24), Time(2025, 1, 1, 0, 60), Time(2025, 1, 1, 0, 0, 60)};
  for (const SYSTEMTIME& b : bad) {
    SetLastError(0);
    EXPECT_EQ(TimeText(kEnglish, 0, &b), u"<failed>");
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  EXPECT_EQ(GetTimeFormatW(kEnglish, 0, &noDate, nullptr, nullptr, 0), 11);
  SetLastError(0);
  EXPECT_EQ(GetTimeFormatW(kEnglish, 0x40, &noDate, nullptr, nullptr, 0), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
}
