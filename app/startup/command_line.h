// The command line of a start: the text the shell hands over, made into
// the address to open, and the two switches a start knows.
#pragma once

#include "foundation/encoded_string/encoded_string.h"

// The whole command line as UTF-16. A line that begins with a double quote
// loses that quote, and its last character only when that is a double
// quote too and the line has at least two characters (so a quoted path
// loses both quotes and an unquoted end is never cut).
bool ReadCommandLine(const WCHAR* line, EncodedString* out);

enum class StartSwitch { kNone, kQuit, kRestart };
// "/quit" or "/restart" as the whole text, ASCII letters without case; any
// longer text is a path.
StartSwitch MatchStartSwitch(const EncodedString& line);
