// ScriptErrorReporter: what the interpreter needs of the application to tell
// the user about a script error: the texts of the string table in the user's
// language (the template of the error message) and a message box. The
// application controller implements it; tests use a fake that records the
// boxes (tests/support/fake_script_host.h).
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

// Kinds of message box.
inline constexpr int32_t kMessageBoxInformation = 0;
inline constexpr int32_t kMessageBoxWarning = 1;
inline constexpr int32_t kMessageBoxError = 2;
inline constexpr int32_t kMessageBoxQuestion = 3;  // OK/Cancel; true on OK

// A caption id that shows no caption.
inline constexpr int32_t kMessageBoxNoCaption = -1;

class ScriptErrorReporter {
 public:
  virtual ~ScriptErrorReporter() = default;

  // *text becomes the string-table entry `stringId` (an English id; the
  // implementation adds the language offset); empty when it is missing.
  virtual void LoadString(SharedWideString* text, int32_t stringId) = 0;

  // Shows `text` in a message box of the kind, with the caption of the
  // string id or none; true when the user answers OK.
  virtual bool MessageBox(int32_t captionId, const SharedWideString& text, int32_t kind) = 0;
};
