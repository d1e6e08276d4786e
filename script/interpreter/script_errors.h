// Runtime errors of script runs: the record a run fills when it stops with a
// status, the message of every status, and the text shown to the user.
//
// The shown text is string 5030 of the string table expanded with three
// arguments: %1 the status's message followed by the detail (the unknown
// name or member), %2 the name of the function that was running ("global
// text" for top-level code), %3 the line. The stock templates hold no
// placeholders and show their sentence as it is.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "platform/types/device_types.h"

class ScriptErrorReporter;

// String-table entries of the error text.
inline constexpr int32_t kScriptErrorTemplateString = 5030;
inline constexpr int32_t kScriptMathMissingString = 5031;

// What a run reports when it stops: the first failure's status (0 none),
// the line and the name of the activation that was running, and the detail
// text (kScriptObjectUnknown and kScriptMemberUnknown).
struct ScriptRuntimeError {
  int32_t status = 0;
  int32_t line = 0;
  SharedWideString name;
  SharedWideString detail;

  void Clear() {
    status = 0;
    line = 0;
    name.Clear();
    detail.Clear();
  }
};

// The message of a runtime status ("No Error", "Error: Not Enough Memory",
// ...), zero-terminated; null for a status outside 0-29.
const WCHAR* GetScriptStatusMessage(int32_t status);

// The text shown for the error, built from the reporter's string 5030 (see
// above); kScriptMathMissing takes string 5031 for its message. False when memory runs
// out.
bool FormatScriptError(const ScriptRuntimeError& error, ScriptErrorReporter* environment,
                       SharedWideString* text);
