// FILETIME helpers, the current time and the small text forms beside them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/time/date_time.h"
#include "foundation/time/date_time_file_time.h"
#include "foundation/time/date_time_text.h"
#include "foundation/encoded_string/encoded_string.h"
#include "platform/testing/allocation.h"
#include "platform/testing/clock.h"

namespace {

constexpr int64_t kSecond = 10000000;
constexpr int64_t kDefaultClockSeconds = 1749988800;  // 2025-06-15 12:00:00 UTC

EncodedString Wide(const char16_t* text) {
  EncodedString s;
  s.FromWide(text);
  return s;
}

std::u16string Units(const EncodedString& s) { return std::u16string(s.Chars(), s.ByteLength() / 2); }

}  // namespace

TEST(FileTimeHelpers, CurrentTimeFollowsTheDeviceClock) {
  EXPECT_EQ(FileTimeToUnixSeconds(GetCurrentFileTime(), nullptr), kDefaultClockSeconds);
  EXPECT_EQ(CurrentUnixMinutes(), kDefaultClockSeconds / 60);
  EXPECT_EQ(TimeValue::Now().milliseconds, kDefaultClockSeconds * 1000.0);
  devtest::AdvanceClock(61500);
  EXPECT_EQ(TimeValue::Now().milliseconds, kDefaultClockSeconds * 1000.0 + 61500);
  EXPECT_EQ(CurrentUnixMinutes(), kDefaultClockSeconds / 60 + 1);
  devtest::SetClock(1969, 12, 31, 23, 59);
  EXPECT_EQ(CurrentUnixMinutes(), 0u);
  EXPECT_EQ(TimeValue::Now().milliseconds, -60000.0);
}

TEST(FileTimeHelpers, SecondsSinceTheEpochs) {
  struct Case {
    int64_t value;
    int64_t unixSeconds;
    bool fits;
  } cases[] = {
      {kFileTimeUnixEpoch, 0, true},
      {kFileTimeUnixEpoch - 1, -1, false},  // floor, before 1970
      {kFileTimeUnixEpoch + 0xFFFFFFFFll * kSecond, 0xFFFFFFFFll, true},
      {kFileTimeUnixEpoch + 0x100000000ll * kSecond, 0x100000000ll, false},
      {0, -11644473600ll, false},
      {INT64_MIN, INT64_MIN / kSecond - 11644473600ll - 1, false},
  };
  for (const Case& c : cases) {
    bool fits = !c.fits;
    EXPECT_EQ(FileTimeToUnixSeconds(FileTimeFromValue(c.value), &fits), c.unixSeconds) << c.value;
    EXPECT_EQ(fits, c.fits) << c.value;
  }
  bool fits = false;
  EXPECT_EQ(FileTimeToSeconds1904(FileTimeFromValue(kFileTimeUnixEpoch), &fits), 2082844800);
  EXPECT_TRUE(fits);
  EXPECT_EQ(FileTimeValue(FileTimeFrom1904(0, 0)), kFileTime1904Epoch);
  EXPECT_EQ(FileTimeValue(FileTimeFrom1904(2082844800, 5)), kFileTimeUnixEpoch + 50000);
  EXPECT_EQ(FileTimeValue(FileTimeFromUnix(-1, 500)), kFileTimeUnixEpoch - 5000000);
  EXPECT_EQ(FileTimeToUnixMinutes(FileTimeFromUnix(-1, 0)), -1);
  EXPECT_EQ(FileTimeToUnixMilliseconds(FileTimeFromUnix(1, 2)), 1002);
  EXPECT_EQ(TimeValue::FromFileTime(FileTimeFromUnix(1141550430, 0)).milliseconds, 1141550430000.0);
  int64_t days = 0;
  uint32_t ms = 0;
  SplitFileTimeDays(FileTimeFromUnix(-1, 0), &days, &ms);
  EXPECT_EQ(days, -1);
  EXPECT_EQ(ms, 86399000u);
}

TEST(FileTimeHelpers, FieldsThroughThePlatform) {
  int32_t y, mo, d, wd, h, mi, s, ms;
  ASSERT_TRUE(FileTimeToFields(FileTimeFromUnix(1796821500, 7), &y, &mo, &d, &wd, &h, &mi, &s, &ms));
  EXPECT_EQ(y, 2026);
  EXPECT_EQ(mo, 12);
  EXPECT_EQ(d, 9);
  EXPECT_EQ(wd, 3);
  EXPECT_EQ(h, 13);
  EXPECT_EQ(mi, 5);
  EXPECT_EQ(s, 0);
  EXPECT_EQ(ms, 7);
  EXPECT_TRUE(FileTimeToFields(FileTimeFromUnix(0, 0), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr));
  EXPECT_FALSE(FileTimeToFields(FileTimeFromValue(-1), &y, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                nullptr));

  FILETIME t{1, 1};
  ASSERT_TRUE(FieldsToFileTime(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &t));
  EXPECT_EQ(FileTimeValue(t), kFileTimeUnixEpoch);
  int32_t year = 2026, month = 12, day = 9, hour = 13, minute = 5;
  ASSERT_TRUE(FieldsToFileTime(&year, &month, &day, &hour, &minute, nullptr, nullptr, &t));
  EXPECT_EQ(FileTimeToUnixSeconds(t, nullptr), 1796821500);
  int32_t badMonth = 13, negative = -1, huge = 70000;
  EXPECT_FALSE(FieldsToFileTime(&year, &badMonth, nullptr, nullptr, nullptr, nullptr, nullptr, &t));
  EXPECT_FALSE(FieldsToFileTime(&negative, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &t));
  EXPECT_FALSE(FieldsToFileTime(&huge, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &t));
  EXPECT_EQ(FileTimeToUnixSeconds(t, nullptr), 1796821500) << "a refused conversion leaves the output";
}

TEST(FileTimeHelpers, ArithmeticAndComparison) {
  FILETIME a = FileTimeFromValue(0x100000000ll), b = FileTimeFromValue(0xFFFFFFFFll);
  EXPECT_EQ(CompareFileTimes(a, b), 1);
  EXPECT_EQ(CompareFileTimes(b, a), -1);
  EXPECT_EQ(CompareFileTimes(a, a), 0);
  FILETIME later = AddSecondsToFileTime(FileTimeFromUnix(0, 0), 90);
  EXPECT_EQ(FileTimeToUnixSeconds(later, nullptr), 90);
  EXPECT_EQ(FileTimeDifferenceSeconds(later, FileTimeFromUnix(0, 600)), 89);
  EXPECT_EQ(FileTimeDifferenceSeconds(FileTimeFromUnix(0, 600), later), -89);
  EXPECT_DOUBLE_EQ(FileTimeDifference(later, FileTimeFromUnix(0, 500)), 89.5);
  // Extreme values from a file neither overflow nor trap.
  FILETIME low = FileTimeFromValue(INT64_MIN), high = FileTimeFromValue(INT64_MAX);
  EXPECT_GT(FileTimeDifference(high, low), 1.8e12);
  EXPECT_EQ(FileTimeDifferenceSeconds(high, low), static_cast<int64_t>(((__int128)INT64_MAX - INT64_MIN) / kSecond));
  AddSecondsToFileTime(high, INT64_MAX);
}

TEST(FileTimeHelpers, ByteBufferCopiesAreLittleEndianAndBounded) {
  uint8_t buffer[12] = {};
  uint32_t offset = 2;
  FILETIME t{0x04030201, 0x08070605};
  ASSERT_TRUE(StoreFileTime(buffer, sizeof buffer, &offset, t));
  EXPECT_EQ(offset, 10u);
  const uint8_t expected[12] = {0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 0, 0};
  EXPECT_EQ(0, memcmp(buffer, expected, 12));
  EXPECT_FALSE(StoreFileTime(buffer, sizeof buffer, &offset, t));
  EXPECT_EQ(offset, 10u);
  offset = 2;
  FILETIME back{};
  ASSERT_TRUE(LoadFileTime(buffer, sizeof buffer, &offset, &back));
  EXPECT_EQ(back.dwLowDateTime, t.dwLowDateTime);
  EXPECT_EQ(back.dwHighDateTime, t.dwHighDateTime);
  offset = 5;
  EXPECT_FALSE(LoadFileTime(buffer, sizeof buffer, &offset, &back));
  offset = 0xFFFFFFF0u;
  EXPECT_FALSE(LoadFileTime(buffer, sizeof buffer, &offset, &back));
}

TEST(ClockTexts, MinutesAsClockAndBack) {
  struct Format {
    int32_t minutes;
    const char16_t* text;
  } formats[] = {{0, u"00:00"}, {605, u"10:05"}, {1439, u"23:59"}, {1440, u"24:00"}, {1441, u""}, {-1, u""}};
  for (const Format& f : formats) {
    EncodedString out = Wide(u"old");
    FormatMinutesAsClock(f.minutes, &out);
    EXPECT_EQ(Units(out), f.text) << f.minutes;
  }
  struct Parse {
    const char16_t* text;
    int32_t minutes;
  } parses[] = {{u"00:00", 0}, {u"7:05", 425}, {u"23:59", 1439}, {u" 12:30 ", 750}, {u"24:00", -1},
                {u"12:60", -1}, {u"123:00", -1}, {u"12:3x", -1}, {u"12", -1},    {u"", -1}};
  for (const Parse& p : parses) EXPECT_EQ(ParseClockMinutes(Wide(p.text)), p.minutes);
}

TEST(ClockTexts, WebDateOfAFileTime) {
  EncodedString* text = FormatFileDateText(FileTimeFromUnix(1796821500, 0));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->CodePage(), 1252);
  EXPECT_EQ(std::string(text->NarrowCStr()), "Wed, 09 Dec 2026 13:05:00 GMT");
  delete text;
  text = FormatFileDateText(FileTimeFromUnix(-11644473600ll, 0));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(std::string(text->NarrowCStr()), "Mon, 01 Jan 1601 00:00:00 GMT");
  delete text;
  EXPECT_EQ(FormatFileDateText(FileTimeFromValue(-1)), nullptr);
  devtest::AllocationFailure failure(1, true);
  EXPECT_EQ(FormatFileDateText(FileTimeFromUnix(0, 0)), nullptr);
}
