// The names of the script engine's statuses, for failure messages and
// expectations in tests: "kScriptConversionFailed" says what "12" does not.
#pragma once

#include <cstdint>
#include <string>

#include "script/values/script_status.h"

namespace scripttest {

// The constant's name for a status of script_status.h; "status N" for a
// number that names none.
inline std::string ScriptStatusName(int32_t status) {
#define STATUS_NAME(constant) {constant, #constant}
  static const struct {
    int32_t status;
    const char* name;
  } kNames[] = {
      STATUS_NAME(kScriptOk),
      STATUS_NAME(kScriptNoMemory),
      STATUS_NAME(kScriptCannotResolve),
      STATUS_NAME(kScriptObjectUnknown),
      STATUS_NAME(kScriptMemberUnknown),
      STATUS_NAME(kScriptBadAssignment),
      STATUS_NAME(kScriptCannotSet),
      STATUS_NAME(kScriptCannotGet),
      STATUS_NAME(kScriptMathMissing),
      STATUS_NAME(kScriptInvalidType),
      STATUS_NAME(kScriptBadEval),
      STATUS_NAME(kScriptCannotParse),
      STATUS_NAME(kScriptConversionFailed),
      STATUS_NAME(kScriptBadParameterCount),
      STATUS_NAME(kScriptNoResources),
      STATUS_NAME(kScriptNotImplemented),
      STATUS_NAME(kScriptLoadFailed),
      STATUS_NAME(kScriptFormatTooNew),
      STATUS_NAME(kScriptDataCorrupted),
      STATUS_NAME(kScriptSqlSyntax),
      STATUS_NAME(kScriptSqlUnknownObject),
      STATUS_NAME(kScriptBadOperator),
      STATUS_NAME(kScriptStackUnderflow),
      STATUS_NAME(kScriptBadOpcode),
      STATUS_NAME(kScriptBadStringLiteral),
      STATUS_NAME(kScriptBadMemberCode),
      STATUS_NAME(kScriptBadHeapState),
      STATUS_NAME(kScriptUnreachableState),
      STATUS_NAME(kScriptUnhandledException),
      STATUS_NAME(kScriptStopped),
  };
#undef STATUS_NAME
  for (const auto& entry : kNames)
    if (entry.status == status) return entry.name;
  return "status " + std::to_string(status);
}

}  // namespace scripttest
