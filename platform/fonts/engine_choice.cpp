// Which font engine makes new fonts: TESSALYN_FONTS (builtin, freetype) in
// the program, the test profile's choice in tests. Fonts already made keep
// the engine they were made with.
#include <atomic>
#include <cstdlib>
#include <cstring>

#include "platform/fonts/font_engine.h"

namespace fonts {

namespace {

std::atomic<int> g_choice{-1};  // -1 = not chosen yet: read the environment

}  // namespace

EngineKind EngineKindFromEnvironment() {
  const char* value = std::getenv("TESSALYN_FONTS");
  if (value != nullptr && std::strcmp(value, "builtin") == 0) return EngineKind::Builtin;
  if (value != nullptr && std::strcmp(value, "freetype") == 0) return EngineKind::FreeType;
  return FreeTypeFontEngine() != nullptr ? EngineKind::FreeType : EngineKind::Builtin;
}

EngineKind CurrentEngineKind() {
  int choice = g_choice.load();
  if (choice < 0) {
    choice = static_cast<int>(EngineKindFromEnvironment());
    int expected = -1;
    if (!g_choice.compare_exchange_strong(expected, choice)) choice = expected;
  }
  return static_cast<EngineKind>(choice);
}

void SelectFontEngine(EngineKind kind) { g_choice.store(static_cast<int>(kind)); }

FontEngine& CurrentFontEngine() {
  if (CurrentEngineKind() == EngineKind::FreeType) {
    if (FontEngine* engine = FreeTypeFontEngine()) return *engine;
  }
  return BuiltinFontEngine();
}

char32_t NextCharacter(const char16_t* text, int32_t count, int32_t* i) {
  char16_t unit = text[*i];
  ++*i;
  if (unit >= 0xD800 && unit <= 0xDBFF && *i < count) {
    char16_t low = text[*i];
    if (low >= 0xDC00 && low <= 0xDFFF) {
      ++*i;
      return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00);
    }
  }
  return unit;
}

}  // namespace fonts
