// Text as the graphics journal shows it: UTF-8 between quotes, at most 48
// characters (then "..."), quotes and backslashes escaped, control
// characters as \xNN.
#pragma once

#include <cstdint>
#include <string>

namespace textdraw {

std::string JournalText(const char16_t* text, int64_t count);

}  // namespace textdraw
