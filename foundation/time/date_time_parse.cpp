// The text forms the system reads: ISO dates, the style-0 and style-1 text
// forms, and clock texts. The selection of the caller's string is taken as
// UTF-16 and read with a small cursor; names compare without regard to case.
#include <cmath>

#include "foundation/time/date_time.h"
#include "foundation/time/date_time_calendar.h"
#include "foundation/time/date_time_text.h"
#include "foundation/encoded_string/encoded_string.h"

namespace {

// More digits than this in one number fail the parse (no field needs them,
// and the value stays far from overflow).
constexpr int kMaxDigits = 15;

class TextCursor {
 public:
  TextCursor(const WCHAR* text, uint32_t length) : p_(text), end_(text + length) {}

  bool AtEnd() const { return p_ >= end_; }
  WCHAR Peek(uint32_t ahead = 0) const { return p_ + ahead < end_ ? p_[ahead] : 0; }
  bool IsDigitAhead(uint32_t ahead = 0) const { return Peek(ahead) >= '0' && Peek(ahead) <= '9'; }
  void SkipSpaces() {
    while (!AtEnd() && (*p_ == ' ' || *p_ == '\t')) ++p_;
  }
  bool Accept(WCHAR c) {
    if (Peek() != c || AtEnd()) return false;
    ++p_;
    return true;
  }
  // A run of decimal digits; *digits counts them.
  bool Number(int64_t* value, int* digits = nullptr) {
    int n = 0;
    int64_t v = 0;
    while (IsDigitAhead()) {
      if (++n > kMaxDigits) return false;
      v = v * 10 + (*p_++ - '0');
    }
    if (digits) *digits = n;
    *value = v;
    return n > 0;
  }
  void SkipDigits() {
    while (IsDigitAhead()) ++p_;
  }
  // A run of ASCII letters, compared with the names of a table; the index, or
  // -1 when the word is not one of them (or there is no word).
  int Name(const char* const* names, int count) {
    const WCHAR* start = p_;
    while (!AtEnd() && IsLetter(*p_)) ++p_;
    size_t length = static_cast<size_t>(p_ - start);
    for (int i = 0; i < count; ++i)
      if (SameWord(start, length, names[i])) return i;
    return -1;
  }
  // The rest of the text up to a blank, a sign or the end, as letters only.
  bool Word(const WCHAR** start, size_t* length) {
    *start = p_;
    while (!AtEnd() && IsLetter(*p_)) ++p_;
    *length = static_cast<size_t>(p_ - *start);
    return *length > 0;
  }

  static bool SameWord(const WCHAR* word, size_t length, const char* name) {
    size_t i = 0;
    for (; i < length; ++i) {
      if (!name[i] || Lower(word[i]) != Lower(static_cast<uint8_t>(name[i]))) return false;
    }
    return name[i] == 0;
  }

 private:
  static bool IsLetter(WCHAR c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
  static WCHAR Lower(WCHAR c) { return c >= 'A' && c <= 'Z' ? static_cast<WCHAR>(c + 32) : c; }

  const WCHAR* p_;
  const WCHAR* end_;
};

// The selection of text as UTF-16 in a copy the caller keeps alive.
bool WideSelection(const EncodedString& text, EncodedString* copy, const WCHAR** units, uint32_t* length) {
  copy->CopyFrom(text);
  if (!copy->IsOk()) return false;
  if (copy->UnitKind() != EncodedString::kUnitUtf16 && copy->ByteLength() > 0 && !copy->ConvertToUtf16())
    return false;
  *units = copy->Chars();
  *length = copy->ByteLength() / 2;
  return copy->IsOk();
}

// hours ":" minutes, optionally ":" seconds.
bool ReadClock(TextCursor& c, int64_t* h, int64_t* m, int64_t* s) {
  *s = 0;
  if (!c.Number(h) || !c.Accept(':') || !c.Number(m)) return false;
  if (c.Accept(':') && !c.Number(s)) return false;
  return true;
}

// A clock follows when a number is directly followed by ':'.
bool ClockAhead(const TextCursor& c) {
  uint32_t i = 0;
  while (c.IsDigitAhead(i)) ++i;
  return i > 0 && c.Peek(i) == ':';
}

// A sign and digits whose last two are minutes: the offset in minutes.
bool ReadNumericOffset(TextCursor& c, int64_t* offsetMinutes) {
  int sign = c.Accept('+') ? 1 : (c.Accept('-') ? -1 : 0);
  if (!sign) return false;
  int64_t n = 0;
  if (!c.Number(&n)) return false;
  int64_t minutes = n % 100, hours = n / 100;
  if (minutes > 59) return false;
  *offsetMinutes = sign * (hours * 60 + minutes);
  return true;
}

bool Finish(int64_t year, int64_t month, int64_t day, int64_t h, int64_t m, int64_t s, int64_t offsetMinutes,
            double* result) {
  bool invalid = false;
  double dayNumber = MakeDayNumber(year, month, day, &invalid);
  if (invalid) return false;
  double t = dayNumber * kMsPerDay +
             MakeTimeOfDay(static_cast<double>(h), static_cast<double>(m), static_cast<double>(s), 0) -
             static_cast<double>(offsetMinutes) * 60000.0;
  *result = TimeClip(t);
  return !std::isnan(*result);
}

bool ParseIsoUnits(const WCHAR* units, uint32_t length, double* result) {
  if (length < 4) return false;
  TextCursor c(units, length);
  int sign = c.Accept('-') ? -1 : (c.Accept('+'), 1);
  int64_t year = 0, month = 0, day = 0, h = 0, m = 0, s = 0;
  if (!c.Number(&year) || !c.Accept('-') || !c.Number(&month) || month < 1 || month > 12) return false;
  if (!c.Accept('-') || !c.Number(&day) || day < 1 || day > 31 || !c.Accept('T')) return false;
  if (!c.Number(&h) || h >= 24 || !c.Accept(':') || !c.Number(&m) || m >= 60) return false;
  if (c.Accept(':')) {
    if (!c.Number(&s) || s >= 60) return false;
    if (c.Accept('.')) c.SkipDigits();  // milliseconds are not kept
  }
  int64_t offset = 0;
  if (!c.Accept('Z')) {
    int zoneSign = c.Accept('+') ? 1 : (c.Accept('-') ? -1 : 0);
    if (zoneSign) {
      int64_t zh = 0, zm = 0;
      if (!c.Number(&zh) || zh >= 13) return false;
      if (c.Accept(':') && (!c.Number(&zm) || zm >= 60)) return false;
      offset = zoneSign * (zh * 60 + zm);
    }
  }
  c.SkipSpaces();
  if (!c.AtEnd()) return false;
  return Finish(sign * year, month - 1, day, h, m, s, offset, result);
}

// Style-0 form: [Www Mmm d] [hh:mm[:ss] UTC[+hhmm]] [year].
bool ParseStyle0(TextCursor& c, double* result) {
  int64_t year = 1970, month = 0, day = 1, h = 0, m = 0, s = 0, offset = 0;
  c.SkipSpaces();
  bool withDate = !c.IsDigitAhead();
  if (withDate) {
    if (c.Name(kWeekdayNames, 7) < 0) return false;
    c.SkipSpaces();
    int monthIndex = c.Name(kMonthNames, 12);
    if (monthIndex < 0) return false;
    month = monthIndex;
    c.SkipSpaces();
    if (!c.Number(&day)) return false;
    c.SkipSpaces();
  }
  if (!withDate || ClockAhead(c)) {
    if (!ReadClock(c, &h, &m, &s)) return false;
    c.SkipSpaces();
    const WCHAR* word = nullptr;
    size_t length = 0;
    if (!c.Word(&word, &length) || !TextCursor::SameWord(word, length, "UTC")) return false;
    if ((c.Peek() == '+' || c.Peek() == '-') && !ReadNumericOffset(c, &offset)) return false;
  }
  if (withDate) {
    c.SkipSpaces();
    int sign = c.Accept('-') ? -1 : 1;
    if (!c.Number(&year)) return false;
    year *= sign;
  }
  return Finish(year, month, day, h, m, s, offset, result);
}

// The named zones of the style-1 form, in minutes east of UTC.
struct NamedZone {
  const char* name;
  int offsetMinutes;
};
const NamedZone kNamedZones[] = {{"EDT", -240}, {"EST", -300}, {"CDT", -300}, {"CST", -360},
                                 {"MDT", -360}, {"MST", -420}, {"PDT", -420}, {"PST", -480}};

// Style-1 form: [Www[,]] d Mmm year [hh:mm[:ss]] [zone].
bool ParseStyle1(TextCursor& c, int32_t centuryBase, double* result) {
  int64_t year = 0, month = 0, day = 0, h = 0, m = 0, s = 0, offset = 0;
  c.SkipSpaces();
  if (!c.IsDigitAhead()) {
    if (c.Name(kWeekdayNames, 7) < 0) return false;
    c.Accept(',');
    c.SkipSpaces();
  }
  if (!c.Number(&day)) return false;
  c.SkipSpaces();
  int monthIndex = c.Name(kMonthNames, 12);
  if (monthIndex < 0) return false;
  month = monthIndex;
  c.SkipSpaces();
  int sign = c.Accept('-') ? -1 : 1;
  int digits = 0;
  if (!c.Number(&year, &digits)) return false;
  if (digits <= 2 && sign > 0) year += centuryBase;  // two-digit years
  year *= sign;
  c.SkipSpaces();
  if (ClockAhead(c)) {
    if (!ReadClock(c, &h, &m, &s)) return false;
    c.SkipSpaces();
    const WCHAR* word = nullptr;
    size_t length = 0;
    if (c.Word(&word, &length)) {
      for (const NamedZone& zone : kNamedZones)
        if (TextCursor::SameWord(word, length, zone.name)) offset = zone.offsetMinutes;
    }
    if ((c.Peek() == '+' || c.Peek() == '-') && !ReadNumericOffset(c, &offset)) return false;
  }
  return Finish(year, month, day, h, m, s, offset, result);
}

}  // namespace

bool LooksLikeIsoDate(const EncodedString& text) {
  EncodedString copy;
  const WCHAR* units = nullptr;
  uint32_t length = 0;
  if (!WideSelection(text, &copy, &units, &length)) return false;
  uint32_t dashes = 0, colons = 0;
  for (uint32_t i = 0; i < length; ++i) {
    dashes += units[i] == '-';
    colons += units[i] == ':';
  }
  return length == 4 || (dashes == 1 && colons == 0) || dashes > 1;
}

bool TimeValue::ParseIso(const EncodedString& text) {
  EncodedString copy;
  const WCHAR* units = nullptr;
  uint32_t length = 0;
  double t = 0;
  if (!WideSelection(text, &copy, &units, &length) || !ParseIsoUnits(units, length, &t)) return false;
  milliseconds = t;
  return true;
}

bool TimeValue::ParseText(const EncodedString& text, bool style1, int32_t centuryBase) {
  EncodedString copy;
  const WCHAR* units = nullptr;
  uint32_t length = 0;
  if (!WideSelection(text, &copy, &units, &length)) return false;
  TextCursor cursor(units, length);
  double t = 0;
  bool ok = style1 ? ParseStyle1(cursor, centuryBase, &t) : ParseStyle0(cursor, &t);
  if (!ok) return false;
  milliseconds = t;
  return true;
}

bool TimeValue::Parse(const EncodedString& text, bool style1, bool allowIso) {
  if (allowIso && LooksLikeIsoDate(text) && ParseIso(text)) return true;
  return ParseText(text, style1, 2000);
}

int32_t ParseClockMinutes(const EncodedString& text) {
  EncodedString copy;
  const WCHAR* units = nullptr;
  uint32_t length = 0;
  if (!WideSelection(text, &copy, &units, &length)) return -1;
  TextCursor c(units, length);
  int64_t h = 0, m = 0;
  int hourDigits = 0, minuteDigits = 0;
  c.SkipSpaces();
  if (!c.Number(&h, &hourDigits) || !c.Accept(':') || !c.Number(&m, &minuteDigits)) return -1;
  c.SkipSpaces();
  if (!c.AtEnd() || hourDigits > 2 || minuteDigits > 2 || h > 23 || m > 59) return -1;
  return static_cast<int32_t>(h * 60 + m);
}
