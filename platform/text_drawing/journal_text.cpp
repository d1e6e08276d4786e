// Formats text for the graphics journal (see journal_text.h).
#include "platform/text_drawing/journal_text.h"

#include <cstdio>

#include "platform/fonts/font_engine.h"

namespace textdraw {

namespace {

void AppendUtf8(std::string* out, char32_t c) {
  if (c < 0x80) {
    out->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (c >> 6)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (c >> 12)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (c >> 18)));
    out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace

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
        AppendUtf8(&out, c);
      }
      ++shown;
    }
  }
  out.push_back('"');
  return out;
}

}  // namespace textdraw
