// String-table look-up through the platform's pointer form of LoadStringW,
// and the default-language services. (The battery time-out, declared beside
// them, lives in battery_idle_timeout.cpp: it needs the system parameters,
// which a program that only looks strings up should not link.)
#include "foundation/language/localized_strings.h"

#include <atomic>

#include "foundation/language/localized_strings_testing.h"
#include "platform/locale/locale_ids.h"
#include "platform/modules/modules.h"
#include "platform/resources/load_string.h"

namespace {

constexpr int32_t kFrenchOffset = 1000;

// -1 until the first look-up.
std::atomic<int32_t> g_languageOffset{-1};

int32_t LanguageOffset() {
  int32_t offset = g_languageOffset.load();
  if (offset < 0) {
    offset = GetUiLanguage() == LANG_FRENCH ? kFrenchOffset : 0;
    g_languageOffset.store(offset);
  }
  return offset;
}

}  // namespace

int32_t GetUiLanguage() { return PRIMARYLANGID(GetUserDefaultLangID()) == LANG_FRENCH ? LANG_FRENCH : LANG_ENGLISH; }

uint32_t LocalizeStringId(uint32_t id) { return id + static_cast<uint32_t>(LanguageOffset()); }

const WCHAR* LoadLocalizedString(uint32_t id) {
  LONG_PTR address = LoadStringW(GetModuleHandleW(nullptr), LocalizeStringId(id), nullptr, 0);
  return reinterpret_cast<const WCHAR*>(address);
}

uint32_t GetDefaultLocaleId() { return GetSystemDefaultLCID(); }

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

void ResetLanguageOffset() { g_languageOffset.store(-1); }

}  // namespace devtest
#endif
