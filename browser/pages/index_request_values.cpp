// Values of index, query and word-list requests (see index_request_values.h).
#include "browser/pages/index_request_values.h"

namespace {

constexpr int32_t kBulletCrossRed = 34;
constexpr int32_t kBulletCheckGreen = 35;
constexpr int32_t kBulletHospital = 37;

bool AppendAscii(SharedWideString* out, const char* ascii) {
  for (; *ascii != '\0'; ++ascii) {
    const WCHAR unit = static_cast<WCHAR>(*ascii);
    if (!out->AppendChars(&unit, 1)) return false;
  }
  return true;
}

}  // namespace

bool IsTableNumber(int32_t number) { return number >= 0 && number <= 0xFFFE; }

int32_t BulletCodeFor(int32_t value) {
  switch (value) {
    case kBulletCrossRed: return 230;
    case kBulletCheckGreen: return 225;
    case kBulletHospital: return 232;
    default: return 224;
  }
}

bool WordListLinkUrl(const SharedWideString& title, const SharedWideString& table, SharedWideString* url) {
  url->Clear();
  SharedWideString escaped = title;
  if (!escaped.UrlEscape(true, true) || !AppendAscii(url, "oeb:redirect?title=") || !url->Append(escaped)) {
    return false;
  }
  return table.IsEmpty() || (AppendAscii(url, "$table=") && url->Append(table));
}

uint32_t IndexInputMode(uint32_t flags) {
  const uint32_t mode = (flags >> 16) & 0xF;
  return mode == 3 ? 0 : mode;
}

bool SavedQueryApplies(const SharedWideString& savedText, uint32_t savedFlags, uint32_t savedCodePage,
                       uint32_t flags, uint32_t codePageKey) {
  return !savedText.IsEmpty() && IndexInputMode(savedFlags) == IndexInputMode(flags) &&
         (savedCodePage & 0x3FF) == (codePageKey & 0x3FF);
}
