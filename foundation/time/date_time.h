// TimeValue: every time inside the system, a double count of milliseconds
// since 1970-01-01 00:00 UTC, NaN when invalid. Calendar fields, local time
// through the platform's zone conversions, the text forms the system writes
// (styles 0, 1 and 2) and reads (the same text forms and ISO), and FILETIME.
//
// Implementation files: date_time.cpp (fields and local time),
// date_time_zone.cpp (UTC <-> local through the platform),
// date_time_format.cpp, date_time_parse.cpp; the calendar formulas are in
// date_time_calendar.h and the FILETIME helpers in date_time_file_time.h.
#pragma once

#include <cstdint>

#include "platform/time/system_time.h"

class EncodedString;

struct TimeValue {
  double milliseconds = 0;

  void InitInvalid();
  bool IsValid() const;
  // The platform's current UTC time.
  static TimeValue Now();
  static TimeValue FromFileTime(const FILETIME& fileTime);

  // Breaks the time into fields, local unless utc; every output may be null.
  // False (and zero fields) for an invalid time.
  bool Split(bool utc, int32_t* year, int32_t* month, int32_t* day, int32_t* weekday, int32_t* hours,
             int32_t* minutes, int32_t* seconds, int32_t* milliseconds) const;
  // Builds the time from fields (local unless utc); a null field is taken
  // from this time split the same way (an invalid time then gives NaN). Months
  // outside 0-11 and other fields out of range carry over. Stores the result
  // and answers whether it is valid.
  bool Compose(bool utc, const int32_t* year, const int32_t* month, const int32_t* day, const int32_t* hours,
               const int32_t* minutes, const int32_t* seconds, const int32_t* milliseconds);
  // Local time minus UTC at this time, in milliseconds (NaN when invalid).
  double LocalOffset() const;
  // A copy in local time, unless keepUtc.
  TimeValue ToLocalOrUtc(bool keepUtc) const;

  // Replaces out with the text of the time (UTF-16). Style 0:
  // "Wed Dec 9 14:05:00 UTC+0100 2026"; style 1: "Wed, 9 Dec 2026 13:05:00
  // UTC"; style 2: the user's long date and time formats. "NaN" when invalid.
  bool Format(EncodedString* out, bool utc, bool withDate, bool withTime, int32_t style) const;
  // Reads the selection of text: ISO first when allowed and the text looks
  // like it, else the style-0 form (or the style-1 form when style1), with
  // 2000 as the century base. False leaves the time unchanged.
  bool Parse(const EncodedString& text, bool style1, bool allowIso);
  // yyyy-mm-ddThh:mm[:ss[.fff]][Z|+hh[:mm]|-hh[:mm]], the fields in UTC.
  bool ParseIso(const EncodedString& text);
  // The style-0 or style-1 text form; two-digit years of the style-1 form
  // have centuryBase added.
  bool ParseText(const EncodedString& text, bool style1, int32_t centuryBase);
};

// ISO look: 4 characters long, or exactly one "-" and no ":", or more than
// one "-".
bool LooksLikeIsoDate(const EncodedString& text);
// t converted to local time (toLocal) or from local time to UTC, through
// kernel32's zone functions when the device has them, else through the
// FILETIME pair. Times beyond what a FILETIME holds take the offset of the
// nearest time it holds. NaN stays NaN.
double ConvertUtcLocal(bool toLocal, double t);
