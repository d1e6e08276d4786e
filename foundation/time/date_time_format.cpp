// The text forms the system writes: TimeValue::Format's three styles, clock
// texts and the web date. Texts are assembled in a small fixed buffer of
// UTF-16 units and handed to the EncodedString at the end.
#include <cmath>

#include "foundation/time/date_time.h"
#include "foundation/time/date_time_calendar.h"
#include "foundation/time/date_time_text.h"
#include "foundation/encoded_string/encoded_string.h"
#include "platform/locale/date_time_format.h"
#include "platform/memory/allocator.h"
#include "platform/text/code_page_conversion.h"

namespace {

// Room for the longest form: two 128-unit platform texts, a space and " UTC".
class TextBuilder {
 public:
  void Ascii(const char* text) {
    while (*text) Unit(static_cast<uint8_t>(*text++));
  }
  void Wide(const WCHAR* text) {
    while (*text) Unit(*text++);
  }
  // Decimal, zero-padded to width; a '-' for negative values.
  void Number(int64_t value, int width) {
    char digits[24];
    int n = 0;
    uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    do {
      digits[n++] = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude);
    while (n < width) digits[n++] = '0';
    if (value < 0) Unit('-');
    while (n > 0) Unit(static_cast<uint8_t>(digits[--n]));
  }
  void Unit(WCHAR c) {
    if (length_ < kCapacity) units_[length_++] = c;
  }
  bool Deliver(EncodedString* out) const { return out->FromWide(units_, static_cast<int32_t>(length_)); }

 private:
  static constexpr uint32_t kCapacity = 300;
  WCHAR units_[kCapacity];
  uint32_t length_ = 0;
};

struct Fields {
  int32_t year, month, day, weekday, hours, minutes, seconds, ms;
};

void Clock(TextBuilder& text, const Fields& f) {
  text.Number(f.hours, 2);
  text.Unit(':');
  text.Number(f.minutes, 2);
  text.Unit(':');
  text.Number(f.seconds, 2);
}

void Style0(TextBuilder& text, const Fields& f, bool utc, int64_t offsetMinutes, bool withDate, bool withTime) {
  if (withDate) {
    text.Ascii(kWeekdayNames[f.weekday]);
    text.Unit(' ');
    text.Ascii(kMonthNames[f.month]);
    text.Unit(' ');
    text.Number(f.day, 0);
  }
  if (withDate && withTime) text.Unit(' ');
  if (withTime) {
    Clock(text, f);
    text.Ascii(" UTC");
    if (!utc) {
      text.Unit(offsetMinutes >= 0 ? '+' : '-');
      int64_t magnitude = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
      text.Number(magnitude / 60, 2);
      text.Number(magnitude % 60, 2);
    }
  }
  if (withDate) {
    text.Unit(' ');
    text.Number(f.year, 0);
  }
}

void Style1(TextBuilder& text, const Fields& f, bool utc, bool withDate, bool withTime) {
  if (withDate) {
    text.Ascii(kWeekdayNames[f.weekday]);
    text.Ascii(", ");
    text.Number(f.day, 0);
    text.Unit(' ');
    text.Ascii(kMonthNames[f.month]);
    text.Unit(' ');
    text.Number(f.year, 0);
  }
  if (withDate && withTime) text.Unit(' ');
  if (withTime) {
    Clock(text, f);
    if (utc) text.Ascii(" UTC");
  }
}

// The user's long date and time formats. A year the platform cannot format
// (before 1 or after 30827) leaves its part empty.
void Style2(TextBuilder& text, const Fields& f, bool utc, bool withDate, bool withTime) {
  SYSTEMTIME st{};
  bool representable = f.year >= 1 && f.year <= 30827;
  if (representable)
    st = SYSTEMTIME{static_cast<WORD>(f.year), static_cast<WORD>(f.month + 1), static_cast<WORD>(f.weekday),
                    static_cast<WORD>(f.day), static_cast<WORD>(f.hours), static_cast<WORD>(f.minutes),
                    static_cast<WORD>(f.seconds), static_cast<WORD>(f.ms)};
  WCHAR part[128];
  if (withDate) {
    if (representable && GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, &st, nullptr, part, 128) > 0)
      text.Wide(part);
  }
  if (withDate && withTime) text.Unit(' ');
  if (withTime) {
    if (representable && GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, part, 128) > 0) text.Wide(part);
  }
  if (utc) text.Ascii(" UTC");
}

}  // namespace

bool TimeValue::Format(EncodedString* out, bool utc, bool withDate, bool withTime, int32_t style) const {
  if (!out) return false;
  TextBuilder text;
  Fields f{};
  if (!Split(utc, &f.year, &f.month, &f.day, &f.weekday, &f.hours, &f.minutes, &f.seconds, &f.ms)) {
    text.Ascii("NaN");
    return text.Deliver(out);
  }
  if (style == 1) {
    Style1(text, f, utc, withDate, withTime);
  } else if (style == 2) {
    Style2(text, f, utc, withDate, withTime);
  } else {
    double offset = utc ? 0 : LocalOffset();
    Style0(text, f, utc, static_cast<int64_t>(std::trunc(offset / 60000)), withDate, withTime);
  }
  return text.Deliver(out);
}

void FormatMinutesAsClock(int32_t minutes, EncodedString* out) {
  if (!out) return;
  TextBuilder text;
  if (minutes >= 0 && minutes <= 1440) {
    text.Number(minutes / 60, 2);
    text.Unit(':');
    text.Number(minutes % 60, 2);
  }
  text.Deliver(out);
}

EncodedString* FormatFileDateText(const FILETIME& t) {
  SYSTEMTIME st{};
  if (!FileTimeToSystemTime(&t, &st)) return nullptr;
  char text[40];
  int n = 0;
  auto put = [&text, &n](const char* s) {
    while (*s) text[n++] = *s++;
  };
  auto two = [&text, &n](int v) {
    text[n++] = static_cast<char>('0' + v / 10 % 10);
    text[n++] = static_cast<char>('0' + v % 10);
  };
  put(kWeekdayNames[st.wDayOfWeek % 7]);
  put(", ");
  two(st.wDay);
  put(" ");
  put(kMonthNames[(st.wMonth + 11) % 12]);
  put(" ");
  for (int divisor = st.wYear >= 10000 ? 10000 : 1000; divisor; divisor /= 10)
    text[n++] = static_cast<char>('0' + st.wYear / divisor % 10);
  put(" ");
  two(st.wHour);
  put(":");
  two(st.wMinute);
  put(":");
  two(st.wSecond);
  put(" GMT");
  text[n] = 0;
  EncodedString* result = DeviceNew<EncodedString>();
  if (!result) return nullptr;
  if (!result->AssignNarrow(text, static_cast<int32_t>(GetACP()))) {
    delete result;
    return nullptr;
  }
  return result;
}
