// Small text forms of times beside TimeValue's: clock texts of minutes and
// the web date of a FILETIME.
#pragma once

#include <cstdint>

#include "platform/time/system_time.h"

class EncodedString;

// Replaces out with "hh:mm" for 0 to 1440 minutes; with an empty text for
// any other count.
void FormatMinutesAsClock(int32_t minutes, EncodedString* out);
// "hh:mm" (one or two digits each) as minutes; -1 when the text is not such
// a clock text or the hours exceed 23 or the minutes 59.
int32_t ParseClockMinutes(const EncodedString& text);
// A new string in the system's default code page holding the web date form
// "Wed, 09 Dec 2026 13:05:00 GMT"; null when the platform refuses the time
// or memory runs out. The caller deletes it.
EncodedString* FormatFileDateText(const FILETIME& t);
