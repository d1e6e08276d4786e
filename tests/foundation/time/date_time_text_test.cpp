// The text forms of TimeValue: what styles 0, 1 and 2 write, what the ISO,
// style-0 and style-1 readers accept, and round trips in a +01:00 zone and
// in daylight-saving zones.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "foundation/time/date_time.h"
#include "foundation/time/date_time_testing.h"
#include "foundation/encoded_string/encoded_string.h"
#include "platform/testing/clock.h"
#include "platform/testing/profile.h"
#include "tests/support/number_checks.h"

namespace {

constexpr double kExample = 1796821500000.0;  // 2026-12-09 13:05:00 UTC, a Wednesday

std::u16string Wide(const EncodedString& s) { return std::u16string(s.Chars(), s.ByteLength() / 2); }

std::string Narrow(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

std::string Format(double t, bool utc, bool date, bool time, int style) {
  EncodedString out;
  EXPECT_TRUE(TimeValue{t}.Format(&out, utc, date, time, style));
  EXPECT_EQ(out.CodePage(), 65002);
  return Narrow(Wide(out));
}

// ASCII test text as UTF-16, the form the system's texts mostly have.
EncodedString Text(const char* text) {
  std::u16string wide(text, text + std::char_traits<char>::length(text));
  EncodedString s;
  s.FromWide(wide.c_str());
  return s;
}

// Parses with the reader the flags choose; NaN on failure (and checks that a
// failure leaves the value alone).
double Parse(const char* text, bool style1, bool allowIso = true) {
  TimeValue v{12345};
  if (!v.Parse(Text(text), style1, allowIso)) {
    EXPECT_EQ(v.milliseconds, 12345) << text;
    return NAN;
  }
  return v.milliseconds;
}

class TextForms : public ::testing::Test {
 protected:
  void SetUp() override { devtest::ResetTimeZoneBinding(); }
  void TearDown() override { devtest::ResetTimeZoneBinding(); }
};

}  // namespace

TEST_F(TextForms, Style0And1Write) {
  devtest::SetTimeZone(devtest::FixedOffsetZone(60));
  struct Case {
    bool utc, date, time;
    int style;
    const char* expected;
  } cases[] = {
      {false, true, true, 0, "Wed Dec 9 14:05:00 UTC+0100 2026"},
      {true, true, true, 0, "Wed Dec 9 13:05:00 UTC 2026"},
      {false, true, false, 0, "Wed Dec 9 2026"},
      {false, false, true, 0, "14:05:00 UTC+0100"},
      {true, true, true, 1, "Wed, 9 Dec 2026 13:05:00 UTC"},
      {false, true, true, 1, "Wed, 9 Dec 2026 14:05:00"},
      {true, true, false, 1, "Wed, 9 Dec 2026"},
      {true, false, true, 1, "13:05:00 UTC"},
      {false, false, false, 0, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Format(kExample, c.utc, c.date, c.time, c.style), c.expected);
  devtest::SetTimeZone(devtest::FixedOffsetZone(-330));
  EXPECT_EQ(Format(kExample, false, true, true, 0), "Wed Dec 9 07:35:00 UTC-0530 2026");
  devtest::SetTimeZone(devtest::UtcZone());
  EXPECT_EQ(Format(kExample, false, true, true, 0), "Wed Dec 9 13:05:00 UTC+0000 2026");
  EXPECT_EQ(Format(-62167219200000.0, true, true, true, 0), "Sat Jan 1 00:00:00 UTC -1");  // the year before 1
}

TEST_F(TextForms, Style2UsesTheUsersLocale) {
  devtest::SetTimeZone(devtest::FixedOffsetZone(60));
  EXPECT_EQ(Format(kExample, false, true, true, 2), "Wednesday, December 9, 2026 2:05:00 PM");
  EXPECT_EQ(Format(kExample, true, true, true, 2), "Wednesday, December 9, 2026 1:05:00 PM UTC");
  EXPECT_EQ(Format(kExample, false, false, true, 2), "2:05:00 PM");
  devtest::SetProfile({0x040C});
  EncodedString out;
  ASSERT_TRUE(TimeValue{kExample}.Format(&out, false, true, true, 2));
  EXPECT_EQ(Wide(out), u"mercredi 9 d\u00e9cembre 2026 14:05:00");
}

TEST_F(TextForms, InvalidTimeIsNaNInEveryStyle) {
  for (int style = 0; style < 3; ++style) EXPECT_EQ(Format(NAN, false, true, true, style), "NaN");
}

TEST_F(TextForms, IsoReader) {
  struct Case {
    const char* text;
    double expected;  // NaN: refused
  } cases[] = {
      {"2006-03-05T10:20:30.500+01:00", 1141550430000.0},
      {"2006-03-05T09:20:30Z", 1141550430000.0},
      {"2006-03-05T09:20:30", 1141550430000.0},
      {"2006-03-05T09:20", 1141550400000.0},
      {"2006-03-05T04:20:30-05", 1141550430000.0},
      {"2006-03-04T23:50:30-09:30", 1141550430000.0},
      {"+2006-03-05T09:20:30Z", 1141550430000.0},
      {"2006-13-05T09:20:30", NAN},
      {"2006-03-32T09:20:30", NAN},
      {"2006-03-05T24:00:00", NAN},
      {"2006-03-05T09:60:00", NAN},
      {"2006-03-05T09:20:60", NAN},
      {"2006-03-05T09:20:30+13:00", NAN},
      {"2006-03-05T09:20:30+01:60", NAN},
      {"2006-03-05 09:20:30", NAN},
      {"2006-03-05T09:20:30 and more", NAN},
      {"2006-03-05", NAN},  // a date alone is not the system's ISO form
      {"2006-03", NAN},
      {"2006", NAN},
      {"", NAN},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(numtest::SameNumber(c.expected, Parse(c.text, false))) << c.text;
  }
  TimeValue v{0};
  EXPECT_FALSE(v.Parse(Text("2006-03-05T09:20:30Z"), false, false)) << "ISO not allowed";
}

TEST_F(TextForms, LooksLikeIso) {
  struct Case {
    const char* text;
    bool iso;
  } cases[] = {{"2006", true},          {"2006-03", true},       {"12:30 -0100", false},
               {"2006-03-05T1", true},  {"Wed Dec 9 2026", false}, {"a-b:c", false}};
  for (const Case& c : cases) EXPECT_EQ(LooksLikeIsoDate(Text(c.text)), c.iso) << c.text;
}

TEST_F(TextForms, Style0Reader) {
  struct Case {
    const char* text;
    double expected;
  } cases[] = {
      {"Wed Dec 9 14:05:00 UTC+0100 2026", kExample},
      {"  wed DEC 9 13:05 utc 2026", kExample},
      {"Wed Dec 9 08:05:00 UTC-0500 2026", kExample},
      {"Thu Dec 10 00:35:00 UTC+1130 2026", kExample},
      {"Wed Dec 9 2026", kExample - 47100000.0},
      {"14:05:00 UTC+0100", 13 * 3600000.0 + 5 * 60000.0},  // no date: 1970-01-01
      {"Sat Jan 1 00:00:00 UTC -1", -62167219200000.0},
      {"Wed Dec 9 14:05:00 2026", NAN},  // a time without UTC
      {"Wed Dec 9 14:05:00 GMT 2026", NAN},
      {"Xyz Dec 9 2026", NAN},
      {"Wed Dex 9 2026", NAN},
      {"Wednesday Dec 9 2026", NAN},
      {"Wed Dec 9 14:05:00 UTC+0170 2026", NAN},
      {"Wed Dec 2026", NAN},
      {"Wed Dec 9", NAN},
      {"Wed Dec 9 14: UTC 2026", NAN},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(numtest::SameNumber(c.expected, Parse(c.text, false))) << c.text;
  }
}

TEST_F(TextForms, Style1Reader) {
  struct Case {
    const char* text;
    double expected;
  } cases[] = {
      {"Wed, 9 Dec 2026 13:05:00 UTC", kExample},
      {"9 Dec 2026 13:05:00 GMT", kExample},
      {"Wed 9 Dec 2026 13:05", kExample},
      {"Wed, 09 dec 26 08:05:00 EST", kExample},
      {"Wed, 9 Dec 2026 09:05:00 EDT", kExample},
      {"Wed, 9 Dec 2026 07:05:00 CST", kExample},
      {"Wed, 9 Dec 2026 05:05:00 PST", kExample},
      {"Wed, 9 Dec 2026 14:05:00 +0100", kExample},
      {"Wed, 9 Dec 2026 14:05:00 UTC+0100", kExample},
      {"Wed, 9 Dec 2026", kExample - 47100000.0},
      {"Sat, 1 Jan 1999 00:00:00 UTC", 915148800000.0},  // four digits: no century added
      {"Sat, 1 Jan 0099 00:00:00 UTC", -59042995200000.0},
      {"Sat, 1 Jan 99 00:00:00 UTC", 4070908800000.0},
      {"Sat, 1 Jan -2 00:00:00 UTC", -62198755200000.0},
      {"Wed, Dec 9 2026", NAN},
      {"9 Foo 2026", NAN},
      {"Wed, 9 Dec", NAN},
      {"Wed, 9 Dec 2026 13:05:00 UTC+0199", NAN},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(numtest::SameNumber(c.expected, Parse(c.text, true))) << c.text;
  }
}

// Round trips over times spread across several years (both changes of
// daylight time included), some historical and some negative years.
TEST_F(TextForms, RoundTripsInZones) {
  std::vector<double> times;
  for (double t = 1704067200000.0; t < 1798761600000.0; t += 37 * 3600000.0 + 7 * 60000.0 + 13000.0)
    times.push_back(t);
  for (double t : {-62135596800000.0, -11644473600000.0, -2208988800000.0, 0.0, 253402300799000.0,
                   -62198755200000.0, -77000000000000.0})
    times.push_back(t);
  struct Zone {
    const char* name;
    TIME_ZONE_INFORMATION zone;
  } zones[] = {{"+01:00", devtest::FixedOffsetZone(60)},
               {"Central European", devtest::CentralEuropeanZone()},
               {"US Eastern", devtest::UsEasternZone()}};
  for (const Zone& z : zones) {
    devtest::SetTimeZone(z.zone);
    for (double t : times) {
      int32_t utcYear = 0;
      TimeValue{t}.Split(true, &utcYear, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
      for (auto [utc, style] : {std::pair{false, 0}, std::pair{true, 0}, std::pair{true, 1}}) {
        // Style 1 reads one or two digits as a year of the 2000s.
        if (style == 1 && utcYear > 0 && utcYear < 100) continue;
        EncodedString text;
        ASSERT_TRUE(TimeValue{t}.Format(&text, utc, true, true, style));
        TimeValue back{NAN};
        ASSERT_TRUE(back.Parse(text, style == 1, true)) << z.name << ": " << Narrow(Wide(text));
        EXPECT_EQ(back.milliseconds, t) << z.name << ": " << Narrow(Wide(text));
      }
      // ISO with the local fields and the offset in force.
      int32_t y, mo, d, h, mi, s;
      TimeValue{t}.Split(false, &y, &mo, &d, nullptr, &h, &mi, &s, nullptr);
      if (y < 1) continue;
      int offset = static_cast<int>(TimeValue{t}.LocalOffset() / 60000);
      char iso[64];
      std::snprintf(iso, sizeof iso, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", y, mo + 1, d, h, mi, s,
                    offset < 0 ? '-' : '+', std::abs(offset) / 60, std::abs(offset) % 60);
      TimeValue back{NAN};
      ASSERT_TRUE(back.ParseIso(Text(iso))) << iso;
      EXPECT_EQ(back.milliseconds, t) << iso;
    }
  }
}

TEST_F(TextForms, ParsesTheSelectionOfAnyCodePage) {
  EncodedString text;
  text.FromWide(u"xxWed, 9 Dec 2026 13:05:00 UTCyy");
  text.Select(2, 31);
  TimeValue v{0};
  ASSERT_TRUE(v.Parse(text, true, true));
  EXPECT_EQ(v.milliseconds, kExample);
  EncodedString utf8;
  utf8.AssignNarrow("2006-03-05T09:20:30Z", 65001);
  ASSERT_TRUE(v.Parse(utf8, false, true));
  EXPECT_EQ(v.milliseconds, 1141550430000.0);
}
