// GetTimeFormatW: expands the locale's time format, or the caller's picture,
// for one time, with the flags that remove minutes, seconds or the marker.
#include <new>

#include "platform/core/last_error.h"
#include "platform/locale/date_time_format.h"
#include "platform/locale/format_picture.h"
#include "platform/locale/locale_data.h"

namespace {

constexpr DWORD kKnownFlags =
    TIME_NOMINUTESORSECONDS | TIME_NOSECONDS | TIME_NOTIMEMARKER | TIME_FORCE24HOURFORMAT | LOCALE_NOUSEROVERRIDE;

std::u16string Expand(const LocaleData& locale, const char16_t* picture, const SYSTEMTIME& time, DWORD flags) {
  std::vector<PictureToken> tokens = SplitPicture(picture, u"hHmst");
  for (PictureToken& token : tokens) {
    if (token.letter == u'm') token.dropped = (flags & TIME_NOMINUTESORSECONDS) != 0;
    if (token.letter == u's') token.dropped = (flags & (TIME_NOMINUTESORSECONDS | TIME_NOSECONDS)) != 0;
    if (token.letter == u't') token.dropped = (flags & TIME_NOTIMEMARKER) != 0;
  }
  DropSeparators(tokens);
  const char16_t* marker = time.wHour < 12 ? locale.am : locale.pm;
  std::u16string text;
  for (const PictureToken& token : tokens) {
    if (token.dropped) continue;
    int width = token.count >= 2 ? 2 : 1;
    switch (token.letter) {
      case 0:
        text += token.literal;
        break;
      case u'h':
        if (flags & TIME_FORCE24HOURFORMAT)
          text += Digits(time.wHour, width);
        else
          text += Digits(time.wHour % 12 == 0 ? 12 : time.wHour % 12, width);
        break;
      case u'H':
        text += Digits(time.wHour, width);
        break;
      case u'm':
        text += Digits(time.wMinute, width);
        break;
      case u's':
        text += Digits(time.wSecond, width);
        break;
      case u't':
        if (token.count >= 2)
          text += marker;
        else if (*marker)
          text += marker[0];
        break;
    }
  }
  return text;
}

}  // namespace

int GetTimeFormatW(LCID localeId, DWORD flags, const SYSTEMTIME* time, LPCWSTR format, LPWSTR out, int outSize) {
  if (outSize < 0 || (outSize > 0 && !out)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (flags & ~kKnownFlags) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  const LocaleData* locale = FindLocaleData(localeId);
  SYSTEMTIME now{};
  if (!time) {
    GetLocalTime(&now);
    time = &now;
  }
  if (!locale || time->wHour > 23 || time->wMinute > 59 || time->wSecond > 59 || time->wMilliseconds > 999) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const char16_t* picture = format ? format : locale->time;
  try {
    return DeliverFormatted(Expand(*locale, picture, *time, flags), out, outSize);
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
}
