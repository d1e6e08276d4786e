// ScriptAppEnvironment: what the application frame tells the script
// engine's host objects about itself. The application implements it; tests
// use a fake. (Named apart from the application's own environment class so
// that one program can hold both.)
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

class ScriptAppEnvironment {
 public:
  // The locale identifier of the user-interface language.
  virtual uint32_t GetUiLanguage() = 0;
  // The environment look-up behind a script's device.getenv: true with the
  // value when the name is known.
  virtual bool GetEnvironmentValue(const SharedWideString& name, SharedWideString* value) = 0;

 protected:
  ~ScriptAppEnvironment() = default;
};

// The object of the window set through which queries run and whose document
// loader opens databases; defined by the browser.
class ScriptDocumentContext;
