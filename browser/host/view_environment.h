// ViewEnvironment: what the document view asks of the application's
// environment: localised strings, the built-in defaults of the settings,
// the database folder (the loader's part) and the user-interface language
// (the script host's part). The application's AppEnvironment implements it;
// tests use a fake. Named apart from that class so that one program holds
// both.
#pragma once

#include <cstdint>

#include "browser/loader/document_loader.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "script/host/script_app_environment.h"

class ViewEnvironment : public LoaderEnvironment, public ScriptAppEnvironment {
 public:
  // The text of a string-table entry in the user-interface language;
  // empty when missing.
  virtual void LoadString(SharedWideString* text, uint32_t stringId) = 0;
  // The built-in default of a setting key (the high-resolution column on
  // such a display).
  virtual int32_t GetDefaultSetting(int32_t key) = 0;

 protected:
  ~ViewEnvironment() = default;
};
