// Formats text for the graphics journal (see journal_text.h).
#include "platform/text_drawing/journal_text.h"

#include <cstdio>

#include "platform/fonts/font_engine.h"
#include "platform/text/utf16_to_utf8.h"

namespace textdraw {

std::string JournalText(const char16_t* text, int64_t count) {
  std::string out = "\"";
  if (text != nullptr && count > 0) {
    int32_t n = count > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int32_t>(count);
    int32_t i = 0;
    int shown = 0;
    while (i < n) {
      if (shown == 48) {
        out += "...";
        break;
      }
      char32_t c = fonts::NextCharacter(text, n, &i);
      if (c == U'"' || c == U'\\') {
        out.push_back('\\');
        out.push_back(static_cast<char>(c));
      } else if (c < 0x20 || (c >= 0xD800 && c <= 0xDFFF)) {
        char escape[12];
        std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(c));
        out += escape;
      } else {
        uint8_t bytes[devtext::kMaxUtf8CharBytes];
        out.append(reinterpret_cast<const char*>(bytes), devtext::EncodeUtf8CodePoint(c, bytes));
      }
      ++shown;
    }
  }
  out.push_back('"');
  return out;
}

}  // namespace textdraw
