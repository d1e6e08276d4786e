// GetDateFormatW: expands the locale's short or long date, or the caller's
// picture, for one date.
#include <new>

#include "platform/core/last_error.h"
#include "platform/locale/date_time_format.h"
#include "platform/locale/format_picture.h"
#include "platform/locale/locale_data.h"
#include "platform/time/calendar_math.h"

namespace {

constexpr DWORD kKnownFlags = DATE_SHORTDATE | DATE_LONGDATE | DATE_USE_ALT_CALENDAR | LOCALE_NOUSEROVERRIDE;

std::u16string Expand(const LocaleData& locale, const char16_t* picture, const SYSTEMTIME& date) {
  int weekday = calendar_math::WeekdayFromDays(calendar_math::DaysFromCivil(date.wYear, date.wMonth, date.wDay));
  std::u16string text;
  for (const PictureToken& token : SplitPicture(picture, u"dMyg")) {
    switch (token.letter) {
      case 0:
        text += token.literal;
        break;
      case u'd':
        if (token.count <= 2)
          text += Digits(date.wDay, token.count);
        else
          text += token.count == 3 ? locale.abbreviatedDays[weekday] : locale.days[weekday];
        break;
      case u'M':
        if (token.count <= 2)
          text += Digits(date.wMonth, token.count);
        else
          text += token.count == 3 ? locale.abbreviatedMonths[date.wMonth - 1] : locale.months[date.wMonth - 1];
        break;
      case u'y':
        text += token.count <= 2 ? Digits(date.wYear % 100, token.count) : Digits(date.wYear, 4);
        break;
      case u'g':
        text += locale.era;
        break;
    }
  }
  return text;
}

}  // namespace

int GetDateFormatW(LCID localeId, DWORD flags, const SYSTEMTIME* date, LPCWSTR format, LPWSTR out, int outSize) {
  if (outSize < 0 || (outSize > 0 && !out)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if ((flags & ~kKnownFlags) || ((flags & DATE_SHORTDATE) && (flags & DATE_LONGDATE)) ||
      (format && (flags & (DATE_SHORTDATE | DATE_LONGDATE)))) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  const LocaleData* locale = FindLocaleData(localeId);
  SYSTEMTIME now{};
  if (!date) {
    GetLocalTime(&now);
    date = &now;
  }
  if (!locale || !calendar_math::IsValidSystemTime(*date, 1)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const char16_t* picture = format ? format : (flags & DATE_LONGDATE) ? locale->longDate : locale->shortDate;
  try {
    return DeliverFormatted(Expand(*locale, picture, *date), out, outSize);
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
}
