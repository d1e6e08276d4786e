// The script compiler: turns the text of the script language into the
// instruction words of a CompiledScript in one left-to-right pass, without a
// syntax tree. Page scripts, element event handlers (compiled as the body of
// a named function), script pages, eval and the look-up query translator all
// compile through here.
//
// A failed compile fills a ScriptCompileError with the parse error code, the
// line (from 1) and column of the token concerned (the scanner position just
// past it, counted from the start of its line) and the token text (the
// spelling of the offending token for code 2, of the expected one for code
// 3); the message shown is the code's message followed by that text.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

class CompiledScript;

enum ScriptParseError : int32_t {
  kParseOk = 0,
  kParseNoMemory = 1,
  kParseUnexpectedToken = 2,
  kParseExpectedToken = 3,
  kParseNewLineInString = 4,
  kParseNoLoop = 5,
  kParseReturnOutsideFunction = 6,
  kParseDeclarationError = 7,
  kParsePrematureEnd = 8,
  kParseNoSuchToken = 9,
  kParseBadNumber = 10,
  kParseBadRule = 11,
  kParseBadStep = 12,
  kParseNotImplemented = 13,
};

struct ScriptCompileError {
  int32_t code = 0;  // ScriptParseError
  int32_t line = 0;
  int32_t column = 0;
  SharedWideString tokenText;
};

// Compiles the whole text. With a function name the text becomes the body of
// a top-level function of that name (declared, with its own code range from
// word 0, not jumped over). True when the text compiled and the script holds
// no allocation failure; the script's labels are then resolved.
bool CompileScript(const SharedWideString& source, CompiledScript* script,
                   ScriptCompileError* error, const SharedWideString* functionName = nullptr);

// The same over part of an input: the scanner is attached to the input's
// characters from `attachPosition` on; positions below are counted from
// there. Scanning starts at `startPosition` and stops at `endPosition` (-1:
// the end of the input).
bool CompileScriptSource(const SharedWideString& input, uint32_t attachPosition,
                         uint32_t startPosition, int32_t endPosition, CompiledScript* script,
                         ScriptCompileError* error, const SharedWideString* functionName);

// The compiler's message for a parse error code ("No Error", "Error: Not
// enough memory", ...); null outside 0-13.
const WCHAR* GetScriptCompileMessage(int32_t code);

// The message of the error's code followed by its token text.
bool FormatScriptCompileError(const ScriptCompileError& error, SharedWideString* out);
