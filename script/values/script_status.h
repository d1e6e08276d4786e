// Runtime status codes of the script engine. Every operation on script values
// and script objects reports through an int32_t status written to an
// out-parameter: 0 for success, otherwise the row of the engine's message
// table that describes the failure. Host objects of every subsystem answer
// with the same codes, and a run keeps the first non-zero status it meets.
#pragma once

#include <cstdint>

inline constexpr int32_t kScriptOk = 0;
inline constexpr int32_t kScriptNoMemory = 1;             // "Error: Not Enough Memory"
inline constexpr int32_t kScriptCannotResolve = 2;        // a name that is neither text nor atom
inline constexpr int32_t kScriptObjectUnknown = 3;        // detail: the name
inline constexpr int32_t kScriptMemberUnknown = 4;        // detail: the member's name or key
inline constexpr int32_t kScriptBadAssignment = 5;        // left of "=" is no object or variable
inline constexpr int32_t kScriptCannotSet = 6;
inline constexpr int32_t kScriptCannotGet = 7;
inline constexpr int32_t kScriptMathMissing = 8;
inline constexpr int32_t kScriptInvalidType = 9;
inline constexpr int32_t kScriptBadEval = 10;
inline constexpr int32_t kScriptCannotParse = 11;
inline constexpr int32_t kScriptConversionFailed = 12;
inline constexpr int32_t kScriptBadParameterCount = 13;
inline constexpr int32_t kScriptNoResources = 14;
inline constexpr int32_t kScriptNotImplemented = 15;
inline constexpr int32_t kScriptLoadFailed = 16;
inline constexpr int32_t kScriptFormatTooNew = 17;
inline constexpr int32_t kScriptDataCorrupted = 18;
inline constexpr int32_t kScriptSqlSyntax = 19;
inline constexpr int32_t kScriptSqlUnknownObject = 20;
inline constexpr int32_t kScriptBadOperator = 21;
inline constexpr int32_t kScriptStackUnderflow = 22;
inline constexpr int32_t kScriptBadOpcode = 23;
inline constexpr int32_t kScriptBadStringLiteral = 24;
inline constexpr int32_t kScriptBadMemberCode = 25;
inline constexpr int32_t kScriptBadHeapState = 26;
inline constexpr int32_t kScriptUnreachableState = 27;
inline constexpr int32_t kScriptUnhandledException = 28;
// The run executed its whole instruction budget without ending and was
// stopped (an endless loop in a book's script); the host sets the budget.
inline constexpr int32_t kScriptStopped = 29;
