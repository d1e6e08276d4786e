// AppEnvironment: folders, fixed file names, the default tables and strings.
#include "app/environment/app_environment.h"

#include "app/environment/whole_text.h"
#include "foundation/files/folders.h"
#include "foundation/language/localized_strings.h"
#include "foundation/system/platform_detection.h"
#include "foundation/system/registry.h"
#include "platform/gdi/gdi.h"
#include "platform/windows/painting.h"
#include "platform/windows/windows.h"

namespace {

struct DefaultSetting {
  uint32_t key;
  int32_t value;
  int32_t highDensityValue;
};

// In the order they are searched; keys no part asks for stay.
constexpr DefaultSetting kDefaultSettings[] = {
    {1, 12, 12},  {2, 24, 24},  {3, 16, 16},  {4, 16, 16},  {5, 1, 1},    {6, 1, 1},
    {7, 20, 40},  {8, 3, 7},    {9, 5, 10},   {10, 7, 14},  {11, 2, 4},   {12, 12, 24},
    {13, 8, 16},  {14, 3, 6},   {15, 3, 6},   {45, 35, 70}, {16, 15, 25}, {17, 30, 50},
    {19, 3, 6},   {20, 5, 10},  {23, 12, 24}, {24, 10, 10}, {44, 3, 6},
};

struct DefaultColor {
  uint32_t key;
  uint32_t bgr;  // 0x00BBGGRR
};

constexpr DefaultColor kDefaultColors[] = {
    {21, 0xC0C0C0}, {22, 0x000000}, {25, 0x3B6BCC}, {26, 0xFBFBF9}, {27, 0xFFFFFF}, {28, 0x000000},
    {33, 0x000000}, {34, 0x5295E0}, {35, 0xFFFFFF}, {36, 0xC8C8C8}, {37, 0xFFFFFF}, {38, 0x000000},
    {39, 0xC56A31}, {40, 0xFFFFFF}, {41, 0x7F0000}, {42, 0xF7F7F7}, {43, 0xD8E9EC},
};

// Pixels per logical inch above which the high-density values apply.
constexpr int kHighDensityAbove = 129;

}  // namespace

AppEnvironment::AppEnvironment(const EncodedString& programFolder, const MainWindowHandleSource* mainWindow)
    : mainWindow_(mainWindow) {
  CopyWholeTextAsUtf16(programFolder, &programFolder_);
  programFolder_.StripTrailingBackslash();
  programFolder_.AppendChar('\\');
  programFolder_.SelectAll();
  GetSystemFolder(&dataFolder_);
}

bool AppEnvironment::GetBooksFolder(EncodedString* out) const { return EnsureBooksFolder(out); }

bool AppEnvironment::GetDatabaseFolder(EncodedString* out) const {
  out->Clear();
  const bool books = GetBooksFolder(out);
  out->AppendAscii("\\database");
  out->SelectAll();
  if (out->IsEmpty() || !out->IsOk()) return false;
  if (PathExists(*out)) return books;
  return CreateFolder(*out) && books;
}

bool AppEnvironment::GetTypeResourcePath(EncodedString* out) const {
  return JoinDataFilePath(programFolder_, out, u"corvtype.prc");
}
bool AppEnvironment::GetLibraryListPath(EncodedString* out) const {
  return JoinDataFilePath(dataFolder_, out, u"tessalyn.qvl");
}
bool AppEnvironment::GetGlobalConfigurationPath(EncodedString* out) const {
  return JoinDataFilePath(dataFolder_, out, u"QVR_global_configuration.qvr");
}
bool AppEnvironment::GetBookmarkListPagePath(EncodedString* out) const {
  return JoinDataFilePath(dataFolder_, out, u"CorvellineAutogenBookmarkList.qvg");
}
bool AppEnvironment::GetCartFilePath(EncodedString* out) const {
  return JoinDataFilePath(dataFolder_, out, u"CorvellineAutogenCart.qvg");
}
bool AppEnvironment::GetCacheFilePath(EncodedString* out) const {
  return JoinDataFilePath(dataFolder_, out, u"CorvellineCache.qvr");
}
bool AppEnvironment::GetInteractionsFilePath(EncodedString* out) const {
  return JoinDataFilePath(dataFolder_, out, u"CorvellineAutogenInteract.qvg");
}

bool AppEnvironment::GetHelpUrl(EncodedString* out) const {
  out->FromWide(u"oeb:redirect?title=Corvelline_Help");
  return true;
}

bool AppEnvironment::GetDefaultFontName(EncodedString* out) const {
  out->FromWide(u"Arial");
  return !out->IsEmpty();
}

bool AppEnvironment::LoadString(uint32_t stringId, SharedWideString* out) const {
  out->Clear();
  const WCHAR* text = LoadLocalizedString(stringId);
  if (text == nullptr) return false;
  uint32_t n = 0;
  while (text[n] != 0) ++n;
  return out->AttachExternal(text, n) || n == 0;
}

bool AppEnvironment::LoadStringInto(EncodedString* out, uint32_t stringId) const {
  return LoadStringResourceInto(stringId, out);
}

int32_t AppEnvironment::GetUiLanguage() const { return ::GetUiLanguage(); }

bool AppEnvironment::IsHighDensity() const {
  HWND window = mainWindow_ != nullptr ? mainWindow_->MainWindowHandle() : nullptr;
  HDC dc = GetDC(window);
  if (dc == nullptr) return false;
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(window, dc);
  return dpi > kHighDensityAbove;
}

int32_t AppEnvironment::GetDefaultSetting(uint32_t key) const {
  const bool high = IsHighDensity();
  for (const DefaultSetting& row : kDefaultSettings) {
    if (row.key == key) return high ? row.highDensityValue : row.value;
  }
  return 0;
}

Color AppEnvironment::GetDefaultColor(uint32_t key) const {
  for (const DefaultColor& row : kDefaultColors) {
    if (row.key == key) {
      return Color::FromRgb(static_cast<uint8_t>(row.bgr), static_cast<uint8_t>(row.bgr >> 8),
                            static_cast<uint8_t>(row.bgr >> 16));
    }
  }
  return Color{0xFFFFFF};
}
