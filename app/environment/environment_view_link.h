// The application's environment as the document view asks for it
// (ViewEnvironment; the loader's LoaderEnvironment): strings, the settings'
// defaults, the database and data folders and the interface language as a locale identifier. Thin forwarders to
// AppEnvironment, whose own members keep their names and constness.
#pragma once

#include "app/environment/app_environment.h"
#include "browser/host/view_environment.h"

class EnvironmentViewLink final : public ViewEnvironment {
 public:
  explicit EnvironmentViewLink(const AppEnvironment* environment) : environment_(environment) {}

  void LoadString(SharedWideString* text, uint32_t stringId) override;
  int32_t GetDefaultSetting(int32_t key) override;
  bool GetDatabaseFolder(SharedWideString* folder) override;
  // The program's data folder (where generated pages are written).
  bool GetDataFolder(SharedWideString* folder) override;
  // 0x40C for French, else 0x409 (English).
  uint32_t GetUiLanguage() override;
  bool GetEnvironmentValue(const SharedWideString&, SharedWideString*) override { return false; }

 private:
  const AppEnvironment* environment_;
};
